#pragma once

#include <QHash>
#include <QObject>

class QWidget;

namespace kapstat::link {
class Prompter;
}

namespace kapstat::config {

class ConfigurationModel;
class SelectionIndicator;

// The indicators of the selection list, one per entry (one for the six event-recording
// entries): each shows the model's lit state, colour and enabled state, and a click goes to the
// model's rule.
class SelectionIndicators : public QObject
{
    Q_OBJECT

public:
    SelectionIndicators(ConfigurationModel& model, link::Prompter& prompter,
                        QObject* parent = nullptr);

    SelectionIndicator* create(int entry, const QString& caption, QWidget* parent);
    SelectionIndicator* indicator(int entry) const { return m_indicators.value(entry); }
    int count() const { return static_cast<int>(m_indicators.size()); }

private:
    void click(int entry);
    void refresh();
    void showState(int entry, SelectionIndicator* indicator) const;

    ConfigurationModel& m_model;
    link::Prompter& m_prompter;
    QHash<int, SelectionIndicator*> m_indicators;
};

} // namespace kapstat::config
