#include "calib/calibrationblock.h"
#include "calib/calibrationreader.h"
#include "link/devicenumbers.h"

#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::calib;

namespace {

CalibrationSet sampleSet()
{
    CalibrationSet set;
    set.generatorCorrection = -5;
    for (int c = 0; c < ChannelCount; ++c)
        for (int r = 0; r < RangeSlotCount; ++r) {
            if (!calibrationblock::hasSlot(c, r))
                continue;
            set.dcOffset[c][r] = (c * 10 + r) % 50 - 25;
            set.gainMantissa[c][r] = 10000 + 1111 * c + 7 * r;
            set.gainExponent[c][r] = -4 - r;
        }
    return set;
}

// The 0x13 response for a set: the 0x12 block, the date, then DecFloat4 scales.
link::ResponseBytes responseFor(const CalibrationSet& set, const QDate& date)
{
    QByteArray data = calibrationblock::encode(set, date).data;
    data.resize(311);
    for (int c = 0; c < ChannelCount; ++c)
        for (int r = 0; r < NormalSlotCount; ++r) { // 2500 x 10^(-c-r)
            QByteArray scale = QByteArray::fromHex("002500");
            scale.append(static_cast<char>(link::numbers::encodeSigned8(-c - r).byte));
            data.replace(calibrationblock::scalePosition(c, r) - 5, 4, scale);
        }
    return link::ResponseBytes::withData(0x13, data);
}

} // namespace

TEST(CalibrationBlock, EncodesTheFieldsAtTheirPositions)
{
    CalibrationSet set;
    set.generatorCorrection = -5;
    set.gainMantissa[0][0] = 12300;
    set.gainExponent[0][0] = -6;
    set.dcOffset[5][9] = -1;
    const auto encoded = calibrationblock::encode(set, QDate(2026, 12, 10));
    ASSERT_EQ(encoded.data.size(), 215);
    EXPECT_FALSE(encoded.overflow);
    EXPECT_EQ(encoded.data.mid(0, 2).toHex(), QByteArray("fbff"));
    EXPECT_EQ(encoded.data.mid(49 - 5, 4).toHex(), QByteArray("002301fa"));
    EXPECT_EQ(static_cast<quint8>(encoded.data[31 + 6 * 2 + 5 - 5]), 0xFF);
    EXPECT_EQ(encoded.data.right(3).toHex(), QByteArray("101226"));
}

TEST(CalibrationBlock, DecodesWhatWasEncodedAndFillsTheRangeScale)
{
    const CalibrationSet set = sampleSet();
    CalibrationSet decoded;
    RangeScale scale;
    calibrationblock::decode(responseFor(set, QDate(2025, 3, 1)), decoded, scale);

    EXPECT_EQ(decoded.generatorCorrection, -5);
    EXPECT_EQ(decoded.dcOffset, set.dcOffset);
    EXPECT_EQ(decoded.gainMantissa, set.gainMantissa);
    EXPECT_EQ(decoded.gainExponent, set.gainExponent);
    EXPECT_EQ(decoded.lastCalibration, QDate(2025, 3, 1));
    EXPECT_DOUBLE_EQ(scale.at(2, 3), 2500e-5);
    EXPECT_DOUBLE_EQ(scale.at(4, 6), set.coefficient(4, 6));
    for (int c = 0; c < FirstCurrentChannel; ++c)
        for (int r = NormalSlotCount; r < RangeSlotCount; ++r)
            EXPECT_EQ(scale.at(c, r), 0) << "voltage channels have no loop slots";
}

TEST(CalibrationBlock, OverflowingOffsetsAreFlaggedAndOversizedGainsRefused)
{
    CalibrationSet set = sampleSet();
    set.dcOffset[1][2] = 130;
    const auto overflowing = calibrationblock::encode(set, QDate(2026, 1, 1));
    EXPECT_TRUE(overflowing.overflow);
    EXPECT_EQ(overflowing.data.size(), 215) << "still written";
    EXPECT_EQ(static_cast<quint8>(overflowing.data[7 + 4 + 2 - 5]), 130);

    set.gainMantissa[3][7] = 123456;
    const auto refused = calibrationblock::encode(set, QDate(2026, 1, 1));
    EXPECT_TRUE(refused.data.isEmpty());
    EXPECT_FALSE(refused.error.isEmpty());
}

TEST(CalibrationBlock, ABlockCutShortReadsAsZerosWithNoDate)
{
    CalibrationSet decoded;
    RangeScale scale;
    const QByteArray data = calibrationblock::encode(sampleSet(), QDate(2026, 1, 1)).data.left(100);
    calibrationblock::decode(link::ResponseBytes::withData(0x13, data), decoded, scale);
    EXPECT_FALSE(decoded.lastCalibration.isValid());
    EXPECT_EQ(decoded.gainMantissa[5][9], 0);
    EXPECT_EQ(scale.at(0, 0), 0);
}
