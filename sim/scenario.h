#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace kapstat::sim {

// One supply interruption on one phase, by event record numbers. A missing start means it began
// before the first event record, a missing end that it is still going on after the last one.
struct Interruption
{
    std::optional<int> startEvent;
    std::optional<int> endEvent;
    int phase = 0; // 0-2 for L1-L3

    bool operator==(const Interruption&) const = default;
    // Whether both would be under way at one event on the same phase.
    bool overlaps(const Interruption& other) const;
    // "3 5 L2", "- 2 L1" (began before the first event), "11 - L3" (still open), with spaces
    // or commas between; nullopt when malformed or the end comes before the start.
    static std::optional<Interruption> parse(const QString& text);
};

// What the emulated recorder's memory holds: how many records and events, which stations took
// them, and the moments worth testing. Everything else follows from the seed.
struct Scenario
{
    static constexpr int MaximumStations = 8;

    int records = 0;
    int events = 0;
    QList<int> stations{0}; // station indices 0-7, in the order they recorded
    quint32 seed = 1;
    // Record numbers; when none are named the seed picks about one record in a hundred.
    QList<int> dips;
    QList<int> overvoltages;
    // When none are named there are three: one under way before the first event record, one
    // within the events and one still open after the last.
    QList<Interruption> interruptions;

    bool operator==(const Scenario&) const = default;

    // The stations share the records, or the events, in consecutive runs in list order.
    int stationIndex(int n, int count) const;
    // The first record (or event) of run k; past the last run, count + 1.
    int firstOfRun(int k, int count) const;

    // "1,3,8" (station numbers 1-8, each at most once) as indices; nullopt when malformed.
    static std::optional<QList<int>> parseStationList(const QString& text);
    // Stations 1..count.
    static QList<int> firstStations(int count);
};

} // namespace kapstat::sim
