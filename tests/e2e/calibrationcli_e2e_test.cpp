// kapstat-cli calibration against kapstat-sim: the coefficients read, sent and stored, and both
// automatic calibrations bringing drifted coefficients back to the emulated converters.
#include "cliprocess.h"
#include "simprocess.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int LineCount = 127;
// Lines (0-based) of slot 1 of UL2 and of IL3: DC offset, then gain mantissa and exponent.
constexpr int Ul2Slot1 = 1 + 3 * (4 + 1);
constexpr int Il3Slot1 = 1 + 36 + 3 * (2 * 10 + 1);

QList<int> readKal(const QString& path)
{
    QFile file(path);
    QList<int> values;
    if (!file.open(QIODevice::ReadOnly))
        return values;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            values << line.trimmed().toInt();
    return values;
}

void writeKal(const QString& path, const QList<int>& values)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int v : values)
        file.write(QByteArray::number(v) + "\r\n");
}

class CalibrationCliTest : public ::testing::Test
{
protected:
    CliRun cli(const QStringList& arguments)
    {
        return runCli(
            QStringList{QStringLiteral("--port"), sim.portPath(), QStringLiteral("calibration")} +
            arguments);
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    SimProcess sim{{}};
    QTemporaryDir dir;
};

} // namespace

TEST_F(CalibrationCliTest, DriftedCoefficientsAreCalibratedBackToTheConverters)
{
    ASSERT_FALSE(sim.portPath().isEmpty());
    ASSERT_EQ(cli({"read", path("factory.kal")}).status, 0);
    const QList<int> factory = readKal(path("factory.kal"));
    ASSERT_EQ(factory.size(), LineCount);

    QList<int> drifted = factory;
    for (int line : {Ul2Slot1, Il3Slot1}) {
        drifted[line] += 9;
        drifted[line + 1] = drifted[line + 1] * 96 / 100;
    }
    writeKal(path("drifted.kal"), drifted);
    const CliRun send = cli({"send", path("drifted.kal"), "--eeprom"});
    ASSERT_EQ(send.status, 0) << qPrintable(send.err);
    EXPECT_TRUE(send.err.contains(
        QStringLiteral("Współczynniki kalibracji przepisano poprawnie do EEPROMU.")));
    ASSERT_EQ(cli({"read", path("sent.kal")}).status, 0);
    EXPECT_EQ(readKal(path("sent.kal")), drifted);

    // IL2 is the emulator's loop channel: the clamps' ranges are calibrated on the others.
    const QString channels = QStringLiteral("UL1,UL2,UL3,IL1,IL3");
    const CliRun dc = cli({"auto-dc", "--range", "1", "--channels", channels});
    ASSERT_EQ(dc.status, 0) << qPrintable(dc.err);
    EXPECT_TRUE(dc.err.contains(QStringLiteral("Kalibracja DC zakresu 1 zakonczona!")));
    EXPECT_LE(dc.err.count(QStringLiteral("Ramka")), 8);
    EXPECT_TRUE(dc.out.contains(QStringLiteral("UL2 zakres 1: DC %1").arg(factory[Ul2Slot1])))
        << qPrintable(dc.out);

    const CliRun gain =
        cli({"auto-gain", "--range", "1", "--un", "220", "--in", "5", "--channels", channels});
    ASSERT_EQ(gain.status, 0) << qPrintable(gain.err);
    EXPECT_TRUE(gain.err.contains(QStringLiteral("Kalibracja WZM zakresu 1zakonczona!")));

    ASSERT_EQ(cli({"read", path("calibrated.kal")}).status, 0);
    const QList<int> calibrated = readKal(path("calibrated.kal"));
    ASSERT_EQ(calibrated.size(), LineCount);
    for (int line : {Ul2Slot1, Il3Slot1}) {
        EXPECT_EQ(calibrated[line], factory[line]) << line;
        // Within 0.02 %: the rounding of the sine's 50 samples a period to whole counts.
        EXPECT_NEAR(calibrated[line + 1], factory[line + 1], 5) << line;
        EXPECT_EQ(calibrated[line + 2], factory[line + 2]) << line;
    }
}

TEST_F(CalibrationCliTest, AFileThatIsNotACalibrationIsRefusedAndNothingIsSent)
{
    ASSERT_FALSE(sim.portPath().isEmpty());
    QList<int> values(LineCount, 1);
    writeKal(path("short.kal"), values.mid(1));
    QFile text(path("text.kal"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray("1\r\n").repeated(60) + "abc\r\n" + QByteArray("1\r\n").repeated(66));
    text.close();
    for (const char* name : {"short.kal", "text.kal", "missing.kal"}) {
        const CliRun run = cli({"send", path(name)});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_FALSE(run.err.isEmpty()) << name;
    }
    EXPECT_EQ(cli({"auto-dc", "--range", "4"}).status, 2); // the clamps have ranges 0-3
    EXPECT_EQ(sim.stopAndCountCommands().value(0x12), 0);
}
