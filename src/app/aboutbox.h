#pragma once

#include <QDialog>

class QLabel;

namespace kapstat::link {
class ServiceMode;
}

namespace kapstat::app {

// "O programie...": the program, its version and its maker. A double-click on the picture
// asks for the service password.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(link::ServiceMode& serviceMode, QWidget* parent = nullptr);

    QLabel* picture() const { return m_picture; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void askForServicePassword();

    link::ServiceMode& m_serviceMode;
    QLabel* m_picture = nullptr;
};

} // namespace kapstat::app
