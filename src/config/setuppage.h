#pragma once

#include <QWidget>
#include <functional>

class QGridLayout;

namespace kapstat::config {

class ConfigurationModel;
class SelectionIndicators;
struct RecorderConfiguration;

// "SET-UP": the norm mode, the storage conditions and the two storage periods.
class SetupPage : public QWidget
{
    Q_OBJECT

public:
    SetupPage(ConfigurationModel& model, SelectionIndicators& indicators,
              QWidget* parent = nullptr);

private:
    QWidget* storageGroup();
    void addCondition(QGridLayout* grid, int index);
    QWidget* periodRow(const QString& caption, const QString& name,
                       std::function<int(const RecorderConfiguration&)> period,
                       std::function<void(int)> choose);

    ConfigurationModel& m_model;
};

} // namespace kapstat::config
