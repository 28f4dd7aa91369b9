#include "calib/autocalibration.h"
#include "calib/calibrationblock.h"
#include "calib/calibrationfile.h"
#include "calib/calibrationstatetext.h"
#include "calib/coefficientrows.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::calib;

TEST(AutoCalibration, DcIsDoneWithinHalfACountAndStepsAgainstTheMean)
{
    struct Case
    {
        double mean;
        bool done;
        int step;
    };
    for (const Case& c : {Case{0.4, true, 1}, Case{-0.5, true, -1}, Case{0.5, true, 1},
                          Case{0.6, false, 1}, Case{-0.7, false, -1}, Case{3.7, false, 2},
                          Case{-3.7, false, -2}, Case{4.0, false, 3}, Case{-9.9, false, -5}}) {
        EXPECT_EQ(isDcDone(c.mean), c.done) << c.mean;
        EXPECT_EQ(dcOffsetStep(c.mean), c.step) << c.mean;
    }
}

TEST(AutoCalibration, GainMakesTheMeasuredRmsReadTheSetPointInFiveDigits)
{
    const auto gain = calibratedGain(220, 0.0123, 221);
    ASSERT_TRUE(gain);
    EXPECT_EQ(gain->mantissa, 12244);
    EXPECT_EQ(gain->exponent, -6);
    const auto same = calibratedGain(220, 0.0123, 220);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->mantissa, 12300);
    EXPECT_EQ(same->exponent, -6);
}

TEST(AutoCalibration, GainWithNoSignalOrNoSoundCoefficientIsRefused)
{
    EXPECT_FALSE(calibratedGain(220, 0.0123, 0));    // no signal: the scaling never ends
    EXPECT_FALSE(calibratedGain(220, 0.0123, -221)); // a negative coefficient
    EXPECT_FALSE(calibratedGain(220, 0, 221));       // an unset coefficient stays unset
    EXPECT_FALSE(calibratedGain(220, 1e6, 0.001));   // beyond the block's five digits
}

TEST(AutoCalibration, RangeCodesAndSlotsOfTheListEntries)
{
    const quint8 codes[] = {0x00, 0x09, 0x12, 0x1B, 0x27, 0x2F};
    for (int entry = 0; entry < 6; ++entry)
        EXPECT_EQ(rangeCode(entry), codes[entry]);
    EXPECT_EQ(slotOf(Transducer::Clamps, 2), 2);
    EXPECT_EQ(slotOf(Transducer::Loop, 2), 6);
    EXPECT_EQ(rangeEntryCount(Transducer::Clamps), 4);
    EXPECT_EQ(rangeEntryCount(Transducer::Loop), 6);
}

