#pragma once

#include <QWidget>

class QGridLayout;

namespace kapstat::link {
class Prompter;
}

namespace kapstat::config {

class ConfigurationModel;

// "  Napięcia znam. i parametry przekładników stacji  ": Un and the VT and CT ratios of the
// eight stations, with the buttons that copy station 1's column to the others.
class StationRatiosPage : public QWidget
{
    Q_OBJECT

public:
    StationRatiosPage(ConfigurationModel& model, link::Prompter& prompter,
                      QWidget* parent = nullptr);

private:
    void addHeaders(QGridLayout* grid);
    void addStation(QGridLayout* grid, int station, link::Prompter& prompter);

    ConfigurationModel& m_model;
};

} // namespace kapstat::config
