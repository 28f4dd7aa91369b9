#pragma once

#include "calib/calibrationset.h"
#include "live/countersframe.h"
#include "live/livestore.h"

#include <QStringList>
#include <optional>

namespace kapstat::norm {
class PcCounterSlots;
}

namespace kapstat::live {

// The "Liczniki" page: every recorder counter of a 0x18 response beside the program's count of
// the same item, in a fixed-pitch text whose columns line up.
class CountersText
{
public:
    CountersText(const norm::PcCounterSlots& pc, const calib::RangeScale& scale,
                 const std::array<int, ChannelCount>& ranges)
        : m_pc(pc), m_scale(scale), m_ranges(ranges)
    {
    }

    // The lines of the page; a line that cannot be built ends the text with "Wystapil blad!!!".
    QStringList lines(const CountersFrame& frame) const;

    static QString errorLine();
    // What the recorder side shows where the frame carries no value.
    static QString missingRecorderValue();

    struct LineLayout;

private:
    std::optional<QString> line(const CountersFrame& frame, const LineLayout& layout) const;
    static std::optional<QString> recorderValue(const CountersFrame& frame,
                                                const LineLayout& layout, int phase);
    std::optional<QString> programValue(const LineLayout& layout, int phase) const;

    const norm::PcCounterSlots& m_pc;
    const calib::RangeScale& m_scale;
    const std::array<int, ChannelCount>& m_ranges;
};

} // namespace kapstat::live
