#pragma once

#include <QObject>

namespace kapstat::browse {
class BrowseState;
}
namespace kapstat::link {
class Prompter;
class ServiceMode;
} // namespace kapstat::link
namespace kapstat::norm {
class PcCounterSlots;
}

namespace kapstat::app {

class BrowsingActions;
class MainWindow;

// "Utwórz raport zgodnosci z normą": the gate, the statistics and the report's two texts, shown
// in the print options window as the report kind "norma".
class ComplianceReportAction : public QObject
{
    Q_OBJECT

public:
    ComplianceReportAction(MainWindow& main, browse::BrowseState& state, BrowsingActions& browsing,
                           link::ServiceMode& serviceMode, link::Prompter& prompter,
                           norm::PcCounterSlots& counters, QObject* parent = nullptr);

    void run();

Q_SIGNALS:
    // Emitted with the print window before it is shown modally, so tests can close it.
    void reportShown(QWidget* dialog);

private:
    MainWindow& m_main;
    browse::BrowseState& m_state;
    BrowsingActions& m_browsing;
    link::ServiceMode& m_serviceMode;
    link::Prompter& m_prompter;
    norm::PcCounterSlots& m_counters;
};

} // namespace kapstat::app
