// kapstat-cli live against kapstat-sim: the frames it reads and prints, and the program's own
// analysis of the samples checked against the values the emulator worked out from the signal.
#include "cliprocess.h"
#include "live/quantitynumbers.h"
#include "simprocess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

using namespace kapstat::live::quantity;

namespace {

struct LiveRun
{
    CliRun cli;
    QList<QJsonObject> frames;
    QMap<int, int> commands;
};

LiveRun runLive(const QStringList& simArguments, const QStringList& liveArguments)
{
    SimProcess sim(simArguments);
    LiveRun run;
    if (sim.portPath().isEmpty())
        return run;
    run.cli = runCli(QStringList{"--port", sim.portPath(), "live"} + liveArguments);
    for (const QString& line : run.cli.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        run.frames.append(QJsonDocument::fromJson(line.toUtf8()).object());
    run.commands = sim.stopAndCountCommands();
    return run;
}

// computed[number] against recorder[recorderNumber], within 2 % of the recorder's value plus
// `absolute` plus `share` of the recorder's value No. `reference` (the quantity's natural
// scale: a sum near zero is judged against the RMS it came from).
struct Check
{
    int number;
    int recorderNumber;
    double absolute = 0;
    int reference = -1;
    double share = 0;
};

using Checks = QList<Check>;

void addChannel(Checks& checks, int c)
{
    checks += {{Rms + c, Rms + c},
               {Mean + c, Mean + c, 0, Rms + c, 0.01},
               {CrestFactor + c, CrestFactor + c, 1.5},
               {Thd + c, Thd + c, 0.3}};
    const int offset = c < 3 ? c : c + 3;
    checks += {{FundamentalSine + offset, FundamentalSine + offset, 0, Rms + c, 0.015},
               {FundamentalCosine + offset, FundamentalCosine + offset, 0, Rms + c, 0.015}};
}

void addPhase(Checks& checks, int p)
{
    const int s = ApparentPower + p;
    checks += {{ActivePower + p, ActivePower + p, 0, s, 0.01},
               {ReactivePower + p, ReactivePower + p, 0, s, 0.01},
               {s, s},
               {PowerFactor + p, PowerFactor + p, 0.02},
               {DistortionPower + p, DistortionPower + p, 0, s, 0.03}};
}

Checks totals()
{
    return {{TotalVoltage, TotalVoltage},
            {TotalCurrent, TotalCurrent},
            {TotalPowerFactor, TotalPowerFactor, 0.02},
            {TotalActivePower, TotalActivePower, 0, TotalApparentPower, 0.01},
            {TotalReactivePower, TotalReactivePower, 0, TotalApparentPower, 0.01},
            {TotalApparentPower, TotalApparentPower},
            {TotalDistortionPower, TotalDistortionPower, 0, TotalApparentPower, 0.03},
            {Frequency, Frequency}};
}

Checks starChecks()
{
    Checks checks = totals();
    for (int c = 0; c < 6; ++c)
        addChannel(checks, c);
    for (int p = 0; p < 3; ++p) {
        addPhase(checks, p);
        checks += Check{LineVoltage12 + p, LineVoltage12 + p};
    }
    checks += {{ZeroSequenceVoltage, ZeroSequenceVoltage, 0, PositiveSequenceVoltage, 0.01},
               {PositiveSequenceVoltage, PositiveSequenceVoltage},
               {NegativeSequenceVoltage, NegativeSequenceVoltage, 0, PositiveSequenceVoltage, 0.01},
               {ZeroSequenceCurrent, ZeroSequenceCurrent, 0, Rms + 3, 0.01},
               {Unbalance, Unbalance, 0.3}};
    return checks;
}

Checks deltaChecks()
{
    Checks checks = totals();
    for (const int c : {0, 1, 3, 4})
        addChannel(checks, c);
    for (int p = 0; p < 2; ++p)
        addPhase(checks, p);
    // The third line voltage, U12, and the third line's coefficients (channel 1 - channel 0).
    checks +=
        {{Rms + 2, LineVoltage12},
         {FundamentalSine + 2, FundamentalSine + 2, 0, Rms, 0.015},
         {FundamentalCosine + 2, FundamentalCosine + 2, 0, Rms, 0.015},
         {PositiveSequenceVoltage, PositiveSequenceVoltage},
         {NegativeSequenceVoltage, NegativeSequenceVoltage, 0, PositiveSequenceVoltage, 0.01}};
    return checks;
}

// Under "1 faza" the recorder reports the phase as the totals and the L1 extras.
Checks singlePhaseChecks()
{
    Checks checks = totals();
    checks += {{Mean, Mean, 0, TotalVoltage, 0.01},
               {Mean + 3, Mean + 3, 0, TotalCurrent, 0.01},
               {CrestFactor, CrestFactor, 1.5},
               {CrestFactor + 3, CrestFactor + 3, 1.5},
               {Thd, Thd, 0.3},
               {Thd + 3, Thd + 3, 0.3},
               {FundamentalSine, FundamentalSine, 0, TotalVoltage, 0.015},
               {FundamentalCosine, FundamentalCosine, 0, TotalVoltage, 0.015},
               {CurrentFundamentalSine, CurrentFundamentalSine, 0, TotalCurrent, 0.015},
               {CurrentFundamentalCosine, CurrentFundamentalCosine, 0, TotalCurrent, 0.015}};
    return checks;
}

bool allZero(const QJsonValue& value)
{
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        return std::all_of(array.begin(), array.end(),
                           [](const QJsonValue& v) { return allZero(v); });
    }
    return value.toDouble() == 0;
}

} // namespace

