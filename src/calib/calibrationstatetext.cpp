#include "calib/calibrationstatetext.h"

#include "common/decimaltext.h"
#include "live/instantframe.h"
#include "live/valueformat.h"

namespace kapstat::calib {

QString fourDecimals(double value)
{
    return common::DecimalText::fixed(value, 4);
}

std::array<ChannelStateText, ChannelCount>
calibrationStateTexts(const live::LiveStore& store, const std::array<double, ChannelCount>& means)
{
    std::array<ChannelStateText, ChannelCount> rows;
    for (int c = 0; c < ChannelCount; ++c) {
        ChannelStateText& row = rows[c];
        const int range = store.ranges[c];
        row.peak = QString::number(store.peaks[c]);
        row.range =
            c < FirstCurrentChannel ? QString::number(range) : live::frame::rangeText(range);
        row.dc = fourDecimals(means[c]);
        row.pcRms = fourDecimals(static_cast<double>(store.computedValues[c]));
        row.recorderRaw = !store.recorderRaw[c].isEmpty();
        row.recorderRms =
            row.recorderRaw
                ? store.recorderRaw[c]
                : live::formatAtMostTwoDecimals(static_cast<double>(store.recorderValues[c])) +
                      (c < FirstCurrentChannel ? QStringLiteral(" V") : QStringLiteral(" A"));
    }
    return rows;
}

} // namespace kapstat::calib
