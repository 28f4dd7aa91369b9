#include "norm/compliancestatistics.h"

#include "browse/browsestate.h"
#include "browse/browsetable.h"
#include "download/sqlitedatabase.h"
#include "download/tablestore.h"
#include "norm/normlimits.h"
#include "norm/pccounterslots.h"

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

namespace kapstat::norm {

namespace {

using download::SqliteStatement;
using download::TableKind;
using Triple = ComplianceStatistics::Triple;

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::norm::ComplianceStatistics", text);
}

// The voltage columns of one result column of the statistics.
struct VoltageColumn
{
    QString mean;
    QString minimum;
    QString maximum;
    bool bandOnly = false; // delta's third column: only the tolerance band of its mean
};

QList<VoltageColumn> voltageColumns(int phaseCount)
{
    auto column = [](const QString& quantity) {
        return VoltageColumn{quantity + QStringLiteral("sr"), quantity + QStringLiteral("min"),
                             quantity + QStringLiteral("max")};
    };
    switch (phaseCount) {
    case 1:
        return {column(QStringLiteral("U"))};
    case 2:
        return {column(QStringLiteral("U31")),
                column(QStringLiteral("U23")),
                {QStringLiteral("U12sr"), {}, {}, true}};
    default:
        return {column(QStringLiteral("UL1")), column(QStringLiteral("UL2")),
                column(QStringLiteral("UL3"))};
    }
}

QString tableCaption(TableKind kind)
{
    switch (kind) {
    case TableKind::Rms:
        return tr("pomiarów RMS");
    case TableKind::Harm:
        return tr("harmonicznych");
    case TableKind::Zanik:
        break;
    }
    return tr("przerw i przepięć");
}

// Rows whose rowid lies in [first, last]: the part of a table one worker scans.
struct RowRange
{
    qint64 first = std::numeric_limits<qint64>::min();
    qint64 last = std::numeric_limits<qint64>::max();
};

// Splits the table's rowids into at most `parts` ranges of about equal span.
QList<RowRange> rowRanges(browse::BrowseTable& table, int parts)
{
    auto statement =
        table.database().prepare(QStringLiteral("SELECT min(rowid), max(rowid) FROM %1")
                                     .arg(QLatin1String(download::TableStore::TableName)));
    if (!statement || !statement->step() || statement->columnIsNull(0))
        return {RowRange{}}; // the whole table: empty, or an error the scan will report
    const qint64 first = statement->columnInt(0);
    const qint64 last = statement->columnInt(1);
    const qint64 span = (last - first) / parts + 1;
    QList<RowRange> ranges;
    for (qint64 start = first; start <= last; start += span)
        ranges.append({start, std::min(last, start + span - 1)});
    return ranges;
}

// One unordered SELECT over the shown rows of a range of a table, on its own connection so that
// ranges can be read on several threads; the statistics do not depend on the order, and a plain
// scan is several times faster than the browsing order's index walk.
class TableScan
{
public:
    TableScan(const browse::BrowseTable& table, const browse::RecordFilter& filter,
              const RowRange& range, QString* error)
        : m_table(table), m_filter(filter), m_range(range), m_error(error)
    {
    }

    void require(const QString& name)
    {
        if (!m_table.hasColumn(name) && m_missing.isEmpty())
            m_missing = name;
    }
    void addField(const QString& name)
    {
        require(name);
        m_expressions << download::SqliteDatabase::quoted(name);
    }
    void addExpression(const QString& expression) { m_expressions << expression; }

