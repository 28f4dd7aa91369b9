#include "sim/scenario.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <limits>

namespace kapstat::sim {

namespace {

constexpr int MaximumEvent = 0xFFFF;

// An event number, or "-" for none; false when malformed.
bool readEventNumber(const QString& text, std::optional<int>& number)
{
    if (text == QLatin1String("-")) {
        number.reset();
        return true;
    }
    bool ok = false;
    const int n = text.toInt(&ok);
    number = n;
    return ok && n >= 1 && n <= MaximumEvent;
}

} // namespace

bool Interruption::overlaps(const Interruption& other) const
{
    constexpr int Before = std::numeric_limits<int>::min();
    constexpr int After = std::numeric_limits<int>::max();
    return phase == other.phase && startEvent.value_or(Before) <= other.endEvent.value_or(After) &&
           other.startEvent.value_or(Before) <= endEvent.value_or(After);
}

std::optional<Interruption> Interruption::parse(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    static const QRegularExpression phaseName(QStringLiteral("^L([123])$"));
    const QStringList words = text.trimmed().split(separators, Qt::SkipEmptyParts);
    if (words.size() != 3)
        return std::nullopt;
    Interruption interruption;
    const auto phase = phaseName.match(words[2]);
    if (!readEventNumber(words[0], interruption.startEvent) ||
        !readEventNumber(words[1], interruption.endEvent) || !phase.hasMatch() ||
        (interruption.startEvent && interruption.endEvent &&
         *interruption.endEvent < *interruption.startEvent))
        return std::nullopt;
    interruption.phase = phase.captured(1).toInt() - 1;
    return interruption;
}

int Scenario::stationIndex(int n, int count) const
{
    if (stations.isEmpty())
        return 0;
    const qint64 run = qint64(std::max(n, 1) - 1) * stations.size() / std::max(count, 1);
    return stations[std::min<qsizetype>(run, stations.size() - 1)];
}

int Scenario::firstOfRun(int k, int count) const
{
    const qint64 runs = std::max<qsizetype>(stations.size(), 1);
    if (k >= runs)
        return count + 1;
    // The least n with (n - 1) * runs / count >= k.
    return static_cast<int>((qint64(k) * count + runs - 1) / runs) + 1;
}

std::optional<QList<int>> Scenario::parseStationList(const QString& text)
{
    QList<int> indices;
    for (const QString& item : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int number = item.trimmed().toInt(&ok);
        if (!ok || number < 1 || number > MaximumStations || indices.contains(number - 1))
            return std::nullopt;
        indices.append(number - 1);
    }
    return indices;
}

QList<int> Scenario::firstStations(int count)
{
    QList<int> indices;
    for (int i = 0; i < std::clamp(count, 1, MaximumStations); ++i)
        indices.append(i);
    return indices;
}

} // namespace kapstat::sim
