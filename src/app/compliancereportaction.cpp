#include "app/compliancereportaction.h"

#include "app/browsingactions.h"
#include "app/mainwindow.h"
#include "browse/browsestate.h"
#include "browse/tablewindow.h"
#include "link/prompter.h"
#include "link/servicemode.h"
#include "norm/compliancereport.h"
#include "norm/reporttextdocument.h"
#include "print/printoptionswindow.h"

#include <QAction>
#include <QTextDocument>

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
    const auto mainText = norm::ReportTextDocument::create(report->main);
    const auto additionalText = norm::ReportTextDocument::create(report->additional);
    print::PrintOptionsWindow& window = m_browsing.printWindow();
    window.setTitle(report->title);
    window.setReportTexts(mainText.get(), additionalText.get());
    Q_EMIT reportShown(&window);
    window.openModally(browse::PrintKind::Norm);
    // The documents go with this function; the window must not keep them.
    window.setReportTexts(nullptr, nullptr);
}

} // namespace kapstat::app