TEST(LiveCommand, AnalysisAgreesWithTheEmulatorsValuesInEachSystem)
{
    struct Case
    {
        const char* option;
        const char* system;
        Checks checks;
    };
    const Case cases[] = {{"gwiazda", "gwiazda", starChecks()},
                          {"trojkat", "trójkąt", deltaChecks()},
                          {"1faza", "1 faza", singlePhaseChecks()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        const LiveRun run = runLive({"--system", c.option}, {"--frames", "2", "--json"});
        ASSERT_EQ(run.cli.status, 0) << run.cli.err.toStdString();
        ASSERT_EQ(run.frames.size(), 2);
        // The configuration once, the two frames, nothing else.
        EXPECT_EQ(run.commands, (QMap<int, int>{{0x0A, 1}, {0x07, 2}}));
        const QJsonObject& first = run.frames[0];
        const QJsonObject& second = run.frames[1];
        EXPECT_EQ(first.value("system").toString(), QString::fromUtf8(c.system));
        // No calibration block was read: the first frame scales to zero, the second does not.
        EXPECT_TRUE(allZero(first.value("scaled")));
        EXPECT_FALSE(allZero(second.value("scaled")));
        EXPECT_EQ(second.value("raw").toArray().size(), 6);
        EXPECT_EQ(second.value("raw").toArray()[0].toArray().size(), 300);
        EXPECT_EQ(second.value("rangeScale").toArray()[5].toArray().size(), 10);
        EXPECT_EQ(second.value("recorder").toArray().size(), 143);
        EXPECT_EQ(second.value("computedHarmonics").toArray()[8].toArray().size(), 25);
        const QJsonArray recorder = second.value("recorder").toArray();
        const QJsonObject computed = second.value("computed").toObject();
        for (const Check& check : c.checks) {
            const double r = recorder[check.recorderNumber].toDouble();
            ASSERT_TRUE(computed.contains(QString::number(check.number))) << check.number;
            const double v = computed.value(QString::number(check.number)).toDouble();
            const double reference =
                check.reference < 0 ? 0 : std::fabs(recorder[check.reference].toDouble());
            const double tolerance = 0.02 * std::fabs(r) + check.absolute + check.share * reference;
            EXPECT_NEAR(v, r, tolerance) << "No. " << check.number;
        }
    }
}

TEST(LiveCommand, PrintsTheValuePagesAsTabSeparatedLines)
{
    const LiveRun run = runLive({"--system", "trojkat"}, {});
    ASSERT_EQ(run.cli.status, 0) << run.cli.err.toStdString();
    const QStringList lines = run.cli.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // 20 visible totals rows and 16 per-phase rows of three columns.
    ASSERT_EQ(lines.size(), 20 + 16 * 3);
    for (const QString& line : lines)
        EXPECT_EQ(line.count(QLatin1Char('\t')), 2) << line.toStdString();
    EXPECT_TRUE(lines.contains("tg\t-----\t"));
    EXPECT_TRUE(lines.contains("U L1\t-----\tV"));
    EXPECT_TRUE(lines.filter(QRegularExpression("^U31 L1\t  [34]\\d\\d\tV$")).size() == 1)
        << run.cli.out.toStdString();
    EXPECT_TRUE(lines.filter(QRegularExpression("^UDC\t")).isEmpty()); // hidden under delta
    EXPECT_EQ(run.commands, (QMap<int, int>{{0x0A, 1}, {0x07, 1}}));
}

TEST(LiveCommand, DamagedValueIsZeroWithItsRawText)
{
    const LiveRun run = runLive({"--bad-live-value", "25"}, {"--json"});
    ASSERT_EQ(run.frames.size(), 1) << run.cli.err.toStdString();
    EXPECT_EQ(run.frames[0].value("recorder").toArray()[25].toDouble(), 0);
    EXPECT_EQ(run.frames[0].value("recorderRaw").toObject().keys(), QStringList{"25"});
}

TEST(LiveCommand, BadArgumentsAreUsageErrors)
{
    for (const QStringList& arguments :
         {QStringList{"--frames", "0"}, QStringList{"--frames"}, QStringList{"--fast"}}) {
        const CliRun run = runCli(QStringList{"--sim", "live"} + arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
    }
}