    template <typename Visit> bool run(Visit&& visit)
    {
        if (!m_missing.isEmpty())
            return fail(tr("W tabeli %1 brak kolumny %2 potrzebnej do raportu zgodności z normą.")
                            .arg(tableCaption(m_table.kind()), m_missing));
        download::SqliteDatabase database;
        if (!database.open(m_table.path(), false))
            return fail(database.errorText());
        QVariantList binds{m_range.first, m_range.last};
        QString where = QStringLiteral("rowid BETWEEN ? AND ?");
        if (const QString filter = m_filter.whereClause(m_table.kind(), binds); !filter.isEmpty())
            where += QStringLiteral(" AND ") + filter;
        auto statement =
            database.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                                 .arg(m_expressions.join(QLatin1Char(',')),
                                      QLatin1String(download::TableStore::TableName), where));
        if (!statement)
            return fail(database.errorText());
        for (int i = 0; i < binds.size(); ++i)
            statement->bind(i + 1, binds[i]);
        while (statement->step())
            visit(*statement);
        return !statement->failed() || fail(database.errorText());
    }

private:
    bool fail(const QString& message)
    {
        if (m_error)
            *m_error = message;
        return false;
    }

    const browse::BrowseTable& m_table;
    const browse::RecordFilter& m_filter;
    RowRange m_range;
    QString* m_error;
    QStringList m_expressions;
    QString m_missing;
};

// 0 marks "no value yet": the first deviation always replaces it.
void keepLowest(double& extreme, double value)
{
    if (extreme == 0 || value < extreme)
        extreme = value;
}

void keepHighest(double& extreme, double value)
{
    if (extreme == 0 || value > extreme)
        extreme = value;
}

class Passes
{
public:
    Passes(const ComplianceSource& source, ComplianceStatistics& statistics, QString* error)
        : m_source(source), m_limits(NormLimits::from(source.norm, source.nominalVoltage)),
          m_stats(statistics), m_error(error)
    {
    }

    bool rms(const RowRange& range)
    {
        const QList<VoltageColumn> columns = voltageColumns(m_source.phaseCount);
        TableScan scan(*m_source.rms, m_source.filter, range, m_error);
        scan.addField(QStringLiteral("fsr"));
        for (const VoltageColumn& column : columns) {
            scan.addField(column.mean);
            if (!column.bandOnly) {
                scan.addField(column.minimum);
                scan.addField(column.maximum);
            }
        }
        return scan.run([&](const SqliteStatement& row) {
            m_stats.recordCount += 1;
            countFrequency(row.columnDouble(0));
            int field = 1;
            for (int c = 0; c < columns.size(); ++c) {
                const double mean = row.columnDouble(field++);
                countInBand(c, mean);
                if (columns[c].bandOnly)
                    continue;
                const double minimum = row.columnDouble(field++);
                const double maximum = row.columnDouble(field++);
                countDeviations(c, mean, minimum, maximum);
            }
        });
    }

    bool harmonics(const RowRange& range)
    {
        const bool unbalance = m_source.phaseCount > 1;
        TableScan scan(*m_source.harmonics, m_source.filter, range, m_error);
        scan.require(QStringLiteral("Faza"));
        scan.addExpression(
            QStringLiteral("CASE \"Faza\" WHEN 'L1' THEN 0 WHEN 'L2' THEN 1 WHEN 'L3' THEN 2 "
                           "ELSE -1 END"));
        scan.addField(QStringLiteral("THDUsr"));
        for (int order = 2; order <= 24; ++order)
            scan.addField(QStringLiteral("UH%1sr").arg(order));
        if (unbalance)
            scan.addField(QStringLiteral("U1U2sr"));
        const browse::NormParameterSet& norm = m_source.norm;
        return scan.run([&](const SqliteStatement& row) {
            const auto phase = static_cast<int>(row.columnInt(0));
            if (phase < 0)
                return;
            if (row.columnDouble(1) <= norm.thdLimit)
                m_stats.thdCount[phase] += 1;
            for (int order = 2; order <= 24; ++order)
                if (row.columnDouble(order) <= norm.harmonicLimit[order])
                    m_stats.harmonicCount[order][phase] += 1;
            if (phase != 0)
                return;
            m_stats.harmonicRecordCount += 1;
            if (unbalance && row.columnDouble(25) <= norm.unbalanceLimit)
                m_stats.unbalanceCount += 1;
        });
    }

