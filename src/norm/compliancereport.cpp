#include "norm/compliancereport.h"

#include "browse/browsestate.h"
#include "norm/additionalreporttext.h"
#include "norm/compliancestatistics.h"
#include "norm/mainreporttext.h"
#include "norm/reportheader.h"

#include <QCoreApplication>

namespace kapstat::norm {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::norm::ComplianceReport", text);
}

qint64 shownRmsRecords(browse::BrowseState& state)
{
    browse::BrowseTable* rms = state.table(download::TableKind::Rms);
    return rms ? rms->count(state.filter()) : 0;
}

} // namespace

bool ComplianceReport::passesGate(bool normTest, const ReportConditions& conditions,
                                  qint64 rmsRecords)
{
    return normTest &&
           (conditions.serviceMode || (conditions.rmsWindowShown && rmsRecords >= MinimumRecords));
}

QString ComplianceReport::gateMessage()
{
    return tr("Konfiguracja pomiarów nie pozwala na wykonanie raportu zgodnosci z normą lub ilosć "
              "zgromadzonych rekordów w tabeli pomiarów jest mniejsza od 100.");
}

QString ComplianceReport::titleFor(bool defaultNorm)
{
    return defaultNorm ? tr("RAPORT ZGODNOŚCI Z NORMĄ: PN-EN 50160")
                       : tr("RAPORT ZGODNOŚCI Z NORMĄ UŻYTKOWNIKA");
}

std::optional<ComplianceReport> ComplianceReport::make(browse::BrowseState& state,
                                                       const ReportConditions& conditions,
                                                       PcCounterSlots& slots, Failure* failure)
{
    auto fail = [failure](bool gateClosed, const QString& message) {
        if (failure)
            *failure = {gateClosed, message};
        return std::nullopt;
    };
    const qint64 records = shownRmsRecords(state);
    if (!passesGate(state.normTestEnabled(), conditions, records))
        return fail(true, gateMessage());
    state.checkEnabledPhaseItems();
    QString error;
    const auto statistics = ComplianceStatistics::compute(
        ComplianceSource::of(state, conditions.eventsWindowShown), slots, &error);
    if (!statistics)
        return fail(false, error);
    ComplianceReport report;
    report.title = titleFor(state.defaultNorm());
    const ReportHeader header = ReportHeader::of(state, records);
    MainReportText(header, state.norm(), *statistics, report.main).write();
    AdditionalReportText(header.phaseCount, state.norm(), *statistics, report.additional).write();
    return report;
}

} // namespace kapstat::norm
