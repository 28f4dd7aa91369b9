#include "cli/databasesession.h"

#include "cli/clioptions.h"
#include "cli/clitext.h"
#include "cli/exportcommand.h"
#include "cli/printcommand.h"
#include "cli/reportcommand.h"
#include "common/decimaltext.h"

#include <map>
#include <utility>

namespace kapstat::cli {

namespace {

using download::TableKind;

QString number(double value)
{
    return common::DecimalText::general(value);
}

QList<std::pair<QString, QString>> normRows(const browse::NormParameterSet& norm)
{
    QList<std::pair<QString, QString>> rows{
        {tr("Okres zapisu rekordu [s]:"), number(norm.recordPeriodSeconds)},
        {tr("Czas uśredniania [min]:"), number(norm.averagingMinutes)},
        {tr("Częstotliwość, pasmo 1, minus [%]:"), number(norm.freqBand1Minus)},
        {tr("Częstotliwość, pasmo 1, plus [%]:"), number(norm.freqBand1Plus)},
        {tr("Częstotliwość, pasmo 1, udział [%]:"), number(norm.freqBand1Share)},
        {tr("Częstotliwość, pasmo 2, minus [%]:"), number(norm.freqBand2Minus)},
        {tr("Częstotliwość, pasmo 2, plus [%]:"), number(norm.freqBand2Plus)},
        {tr("Częstotliwość, pasmo 2, udział [%]:"), number(norm.freqBand2Share)},
        {tr("Tolerancja napięcia, minus [% Un]:"), number(norm.voltageMinus)},
        {tr("Tolerancja napięcia, plus [% Un]:"), number(norm.voltagePlus)},
        {tr("Tolerancja napięcia, udział [%]:"), number(norm.voltageShare)},
        {tr("Asymetria, granica [% U1]:"), number(norm.unbalanceLimit)},
        {tr("Asymetria, udział [%]:"), number(norm.unbalanceShare)},
        {tr("Harmoniczne, udział [%]:"), number(norm.harmonicShare)},
    };
    for (int order = 2; order <= 24; ++order)
        rows.append(
            {tr("Harmoniczna %1, granica [% H1]:").arg(order), number(norm.harmonicLimit[order])});
    rows.append({tr("THD, granica [%]:"), number(norm.thdLimit)});
    rows.append({tr("Próg przerwy [% Un]:"), number(norm.interruptionThreshold)});
    rows.append({tr("Próg długiej przerwy [s]:"), number(norm.longInterruption)});
    rows.append({tr("Próg przepięcia [% Un]:"), number(norm.overvoltageThreshold)});
    for (int s = 0; s < config::StationCount; ++s) {
        const browse::StationRatios& station = norm.stations[s];
        const QString prefix = tr("Stacja %1, ").arg(s + 1);
        rows.append({prefix + tr("Un [V]:"), number(station.un)});
        rows.append({prefix + tr("przekładnik napięciowy, strona pierwotna [V]:"),
                     number(station.vtPrimary)});
        rows.append({prefix + tr("przekładnik napięciowy, strona wtórna [V]:"),
                     number(station.vtSecondary)});
        rows.append(
            {prefix + tr("przekładnik prądowy, strona pierwotna [A]:"), number(station.ctPrimary)});
        rows.append(
            {prefix + tr("przekładnik prądowy, strona wtórna [V]:"), number(station.ctSecondary)});
    }
    return rows;
}

QString tableCaption(TableKind kind)
{
    switch (kind) {
    case TableKind::Rms:
        return tr("Tabela RMS, rekordów:");
    case TableKind::Harm:
        return tr("Tabela HARM, rekordów:");
    case TableKind::Zanik:
        break;
    }
    return tr("Tabela ZANIK, rekordów:");
}

} // namespace

DatabaseSession::DatabaseSession() : m_out(stdout), m_err(stderr) {}

bool DatabaseSession::open(const QString& selectionFile)
{
    if (const auto problem = m_browse.open(selectionFile)) {
        m_err << *problem << Qt::endl;
        return false;
    }
    return true;
}

DatabaseCommand databaseCommand(const QString& name)
{
    static const std::map<QString, DatabaseCommand> table{
        {QStringLiteral("info"), runInfoCommand},
        {QStringLiteral("export"), runExportCommand},
        {QStringLiteral("print"), runPrintCommand},
        {QStringLiteral("report"), runReportCommand},
    };
    const auto found = table.find(name);
    return found == table.end() ? nullptr : found->second;
}

bool isDatabaseCommand(const QString& command)
{
    return databaseCommand(command) != nullptr;
}

int runInfoCommand(const QStringList& arguments)
{
    DatabaseSession session;
    if (arguments.size() != 2 || arguments[0] != QLatin1String("--pom")) {
        session.err() << tr("Użycie: info --pom PLIK.pom") << Qt::endl;
        return ExitStatus::Usage;
    }
    if (!session.open(arguments[1]))
        return ExitStatus::Failed;
    const browse::BrowseState& state = session.browse();
    QList<std::pair<QString, QString>> rows{
        {tr("Otwarty plik:"), state.selection().path},
        {tr("Nr seryjny rejestratora:"), state.selection().serialNumber()},
        {tr("Data odebrania danych:"), state.selection().received()},
        {tr("Układ pomiarowy:"), systemName(state.system())},
        {tr("Stacja raportu:"), QString::number(state.selection().station)},
        {tr("Stacja napięcia znamionowego:"), QString::number(state.nominalVoltageStation())},
        {tr("Pierwszy pomiar:"), state.firstMeasurement()},
        {tr("Ostatni pomiar:"), state.lastMeasurement()},
    };
    for (TableKind kind : {TableKind::Rms, TableKind::Harm, TableKind::Zanik})
        if (const browse::PagedTableModel* model = state.model(kind))
            rows.append({tableCaption(kind), QString::number(model->rowCount())});
    rows.append(normRows(state.norm()));
    for (const auto& [caption, value] : rows)
        session.out() << caption << ' ' << value << '\n';
    session.out().flush();
    return ExitStatus::Done;
}

} // namespace kapstat::cli