namespace {

CalibrationSet everyValueDifferent()
{
    CalibrationSet set;
    set.generatorCorrection = -7;
    for (int c = 0; c < ChannelCount; ++c)
        for (int r = 0; r < RangeSlotCount; ++r) {
            if (!calibrationblock::hasSlot(c, r))
                continue;
            set.dcOffset[c][r] = c * 10 + r - 30;
            set.gainMantissa[c][r] = 10000 + 1000 * c + 10 * r;
            set.gainExponent[c][r] = -3 - r;
        }
    set.lastCalibration = QDate(2024, 3, 15);
    return set;
}

class CalibrationFileTest : public ::testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString writeLines(const char* name, const QList<QByteArray>& lines) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QByteArray& line : lines)
            file.write(line + "\r\n");
        return file.fileName();
    }
    QList<QByteArray> linesOf(const QString& file) const
    {
        QFile in(file);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll().split('\n');
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(CalibrationFileTest, RoundTripRestoresEverythingButTheDate)
{
    const CalibrationSet written = everyValueDifferent();
    ASSERT_FALSE(calibrationfile::save(written, path("a.kal")));
    const QList<QByteArray> lines = linesOf(path("a.kal"));
    ASSERT_EQ(lines.size(), 128); // 127 lines, each ended by CR LF
    EXPECT_EQ(lines[0], "-7\r");
    EXPECT_EQ(lines[1], "-30\r"); // UL1 slot 0: offset, mantissa, exponent
    EXPECT_EQ(lines[2], "10000\r");
    EXPECT_EQ(lines[3], "-3\r");
    EXPECT_EQ(lines[37], "0\r");    // IL1 slot 0, after the 36 lines of the voltages
    EXPECT_EQ(lines[126], "-12\r"); // IL3 slot 9's exponent

    CalibrationSet read;
    ASSERT_FALSE(calibrationfile::load(read, path("a.kal")));
    CalibrationSet expected = written;
    expected.lastCalibration = QDate();
    EXPECT_EQ(read, expected);
}

TEST_F(CalibrationFileTest, AFileThatIsNot127SoundIntegersChangesNothing)
{
    QList<QByteArray> good;
    for (int i = 0; i < calibrationfile::LineCount; ++i)
        good << QByteArray::number(i % 3 == 2 ? 10001 : 1);
    struct Case
    {
        const char* what;
        int line; // the line changed (0-based), -1 for a line removed
        QByteArray text;
        const char* named; // what the message names
    };
    for (const Case& c : {Case{"short", -1, {}, "126"}, Case{"text", 40, "12a", "41"},
                          Case{"fraction", 5, "1,5", "6"}, Case{"six digits", 2, "123456", "3"},
                          Case{"offset", 1, "128", "2"}}) {
        QList<QByteArray> lines = good;
        if (c.line < 0)
            lines.removeLast();
        else
            lines[c.line] = c.text;
        const QString file = writeLines(c.what, lines);
        CalibrationSet set = everyValueDifferent();
        const auto error = calibrationfile::load(set, file);
        ASSERT_TRUE(error) << c.what;
        EXPECT_TRUE(error->contains(QLatin1String(c.named))) << c.what << qPrintable(*error);
        EXPECT_EQ(set, everyValueDifferent()) << c.what;
    }
}

TEST(CalibrationView, CoefficientRowsFollowTransducersModeAndRange)
{
    CalibrationSet set;
    for (int c = 0; c < ChannelCount; ++c)
        for (int r = 0; r < RangeSlotCount; ++r) {
            set.dcOffset[c][r] = 10 * c + r;
            set.gainMantissa[c][r] = 10000 + 10 * c + r;
            set.gainExponent[c][r] = -r;
        }
    CoefficientSelection clampsGain{Transducer::Clamps, CalibrationMode::Gain, 3};
    auto rows = coefficientRows(set, clampsGain);
    EXPECT_EQ(rows[0].value, 10003);
    EXPECT_EQ(rows[0].exponent, -3);
    EXPECT_TRUE(rows[0].exponentEditable);
    EXPECT_TRUE(rows[0].visible);

    CoefficientSelection loopDc{Transducer::Loop, CalibrationMode::Dc, 2};
    rows = coefficientRows(set, loopDc);
    EXPECT_FALSE(rows[1].visible);
    EXPECT_EQ(rows[4].value, 46); // slot 6
    EXPECT_EQ(rows[4].exponent, 0);
    EXPECT_FALSE(rows[4].exponentEditable);

    setRowValue(set, loopDc, 5, -9);
    EXPECT_EQ(set.dcOffset[5][6], -9);
    CoefficientSelection loopGain{Transducer::Loop, CalibrationMode::Gain, 2};
    setRowValue(set, loopGain, 3, 12345);
    setRowExponent(set, loopGain, 3, -7);
    EXPECT_EQ(set.gainMantissa[3][6], 12345);
    EXPECT_EQ(set.gainExponent[3][6], -7);
    setRowExponent(set, loopDc, 3, 4); // no exponent in DC mode
    EXPECT_EQ(set.gainExponent[3][6], -7);
}

TEST(CalibrationView, StateTextsUseTheTableFormatsAndShowUnreadableValuesRaw)
{
    live::LiveStore store;
    store.peaks = {1792, 0, 5, 327, 12, 3};
    store.ranges = {2, 0, 1, 3, 5, 0};
    store.computedValues[0] = 219.98765;
    store.recorderValues[0] = 220.0;
    store.recorderValues[3] = 4.995;
    store.recorderValues[4] = 0.5;
    store.recorderRaw[5] = QStringLiteral("2A01FF");
    const auto rows = calibrationStateTexts(store, {3.7, -0.5, 0, 0, 0, 0});
    EXPECT_EQ(rows[0].peak, QStringLiteral("1792"));
    EXPECT_EQ(rows[0].range, QStringLiteral("2"));
    EXPECT_EQ(rows[4].range, QStringLiteral("1P"));
    EXPECT_EQ(rows[0].dc, QStringLiteral("3,7000"));
    EXPECT_EQ(rows[1].dc, QStringLiteral("-0,5000"));
    EXPECT_EQ(rows[0].pcRms, QStringLiteral("219,9877"));
    EXPECT_EQ(rows[0].recorderRms, QStringLiteral("220 V"));
    EXPECT_EQ(rows[3].recorderRms, QStringLiteral("5 A"));
    EXPECT_EQ(rows[4].recorderRms, QStringLiteral("0,5 A"));
    EXPECT_FALSE(rows[4].recorderRaw);
    EXPECT_EQ(rows[5].recorderRms, QStringLiteral("2A01FF"));
    EXPECT_TRUE(rows[5].recorderRaw);
}
