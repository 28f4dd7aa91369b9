#include "config/selectionentries.h"

namespace kapstat::config::entries {

namespace {

// Rows of four statistics start at these entries and run to the range's end.
constexpr Range Rows[] = {{1, 40}, {49, 152}, {162, 245}};

} // namespace

int rowPosition(int entry)
{
    for (const Range& rows : Rows)
        if (rows.contains(entry))
            return (entry - rows.first) % 4;
    return -1;
}

bool isEventRecording(int entry)
{
    return Range{FirstEventRecording, LastEventRecording}.contains(entry);
}

const QList<Range>& unavailableIn(MeasuringSystem system)
{
    // Symmetrical components, neutral current, the phase measurements and every power row.
    static const QList<Range> singlePhase{{25, 40}, {53, 136}, {174, 209}, {242, 245}};
    // U0, I0, the phase voltages and everything of the third phase.
    static const QList<Range> delta{{25, 28},   {37, 40},   {53, 64},   {85, 88},
                                    {97, 100},  {109, 112}, {121, 124}, {133, 136},
                                    {162, 165}, {182, 185}, {186, 197}, {206, 209}};
    static const QList<Range> star;
    switch (system) {
    case MeasuringSystem::SinglePhase:
        return singlePhase;
    case MeasuringSystem::Delta:
        return delta;
    case MeasuringSystem::Star:
        break;
    }
    return star;
}

QList<int> normSet(MeasuringSystem system)
{
    QList<int> set;
    switch (system) {
    case MeasuringSystem::Star:
        set = {53, 54, 55, 57, 58, 59, 61, 62, 63, 244};
        break;
    case MeasuringSystem::Delta:
        set = {65, 66, 67, 69, 70, 71, 73, 74, 75, 244};
        break;
    case MeasuringSystem::SinglePhase:
        set = {1, 2, 3};
        break;
    }
    // Frequency, event recording, THDU avg, UH1 and UH2-UH24 min, max, avg.
    set += {49, 50, 51, FirstEventRecording, 139, 214, 215, 216, 218, 219, 220};
    return set;
}

} // namespace kapstat::config::entries
