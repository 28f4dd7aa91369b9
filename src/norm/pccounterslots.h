#pragma once

#include <array>

namespace kapstat::norm {

// The program's own counts shown beside the recorder's counters. One instance for the program's
// run: the compliance statistics write their slots into it, the counters comparison reads them.
class PcCounterSlots
{
public:
    static constexpr int Count = 170;

    // 0 for a slot out of range.
    double value(int slot) const;
    void set(int slot, double value);

private:
    std::array<double, Count> m_values{};
};

} // namespace kapstat::norm