    bool events(const RowRange& range)
    {
        const int phases = m_source.phaseCount;
        TableScan scan(*m_source.events, m_source.filter, range, m_error);
        for (int k = 1; k <= phases; ++k)
            for (const char* field : {"Czas_PL%1", "Ilosc_uPL%1", "Czas_PrzepL%1", "Max_PrzepL%1"})
                scan.addField(QString::fromLatin1(field).arg(k));
        return scan.run([&](const SqliteStatement& row) {
            for (int k = 0; k < phases; ++k)
                countEvent(k, row, k * 4);
        });
    }

private:
    void countFrequency(double f)
    {
        if (m_limits.f1Low <= f && f <= m_limits.f1High)
            m_stats.freqNarrowCount += 1;
        if (m_limits.f2Low <= f && f <= m_limits.f2High)
            m_stats.freqWideCount += 1;
    }

    void countInBand(int c, double mean)
    {
        if (m_limits.uLow <= mean && mean <= m_limits.uHigh)
            m_stats.voltageInTolCount[c] += 1;
    }

    void countDeviations(int c, double mean, double minimum, double maximum)
    {
        const NormLimits& l = m_limits;
        if (mean > l.uHigh) {
            m_stats.usrOvervoltages[c] += 1;
            keepHighest(m_stats.usrHighestOvervoltage[c], l.deviation(mean));
        }
        if (mean < l.uInt)
            m_stats.usrInterruptions[c] += 1;
        else if (mean < l.uLow) {
            m_stats.usrDips[c] += 1;
            keepLowest(m_stats.usrDeepestDip[c], l.deviation(mean));
        }
        if (minimum < l.uInt)
            m_stats.uminInterruptions[c] += 1;
        else if (minimum < l.uLow) {
            m_stats.uminDips[c] += 1;
            keepLowest(m_stats.uminDeepestDip[c], l.deviation(minimum));
        }
        if (maximum > l.uHigh) {
            m_stats.umaxOvervoltages[c] += 1;
            keepHighest(m_stats.umaxHighestOvervoltage[c], l.deviation(maximum));
        }
    }

    void countEvent(int k, const SqliteStatement& row, int first)
    {
        if (!row.columnIsNull(first)) {
            if (row.columnDouble(first) >= m_source.norm.longInterruption)
                m_stats.longInterruptions[k] += 1;
            else
                m_stats.shortInterruptions[k] += 1;
        }
        double& micro = m_stats.microInterruptions[k];
        micro = std::min(micro + row.columnDouble(first + 1),
                         ComplianceStatistics::MicroInterruptionCap);
        const double transientTime = row.columnDouble(first + 2);
        if (transientTime <= 0)
            return;
        m_stats.transientSeconds[k] += 1;
        m_stats.transientLongestTime[k] = std::max(m_stats.transientLongestTime[k], transientTime);
        m_stats.transientMaxAmplitude[k] =
            std::max(m_stats.transientMaxAmplitude[k], row.columnDouble(first + 3));
    }

    const ComplianceSource& m_source;
    NormLimits m_limits;
    ComplianceStatistics& m_stats;
    QString* m_error;
};

void addTriple(Triple& total, const Triple& part)
{
    for (int i = 0; i < 3; ++i)
        total[i] += part[i];
}

void keepLowestOf(Triple& total, const Triple& part)
{
    for (int i = 0; i < 3; ++i)
        if (part[i] != 0)
            keepLowest(total[i], part[i]);
}

void keepHighestOf(Triple& total, const Triple& part)
{
    for (int i = 0; i < 3; ++i)
        if (part[i] != 0)
            keepHighest(total[i], part[i]);
}

void keepLargerOf(Triple& total, const Triple& part)
{
    for (int i = 0; i < 3; ++i)
        total[i] = std::max(total[i], part[i]);
}

