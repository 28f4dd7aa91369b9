#include "calib/coefficientrows.h"

namespace kapstat::calib {

int CoefficientSelection::slotOf(int channel) const
{
    const bool loop = transducer == Transducer::Loop && channel >= FirstCurrentChannel;
    return calib::slotOf(loop ? Transducer::Loop : Transducer::Clamps, rangeEntry);
}

bool CoefficientSelection::showsChannel(int channel) const
{
    return transducer == Transducer::Clamps || channel >= FirstCurrentChannel;
}

std::array<CoefficientRow, ChannelCount> coefficientRows(const CalibrationSet& set,
                                                         const CoefficientSelection& selection)
{
    std::array<CoefficientRow, ChannelCount> rows{};
    const bool gain = selection.mode == CalibrationMode::Gain;
    for (int c = 0; c < ChannelCount; ++c) {
        const int slot = selection.slotOf(c);
        CoefficientRow& row = rows[c];
        row.visible = selection.showsChannel(c);
        row.value = gain ? set.gainMantissa[c][slot] : set.dcOffset[c][slot];
        row.exponent = gain ? set.gainExponent[c][slot] : 0;
        row.exponentEditable = gain && row.visible;
    }
    return rows;
}

void setRowValue(CalibrationSet& set, const CoefficientSelection& selection, int channel, int value)
{
    const int slot = selection.slotOf(channel);
    if (selection.mode == CalibrationMode::Gain)
        set.gainMantissa[channel][slot] = value;
    else
        set.dcOffset[channel][slot] = value;
}

void setRowExponent(CalibrationSet& set, const CoefficientSelection& selection, int channel,
                    int exponent)
{
    if (selection.mode == CalibrationMode::Gain)
        set.gainExponent[channel][selection.slotOf(channel)] = exponent;
}

} // namespace kapstat::calib
