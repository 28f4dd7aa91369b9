#include "live/livevalues.h"
#include "live/quantitynumbers.h"

#include <gtest/gtest.h>

using namespace kapstat::live;
using namespace kapstat::live::quantity;
using kapstat::config::MeasuringSystem;

namespace {

std::array<Real, RecorderValueCount> sampleValues()
{
    std::array<Real, RecorderValueCount> v{};
    v[Rms] = 230.46L;
    v[Rms + 3] = 0.0512L;
    v[TotalVoltage] = 398.2L;
    v[TotalCurrent] = 12.0L;
    v[TotalActivePower] = 1234.5L;
    v[TotalReactivePower] = 12340;
    v[TotalPowerFactor] = -0.5L;
    v[TotalTangent] = 5.123L;
    v[EnergyActivePlus] = 123456.7L;
    v[LineVoltage12 + 2] = 400;
    return v;
}

const TotalsRow& totalsRow(const LiveValuesView& view, const QString& caption)
{
    for (const TotalsRow& row : view.totals)
        if (row.caption == caption)
            return row;
    throw std::runtime_error("no row " + caption.toStdString());
}

QStringList hiddenCaptions(const LiveValuesView& view)
{
    QStringList hidden;
    for (const TotalsRow& row : view.totals)
        if (!row.visible)
            hidden << row.caption;
    return hidden;
}

// Per phase row, "v" for a value and "-" for "-----" in each of the columns L1, L2, L3.
QStringList phasePresence(const LiveValuesView& view)
{
    QStringList rows;
    for (const PhaseRow& row : view.phases) {
        QString marks;
        for (const LiveField& f : row.fields)
            marks += f.value == absentValueText() ? QLatin1Char('-') : QLatin1Char('v');
        rows << row.captions[0] + QLatin1Char(':') + marks;
    }
    return rows;
}

const QStringList SixExtraRows{"UDC", "IDC", "THDU", "THDI", "CFU", "CFI"};

} // namespace

TEST(LiveValues, StarShowsEveryPhaseAndHidesTheExtraTotals)
{
    const LiveValuesView view = showLiveValues(sampleValues(), MeasuringSystem::Star);
    ASSERT_EQ(view.totals.size(), 26);
    ASSERT_EQ(view.phases.size(), 16);
    EXPECT_EQ(hiddenCaptions(view), SixExtraRows);
    EXPECT_EQ(totalsRow(view, "P").field.value, QStringLiteral(" 1,23"));
    EXPECT_EQ(totalsRow(view, "P").field.unit, QStringLiteral("kW"));
    EXPECT_EQ(totalsRow(view, "Q").field.unit, QStringLiteral("kVAr"));
    EXPECT_EQ(totalsRow(view, "PF").field.value, QStringLiteral("-0,50"));
    EXPECT_EQ(totalsRow(view, "tg").field.value, QStringLiteral(" 5,12"));
    EXPECT_EQ(totalsRow(view, "Ep(+)").field.value, QStringLiteral("123,4567"));
    EXPECT_EQ(totalsRow(view, "Ep(+)").field.unit, QStringLiteral("kWh"));
    EXPECT_EQ(totalsRow(view, "Es").field.value, QStringLiteral("0,000000"));
    EXPECT_EQ(totalsRow(view, "Es").field.unit, QStringLiteral("VAh"));
    for (const QString& row : phasePresence(view))
        EXPECT_TRUE(row.endsWith(QLatin1String(":vvv"))) << row.toStdString();
    EXPECT_EQ(view.waveformCaptions[0], QStringLiteral("UL1 =   230V"));
    EXPECT_EQ(view.waveformCaptions[1], QStringLiteral("IL1 =  51,2mA"));
    EXPECT_EQ(view.phases[1].captions, (std::array<QString, 3>{"U31", "U23", "U12"}));
    EXPECT_EQ(view.phases[1].fields[0].value, QStringLiteral("  400"));
}

TEST(LiveValues, DeltaShowsDashesForWhatItCannotMeasure)
{
    const LiveValuesView view = showLiveValues(sampleValues(), MeasuringSystem::Delta);
    EXPECT_EQ(hiddenCaptions(view), SixExtraRows);
    for (const char* caption : {"tg", "Uo", "Io"})
        EXPECT_EQ(totalsRow(view, caption).field.value, absentValueText()) << caption;
    EXPECT_EQ(totalsRow(view, "Uo").field.unit, QStringLiteral("V"));
    EXPECT_EQ(totalsRow(view, "U1").field.value, QStringLiteral("    0"));
    const QStringList expected{"U:---",    "U31:vvv",  "I:vv-",   "P:vv-",  "Q:vv-",   "S:vv-",
                               "D:vv-",    "PF:vv-",   "tg:---",  "DF:vv-", "UDC:vv-", "IDC:vv-",
                               "THDU:vv-", "THDI:vv-", "CFU:vv-", "CFI:vv-"};
    EXPECT_EQ(phasePresence(view), expected);
    EXPECT_EQ(view.phases[2].fields[2].unit, QStringLiteral("A")); // bare unit beside "-----"
    EXPECT_EQ(view.waveformCaptions[0], QStringLiteral("UL31 =   400V"));
    EXPECT_TRUE(view.waveformCaptions[4].isEmpty());
}

TEST(LiveValues, SinglePhaseShowsTheExtraTotalsAndNoPhases)
{
    std::array<Real, RecorderValueCount> values = sampleValues();
    values[Thd] = 100;
    values[Mean] = -0.25L;
    const LiveValuesView view = showLiveValues(values, MeasuringSystem::SinglePhase);
    EXPECT_TRUE(hiddenCaptions(view).isEmpty());
    EXPECT_EQ(totalsRow(view, "THDU").field.value, QStringLiteral(" 100"));
    EXPECT_EQ(totalsRow(view, "THDU").field.unit, QStringLiteral("%"));
    EXPECT_EQ(totalsRow(view, "UDC").field.value, QStringLiteral("- 250"));
    EXPECT_EQ(totalsRow(view, "UDC").field.unit, QStringLiteral("mV"));
    for (const char* caption : {"Uo", "U1", "U2", "U2/U1*", "Io"})
        EXPECT_EQ(totalsRow(view, caption).field.value, absentValueText()) << caption;
    EXPECT_EQ(totalsRow(view, "tg").field.value, QStringLiteral(" 5,12"));
    for (const QString& row : phasePresence(view))
        EXPECT_TRUE(row.endsWith(QLatin1String(":---"))) << row.toStdString();
    EXPECT_EQ(view.waveformCaptions[0], QStringLiteral("U=  398V"));
    EXPECT_EQ(view.waveformCaptions[1], QStringLiteral("I= 12,0A"));
    EXPECT_TRUE(view.waveformCaptions[2].isEmpty());
}