// Adds the counts of one range's pass; extremes keep the more extreme, as one pass would.
void addPart(ComplianceStatistics& total, const ComplianceStatistics& part)
{
    total.recordCount += part.recordCount;
    total.harmonicRecordCount += part.harmonicRecordCount;
    total.freqNarrowCount += part.freqNarrowCount;
    total.freqWideCount += part.freqWideCount;
    total.unbalanceCount += part.unbalanceCount;
    for (Triple ComplianceStatistics::*counts :
         {&ComplianceStatistics::voltageInTolCount, &ComplianceStatistics::usrInterruptions,
          &ComplianceStatistics::uminInterruptions, &ComplianceStatistics::usrDips,
          &ComplianceStatistics::uminDips, &ComplianceStatistics::usrOvervoltages,
          &ComplianceStatistics::umaxOvervoltages, &ComplianceStatistics::thdCount,
          &ComplianceStatistics::shortInterruptions, &ComplianceStatistics::longInterruptions,
          &ComplianceStatistics::transientSeconds})
        addTriple(total.*counts, part.*counts);
    for (int order = 2; order <= 24; ++order)
        addTriple(total.harmonicCount[order], part.harmonicCount[order]);
    keepLowestOf(total.usrDeepestDip, part.usrDeepestDip);
    keepLowestOf(total.uminDeepestDip, part.uminDeepestDip);
    keepHighestOf(total.usrHighestOvervoltage, part.usrHighestOvervoltage);
    keepHighestOf(total.umaxHighestOvervoltage, part.umaxHighestOvervoltage);
    keepLargerOf(total.transientLongestTime, part.transientLongestTime);
    keepLargerOf(total.transientMaxAmplitude, part.transientMaxAmplitude);
    for (int k = 0; k < 3; ++k)
        total.microInterruptions[k] =
            std::min(total.microInterruptions[k] + part.microInterruptions[k],
                     ComplianceStatistics::MicroInterruptionCap);
}

// A pass over one range of a table, counted into statistics of its own.
struct PassTask
{
    bool (Passes::*pass)(const RowRange&);
    RowRange range;
    ComplianceStatistics part;
    QString error;
    bool done = false;
};

int workerCount()
{
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1U, 8U));
}

// Reading the rows is nearly all of the work, so the tables are cut into rowid ranges that every
// core reads at once, each on a connection of its own.
bool runPasses(const ComplianceSource& source, ComplianceStatistics& total, QString* error)
{
    const int workers = workerCount();
    std::vector<PassTask> tasks;
    auto addTasks = [&tasks, workers](browse::BrowseTable& table, auto pass) {
        for (const RowRange& range : rowRanges(table, 2 * workers))
            tasks.push_back({pass, range, {}, {}, false});
    };
    // The largest table first, so that the workers run out of work at about the same time.
    addTasks(*source.harmonics, &Passes::harmonics);
    addTasks(*source.rms, &Passes::rms);
    if (source.events)
        addTasks(*source.events, &Passes::events);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < tasks.size(); i = next++) {
            PassTask& task = tasks[i];
            Passes passes(source, task.part, &task.error);
            task.done = (passes.*task.pass)(task.range);
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (int w = 1; w < workers; ++w)
            helpers.emplace_back(work);
        work();
    }
    for (const PassTask& task : tasks) {
        if (!task.done) {
            if (error)
                *error = task.error;
            return false;
        }
        addPart(total, task.part);
    }
    return true;
}

// Whole percent, truncated. The product is taken first so that 57 of 100 gives 57, not the 56
// that 57 / 100 × 100 gives in binary floating point.
double share(double count, double total)
{
    return std::trunc(count * 100 / total);
}

void convertToShares(ComplianceStatistics& s)
{
    const double n = s.recordCount;
    s.freqNarrowPct = share(s.freqNarrowCount, n);
    s.freqWidePct = share(s.freqWideCount, n);
    for (int c = 0; c < 3; ++c) {
        const double withoutInterruptions = n - s.usrInterruptions[c];
        s.voltageInTolPct[c] =
            withoutInterruptions == 0 ? 0 : share(s.voltageInTolCount[c], withoutInterruptions);
    }
    const double nh = s.harmonicRecordCount;
    s.unbalancePct = share(s.unbalanceCount, nh);
    for (int p = 0; p < 3; ++p) {
        s.thdPct[p] = share(s.thdCount[p], nh);
        for (int order = 2; order <= 24; ++order)
            s.harmonicPct[order][p] = share(s.harmonicCount[order][p], nh);
    }
}

