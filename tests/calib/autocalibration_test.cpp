#include "calib/autocalibration.h"
#include "calib/calibrationblock.h"
#include "calib/calibrationfile.h"

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
