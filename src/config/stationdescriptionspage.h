#pragma once

#include <QWidget>

namespace kapstat::config {

class ConfigurationModel;

// " Opis stacji  ": the descriptions of the eight stations and whether a download keeps them.
class StationDescriptionsPage : public QWidget
{
    Q_OBJECT

public:
    explicit StationDescriptionsPage(ConfigurationModel& model, QWidget* parent = nullptr);
};

} // namespace kapstat::config