std::optional<QString> missingInput(const ComplianceSource& source)
{
    if (!source.rms)
        return tr("Baza pomiarów nie zawiera tabeli pomiarów RMS - nie można utworzyć raportu "
                  "zgodności z normą.");
    if (!source.harmonics)
        return tr("Baza pomiarów nie zawiera tabeli harmonicznych - nie można utworzyć raportu "
                  "zgodności z normą.");
    if (source.nominalVoltage <= 0)
        return tr("Napięcie znamionowe stacji pomiarów wynosi 0 V - nie można obliczyć "
                  "odchyleń napięcia od normy.");
    return std::nullopt;
}

std::optional<QString> missingDivisor(const ComplianceStatistics& s)
{
    if (s.recordCount == 0)
        return tr("Tabela pomiarów RMS nie zawiera żadnego wyświetlanego rekordu - nie można "
                  "obliczyć statystyk zgodności z normą.");
    if (s.harmonicRecordCount == 0)
        return tr("Tabela harmonicznych nie zawiera żadnego wyświetlanego rekordu fazy L1 - nie "
                  "można obliczyć udziałów harmonicznych, THD i niesymetrii.");
    return std::nullopt;
}

} // namespace

ComplianceSource ComplianceSource::of(const browse::BrowseState& state, bool eventsWindowShown)
{
    ComplianceSource source;
    source.rms = state.table(TableKind::Rms);
    source.harmonics = state.table(TableKind::Harm);
    source.events = eventsWindowShown ? state.table(TableKind::Zanik) : nullptr;
    source.filter = state.filter();
    source.norm = state.norm();
    source.nominalVoltage = state.nominalVoltage();
    source.phaseCount = state.phaseCountCode();
    return source;
}

std::optional<ComplianceStatistics>
ComplianceStatistics::compute(const ComplianceSource& source, PcCounterSlots& slots, QString* error)
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (auto problem = missingInput(source))
        return fail(*problem);
    ComplianceStatistics statistics;
    if (!runPasses(source, statistics, error))
        return std::nullopt;
    if (auto problem = missingDivisor(statistics))
        return fail(*problem);
    statistics.copyTo(slots);
    convertToShares(statistics);
    return statistics;
}

void ComplianceStatistics::copyTo(PcCounterSlots& slots) const
{
    const double n = recordCount;
    auto put = [&slots](int first, const Triple& values, double divisor = 1) {
        for (int i = 0; i < 3; ++i)
            slots.set(first + i, values[i] / divisor);
    };
    auto putMissing = [&slots, n](int first, const Triple& counts) {
        for (int i = 0; i < 3; ++i)
            slots.set(first + i, n - counts[i]);
    };
    slots.set(0, n - freqNarrowCount);
    slots.set(1, n - freqWideCount);
    put(29, uminInterruptions);
    put(32, usrInterruptions);
    put(35, microInterruptions);
    put(38, shortInterruptions);
    put(41, longInterruptions);
    put(44, uminDips);
    put(47, uminDeepestDip);
    put(50, usrDips);
    put(53, usrDeepestDip);
    slots.set(65, n - unbalanceCount);
    for (int order = 2; order <= 24; ++order)
        for (int p = 0; p < 3; ++p)
            slots.set(66 + p * 23 + order - 2, n - harmonicCount[order][p]);
    putMissing(135, thdCount);
    put(149, umaxOvervoltages);
    put(152, transientSeconds);
    put(155, transientLongestTime, 0.4);
    put(158, transientMaxAmplitude);
    put(161, usrOvervoltages);
    put(164, umaxHighestOvervoltage);
    put(167, usrHighestOvervoltage);
}

} // namespace kapstat::norm
