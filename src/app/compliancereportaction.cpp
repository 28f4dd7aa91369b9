#include "app/compliancereportaction.h"

#include "app/browsingactions.h"
#include "app/mainwindow.h"
#include "browse/browsestate.h"
#include "browse/tablewindow.h"
#include "link/prompter.h"
#include "link/servicemode.h"
#include "norm/compliancereport.h"
#include "norm/compliancereportdialog.h"

#include <QAction>

namespace kapstat::app {

namespace {

using download::TableKind;

constexpr int GateMessageSeconds = 3;

} // namespace

ComplianceReportAction::ComplianceReportAction(MainWindow& main, browse::BrowseState& state,
                                               BrowsingActions& browsing,
                                               link::ServiceMode& serviceMode,
                                               link::Prompter& prompter,
                                               norm::PcCounterSlots& counters, QObject* parent)
    : QObject(parent), m_main(main), m_state(state), m_browsing(browsing),
      m_serviceMode(serviceMode), m_prompter(prompter), m_counters(counters)
{
    connect(main.action(QStringLiteral("acNorma")), &QAction::triggered, this,
            &ComplianceReportAction::run);
}

void ComplianceReportAction::run()
{
    norm::ReportConditions conditions;
    conditions.serviceMode = m_serviceMode.isOn();
    conditions.rmsWindowShown = m_browsing.tableWindow(TableKind::Rms).isVisible();
    conditions.eventsWindowShown = m_browsing.tableWindow(TableKind::Zanik).isVisible();
    norm::ComplianceReport::Failure failure;
    auto report = norm::ComplianceReport::make(m_state, conditions, m_counters, &failure);
    if (!report) {
        if (failure.gateClosed)
            m_prompter.show(failure.message, GateMessageSeconds, 0);
        else
            m_prompter.ask(failure.message, -1, link::PromptButton::Close);
        return;
    }
    norm::ComplianceReportDialog dialog(std::move(*report), &m_main);
    Q_EMIT reportShown(&dialog);
    dialog.exec();
}

} // namespace kapstat::app
