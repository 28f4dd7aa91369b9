#pragma once

#include <QDir>
#include <QObject>
#include <QString>
#include <functional>

namespace kapstat::app {

class Program;

// Opens the main windows one after another and saves each as a PNG in the folder, so that
// anyone can see what a user sees; then ends the program.
class ScreenshotTour : public QObject
{
    Q_OBJECT

public:
    ScreenshotTour(Program& program, const QString& folder, QObject* parent = nullptr);

    void start();

private:
    struct Step
    {
        int delayMs;
        std::function<void()> action;
    };

    void runNext();
    void save(QWidget& window, const QString& name);

    Program& m_program;
    QDir m_folder;
    QList<Step> m_steps;
};

} // namespace kapstat::app
