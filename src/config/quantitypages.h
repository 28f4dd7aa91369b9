#pragma once

class QWidget;

namespace kapstat::config {

class ConfigurationModel;
class SelectionIndicators;

// The tabs of quantities to record: "Sumaryczne", "Fazowe", "Moce", "Harmoniczne".
namespace quantitypages {

QWidget* summary(SelectionIndicators& indicators, ConfigurationModel& model);
QWidget* phases(SelectionIndicators& indicators);
QWidget* powers(SelectionIndicators& indicators);
QWidget* harmonics(SelectionIndicators& indicators, ConfigurationModel& model);

} // namespace quantitypages

} // namespace kapstat::config
