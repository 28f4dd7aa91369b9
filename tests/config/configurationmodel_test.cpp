#include "config/configurationmodel.h"
#include "config/selectionentries.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace kapstat::config {
namespace {

QList<int> litEntries(const ConfigurationModel& model)
{
    QList<int> lit;
    for (int e = 1; e < entries::Count; ++e)
        if (model.isLit(e))
            lit << e;
    return lit;
}

QList<int> rowEntries(int position)
{
    QList<int> result;
    for (int e = 1; e < entries::Count; ++e)
        if (entries::rowPosition(e) == position)
            result << e;
    return result;
}

void lightAll(ConfigurationModel& model)
{
    for (int e = 1; e < entries::Count; ++e)
        if (!model.isLit(e))
            model.clickIndicator(e);
}

TEST(ConfigurationModel, FreshStartDisablesTheInstantValues)
{
    ConfigurationModel model;
    for (int e : rowEntries(entries::InstPosition)) {
        EXPECT_FALSE(model.isEnabled(e)) << e;
        EXPECT_FALSE(model.isLit(e)) << e;
    }
    for (int position = 0; position < 3; ++position)
        for (int e : rowEntries(position))
            EXPECT_TRUE(model.isEnabled(e)) << e;
    EXPECT_EQ(model.colour(entries::NormMode), IndicatorColour::Yellow);
    EXPECT_EQ(model.colour(1), IndicatorColour::Green);
}

TEST(ConfigurationModel, PeriodZeroKeepsOnlyInstantValuesAndTheOptions)
{
    ConfigurationModel model;
    lightAll(model);
    model.setStoragePeriod(0);
    for (int position = 0; position < 3; ++position)
        for (int e : rowEntries(position)) {
            EXPECT_FALSE(model.isEnabled(e)) << e;
            EXPECT_FALSE(model.isLit(e)) << e;
        }
    for (int e : rowEntries(entries::InstPosition))
        EXPECT_TRUE(model.isEnabled(e)) << e;
    for (int e = 41; e <= 48; ++e)
        EXPECT_TRUE(model.isLit(e)) << e;
    for (int e = 153; e <= 161; ++e)
        EXPECT_TRUE(model.isLit(e)) << e;
}

TEST(ConfigurationModel, SinglePhaseDisablesWhatOnePhaseCannotMeasure)
{
    ConfigurationModel model;
    model.applySystemChange(MeasuringSystem::SinglePhase);
    for (const auto& range : {entries::Range{25, 40}, {53, 136}, {174, 209}, {242, 245}})
        for (int e = range.first; e <= range.last; ++e)
            EXPECT_FALSE(model.isEnabled(e)) << e;
    for (int e : {1, 137, 145, 210, 218, 234, 162, 170})
        EXPECT_TRUE(model.isEnabled(e)) << e;
    model.applySystemChange(MeasuringSystem::Star);
    for (int e : {25, 53, 101, 174, 242}) {
        EXPECT_TRUE(model.isEnabled(e)) << e;
        EXPECT_FALSE(model.isLit(e)) << e;
    }
}

TEST(ConfigurationModel, DeltaLowersTheOvervoltageThresholdTo110)
{
    const std::pair<const char*, const char*> cases[] = {
        {"190", "110"}, {"105", "105"}, {"110", "110"}};
    for (const auto& [before, after] : cases) {
        ConfigurationModel model;
        model.setNormText(NormField::OvervoltageThreshold, QString::fromUtf8(before));
        model.applySystemChange(MeasuringSystem::Delta);
        EXPECT_EQ(model.configuration().norm[NormField::OvervoltageThreshold],
                  QString::fromUtf8(after));
    }
}

TEST(ConfigurationModel, SettingTheSameSystemRunsNothing)
{
    ConfigurationModel model;
    QSignalSpy spy(&model, &ConfigurationModel::indicatorsChanged);
    model.applySystemChange(MeasuringSystem::Star);
    EXPECT_EQ(spy.count(), 0);
}

TEST(ConfigurationModel, NormModeLightsAndLocksTheNormSet)
{
    ConfigurationModel model;
    model.clickIndicator(1);
    model.setCondition(0, {5, QStringLiteral("1"), QStringLiteral("2")});
    model.setThdBase(ThdBase::Rms);
    QSignalSpy capacity(&model, &ConfigurationModel::capacityChanged);
    EXPECT_FALSE(model.clickIndicator(entries::NormMode).has_value());

    QList<int> expected{49, 50, 51, 53, 54, 55, 57, 58, 59, 61, 62, 63, 139};
    for (int e = 153; e <= 158; ++e)
        expected << e;
    expected += {214, 215, 216, 218, 219, 220, 244};
    EXPECT_EQ(litEntries(model), expected);
    for (int e : expected)
        EXPECT_EQ(model.colour(e), IndicatorColour::Red) << e;
    EXPECT_EQ(model.configuration().thdBase, ThdBase::H1);
    EXPECT_EQ(model.configuration().conditions[0].quantity, 0);
    EXPECT_FALSE(model.areNormLockedControlsEnabled());
    ASSERT_FALSE(capacity.isEmpty());
    EXPECT_TRUE(capacity.last().at(0).toString().startsWith(
        QStringLiteral("Mozliwa rejestracja 3684 rekordów")));

    model.clickIndicator(53); // red: stays lit
    EXPECT_TRUE(model.isLit(53));
    model.clickIndicator(1); // green: lights
    EXPECT_TRUE(model.isLit(1));
}

TEST(ConfigurationModel, NormSetPerSystem)
{
    ConfigurationModel delta;
    delta.applySystemChange(MeasuringSystem::Delta);
    delta.clickIndicator(entries::NormMode);
    EXPECT_TRUE(delta.isLit(65) && delta.isLit(73) && delta.isLit(244));
    EXPECT_FALSE(delta.isLit(53));

    ConfigurationModel single;
    single.applySystemChange(MeasuringSystem::SinglePhase);
    single.clickIndicator(entries::NormMode);
    EXPECT_TRUE(single.isLit(1) && single.isLit(3) && single.isLit(153));
    EXPECT_FALSE(single.isLit(244));
}

TEST(ConfigurationModel, NormModeOffRestoresThePeriodRules)
{
    ConfigurationModel model;
    model.clickIndicator(entries::NormMode);
    model.clickIndicator(entries::NormMode);
    for (int e = 1; e < entries::Count; ++e)
        EXPECT_EQ(model.colour(e), IndicatorColour::Green) << e;
    EXPECT_TRUE(model.areNormLockedControlsEnabled());
    EXPECT_FALSE(model.isEnabled(4)); // inst at a 5-minute period
    EXPECT_TRUE(model.isLit(53));     // what the norm lit stays lit
}

TEST(ConfigurationModel, NormModeNeedsAStoragePeriod)
{
    for (const int period : {0, NoChoice}) {
        ConfigurationModel model;
        model.setStoragePeriod(period);
        const auto message = model.clickIndicator(entries::NormMode);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(*message,
                  QStringLiteral("Aby wykonywać badanie zgodności z normą należy ustawić okres "
                                 "zapamiętywania pomiarów, na stronie SET-UP, na >=1 min."));
        EXPECT_FALSE(model.configuration().normMode());
    }
}

TEST(ConfigurationModel, DisabledIndicatorsIgnoreClicks)
{
    ConfigurationModel model;
    model.clickIndicator(4); // inst, disabled at 5 minutes
    EXPECT_FALSE(model.isLit(4));
    model.clickIndicator(155); // one of the six event recording entries lights all six
    for (int e = 153; e <= 158; ++e)
        EXPECT_TRUE(model.isLit(e));
}

TEST(ConfigurationModel, NormParameterStepping)
{
    struct Case
    {
        NormField field;
        const char* before;
        int direction;
        const char* after;
    };
    const Case cases[] = {
        {NormField::FreqNarrowMinus, "1", +1, "1,1"},
        {NormField::VoltageShare, "95", +1, "96"},
        {NormField::Harmonic5, "9,9", +1, "9,9"},
        {NormField::LongInterruption, "60", -1, "60"},
        {NormField::OvervoltageThreshold, "100", -1, "100"},
        {NormField::VoltageMinus, "0,1", -1, "0"},
        {NormField::Harmonic2, "0,3", +1, "0,4"},
        {NormField::InterruptionThreshold, "10", +1, "10"},
    };
    for (const Case& k : cases) {
        ConfigurationModel model;
        model.setNormText(k.field, QString::fromUtf8(k.before));
        model.stepNormParameter(k.field, k.direction);
        EXPECT_EQ(model.configuration().norm[k.field], QString::fromUtf8(k.after)) << k.before;
    }
}

TEST(ConfigurationModel, InlineEditorAndMirrors)
{
    ConfigurationModel model;
    EXPECT_EQ(model.mirrors().dipUpper, QStringLiteral("90,0"));
    model.commitNormEditor(NormField::VoltageMinus, 10);
    EXPECT_EQ(model.configuration().norm[NormField::VoltageMinus], QStringLiteral("10,0"));
    EXPECT_EQ(model.mirrors().dipUpper, QStringLiteral("90,0"));
    model.commitNormEditor(NormField::LongInterruption, 300); // limited to the range
    EXPECT_EQ(model.configuration().norm[NormField::LongInterruption], QStringLiteral("250"));
    EXPECT_EQ(model.mirrors().longInterruption, QStringLiteral("250"));
    model.commitNormEditor(NormField::VoltageShare, 94.5);
    EXPECT_EQ(model.configuration().norm[NormField::VoltageShare], QStringLiteral("95"));
    EXPECT_EQ(normedit::editorDecimals(NormField::Harmonic9), 1);
    EXPECT_EQ(normedit::editorDecimals(NormField::ThdLimit), 0);

    model.stepNormParameter(NormField::VoltageMinus, +1);
    EXPECT_EQ(model.mirrors().dipUpper, QStringLiteral("89,9"));
    model.stepNormParameter(NormField::VoltagePlus, +1);
    EXPECT_EQ(model.mirrors().overvoltageTolerance, QStringLiteral("10,1"));
    model.stepNormParameter(NormField::InterruptionThreshold, +1);
    EXPECT_EQ(model.mirrors().dipLower, QStringLiteral("2"));
}

TEST(ConfigurationModel, ResetNormDefaults)
{
    ConfigurationModel model;
    model.setStoragePeriod(0);
    model.clickIndicator(4); // an instant value, allowed at one second
    model.setNormText(NormField::Harmonic9, QStringLiteral("2"));
    model.setNormText(NormField::LongInterruption, QStringLiteral("100"));
    model.setNormText(NormField::OvervoltageThreshold, QStringLiteral("150"));
    model.resetNormDefaults();
    EXPECT_TRUE(model.configuration().isDefaultNorm());
    EXPECT_EQ(model.configuration().norm[NormField::LongInterruption], QStringLiteral("180"));
    EXPECT_EQ(model.configuration().norm[NormField::OvervoltageThreshold], QStringLiteral("150"));
    EXPECT_FALSE(model.isLit(4)); // the period is 10 minutes now
    EXPECT_FALSE(model.isEnabled(4));
}

TEST(ConfigurationModel, CtSecondaryCheck)
{
    for (const char* good : {"0,20", "1,00", "0,55"})
        EXPECT_FALSE(ctSecondaryProblem(QString::fromUtf8(good)).has_value()) << good;
    for (const char* bad : {"0,19", "1,01", "a,bc", "", "0.50"})
        EXPECT_EQ(ctSecondaryProblem(QString::fromUtf8(bad)),
                  QStringLiteral("Proszę wpisać liczbę od 0,20 do 1,00"))
            << bad;
}

TEST(ConfigurationModel, CopyStation1)
{
    ConfigurationModel model;
    StationSettings first = model.configuration().stations[0];
    first.un = 400;
    first.vtPrimary = 15000;
    first.vtSecondary = 2;
    first.ctPrimary = 50;
    first.ctSecondary = QStringLiteral("0,50");
    model.setStation(0, first);
    model.copyStation1(StationColumn::Un);
    model.copyStation1(StationColumn::CtSecondary);
    const StationSettings& last = model.configuration().stations[7];
    EXPECT_EQ(last.un, 400);
    EXPECT_EQ(last.ctSecondary, QStringLiteral("0,50"));
    EXPECT_EQ(last.vtPrimary, 230);
    EXPECT_EQ(last.description, QStringLiteral("Stacja 8"));
}

} // namespace
} // namespace kapstat::config
