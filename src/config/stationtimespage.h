#pragma once

#include <QWidget>

class QGridLayout;

namespace kapstat::config {

class ConfigurationModel;
enum class StationFlag;

// "  Początek i koniec rejestracji  ": per station the programmed start and end with their
// switches, "zmień stację" and "warunek ważny".
class StationTimesPage : public QWidget
{
    Q_OBJECT

public:
    explicit StationTimesPage(ConfigurationModel& model, QWidget* parent = nullptr);

private:
    void addStation(QGridLayout* grid, int station);
    QWidget* flag(int station, StationFlag flag, const QString& name);
    QWidget* moment(int station, bool isStart);

    ConfigurationModel& m_model;
};

} // namespace kapstat::config
