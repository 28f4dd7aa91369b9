#include "browse/recordpreview.h"
#include "previewrecords.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace kapstat::browse;
using namespace previewrecords;

namespace {

const QString SelectionFile = QStringLiteral("/data/DB/240305-102030_1_Hala.POM");
const QString FileLine = QStringLiteral("Pomiary z pliku: 240305-102030_1_Hala.POM");
constexpr int Delta = 2;
constexpr int Star = 3;

void expectOnlyActive(const PreviewContent& content, std::initializer_list<int> active)
{
    for (int slot = 0; slot < PreviewSlotCount; ++slot)
        EXPECT_EQ(content.slots[slot].active,
                  std::find(active.begin(), active.end(), slot) != active.end())
            << "slot " << slot;
}

void expectRange(const PreviewAxis& axis, double min, double max)
{
    EXPECT_TRUE(axis.visible);
    EXPECT_FALSE(axis.automatic);
    EXPECT_NEAR(axis.min, min, 1e-9);
    EXPECT_NEAR(axis.max, max, 1e-9);
}

} // namespace

TEST(DecodeSignMagnitude, ReadsSignAndMagnitude)
{
    const struct
    {
        uchar low, high;
        int value;
    } cases[] = {
        {0x00, 0x80, 0},      {0xFF, 0xFF, -32767}, {0xFF, 0x7F, 32767}, {0x00, 0x00, 0},
        {0x34, 0x12, 0x1234}, {0x01, 0x80, -1},     {0x00, 0x81, -256},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeSignMagnitude(c.low, c.high), c.value)
            << std::hex << int(c.high) << ' ' << int(c.low);
}

// Waveforms of an RMS record.

TEST(RmsColumnPreview, DrawsVoltageAndCurrentScaledByTheirGains)
{
    RecordValues record = rmsRecord({0.5, 2, 3, 0.01, 5, 6});
    record.insert(QStringLiteral("ProbkiUL1"),
                  samplesBlob([](int i) { return i == 0 ? 1000 : -(i % 7); }));
    record.insert(QStringLiteral("ProbkiIL1"), constantSamples(-300));

    // Entering either of the phase's samples columns shows both.
    for (const QString& column : {QStringLiteral("ProbkiUL1"), QStringLiteral("ProbkiIL1")}) {
        const auto content = rmsColumnPreview(record, column, SelectionFile);
        ASSERT_TRUE(content) << column.toStdString();
        expectOnlyActive(*content, {VoltageLine, CurrentLine});

        const PreviewSlot& voltage = content->slots[VoltageLine];
        EXPECT_EQ(voltage.title, QStringLiteral("U"));
        EXPECT_EQ(voltage.rgb, rgb::Blue);
        ASSERT_EQ(voltage.points.size(), SampleCount);
        EXPECT_EQ(voltage.points.first(), QPointF(0.4, 500));
        EXPECT_DOUBLE_EQ(voltage.points[8].y(), -0.5);
        EXPECT_DOUBLE_EQ(voltage.points.last().x(), 120.0);

        const PreviewSlot& current = content->slots[CurrentLine];
        EXPECT_EQ(current.title, QStringLiteral("I"));
        EXPECT_EQ(current.rgb, rgb::Green);
        ASSERT_EQ(current.points.size(), SampleCount);
        EXPECT_DOUBLE_EQ(current.points[100].y(), -3.0);

        expectRange(content->left, -1000, 1000);
        EXPECT_TRUE(content->left.grid);
        EXPECT_EQ(content->left.title, QStringLiteral("napięcie [V]"));
        expectRange(content->right, -20, 20);
        EXPECT_EQ(content->right.title, QStringLiteral("prąd [A]"));
        EXPECT_TRUE(content->bottom.visible);
        EXPECT_TRUE(content->bottom.automatic);
        EXPECT_EQ(content->bottom.title, QStringLiteral("czas [ms]"));
        EXPECT_FALSE(content->top.visible);
        EXPECT_EQ(content->titleLines,
                  QStringList({QStringLiteral("Wykresy kształtów przebiegów z rekordu nr 17 z "
                                              "2024-03-05 10:20:30"),
                               FileLine}));
    }
}

TEST(RmsColumnPreview, TakesEachPhasesGainsFromItsOwnColumns)
{
    const RecordValues gains = rmsRecord({1, 2, 3, 4, 5, 6});
    for (int phase = 1; phase <= 3; ++phase) {
        RecordValues record = gains;
        const QString suffix = QStringLiteral("L") + QString::number(phase);
        record.insert(QStringLiteral("ProbkiU") + suffix, constantSamples(10));
        record.insert(QStringLiteral("ProbkiI") + suffix, constantSamples(10));
        const auto content = rmsColumnPreview(record, QStringLiteral("ProbkiU") + suffix, {});
        ASSERT_TRUE(content) << phase;
        EXPECT_DOUBLE_EQ(content->slots[VoltageLine].points[0].y(), 10.0 * phase) << phase;
        EXPECT_DOUBLE_EQ(content->slots[CurrentLine].points[0].y(), 10.0 * (phase + 3)) << phase;
    }
}

TEST(RmsColumnPreview, ShowsOnlyTheCurrentWhenTheTableKeepsNoVoltageSamples)
{
    RecordValues record = rmsRecord({1, 2, 3, 4, 5, 6});
    record.insert(QStringLiteral("ProbkiIL2"), constantSamples(7));
    const auto content = rmsColumnPreview(record, QStringLiteral("ProbkiIL2"), SelectionFile);
    ASSERT_TRUE(content);
    expectOnlyActive(*content, {CurrentLine});
    EXPECT_TRUE(content->slots[VoltageLine].points.isEmpty());
    EXPECT_DOUBLE_EQ(content->slots[CurrentLine].points[0].y(), 35.0);
    EXPECT_EQ(content->slots[CurrentLine].title, QStringLiteral("I"));
}

TEST(RmsColumnPreview, SumsThePhaseCurrentsIntoTheNeutralCurrent)
{
    RecordValues record = rmsRecord({1, 1, 1, 1, 2, 4});
    record.insert(QStringLiteral("I0ch"), 1.5);
    record.insert(QStringLiteral("ProbkiIL1"), constantSamples(100));
    record.insert(QStringLiteral("ProbkiIL2"), constantSamples(200));
    record.insert(QStringLiteral("ProbkiIL3"), samplesBlob([](int i) { return i == 5 ? 0 : -50; }));

    const auto content = rmsColumnPreview(record, QStringLiteral("I0ch"), SelectionFile);
    ASSERT_TRUE(content);
    expectOnlyActive(*content, {CurrentLine});
    const PreviewSlot& neutral = content->slots[CurrentLine];
    EXPECT_EQ(neutral.rgb, rgb::Olive);
    EXPECT_EQ(neutral.title, QStringLiteral("I0ch"));
    ASSERT_EQ(neutral.points.size(), SampleCount);
    EXPECT_EQ(neutral.points[0], QPointF(0.4, 300));
    EXPECT_DOUBLE_EQ(neutral.points[5].y(), 500.0);
    EXPECT_FALSE(content->left.visible);
    EXPECT_FALSE(content->left.grid);
    EXPECT_TRUE(content->right.visible);
    EXPECT_TRUE(content->right.automatic);
    EXPECT_EQ(content->right.title, QStringLiteral("prąd I0ch [A]"));
    EXPECT_TRUE(content->bottom.automatic);
    EXPECT_FALSE(content->top.visible);
    EXPECT_EQ(content->titleLines,
              QStringList({QStringLiteral("Wykres kształtu przebiegu prądu zerowego I0 z rekordu "
                                          "nr 17 z 2024-03-05 10:20:30"),
                           FileLine}));

    record.remove(QStringLiteral("ProbkiIL3"));
    EXPECT_FALSE(rmsColumnPreview(record, QStringLiteral("I0ch"), SelectionFile));
}

TEST(RmsColumnPreview, HidesForOtherColumnsAndUnreadableRecords)
{
    RecordValues good = rmsRecord({1, 2, 3, 4, 5, 6});
    good.insert(QStringLiteral("ProbkiUL1"), constantSamples(1));
    good.insert(QStringLiteral("ProbkiIL1"), constantSamples(1));
    good.insert(QStringLiteral("UL1sr"), 230.0);
    ASSERT_TRUE(rmsColumnPreview(good, QStringLiteral("ProbkiUL1"), {}));

    const struct
    {
        const char* name;
        QString column;
        std::function<void(RecordValues&)> damage;
    } cases[] = {
        {"a quantity column", QStringLiteral("UL1sr"), [](RecordValues&) {}},
        {"a column the table lacks", QStringLiteral("ProbkiUL2"), [](RecordValues&) {}},
        {"samples one byte short", QStringLiteral("ProbkiUL1"),
         [](RecordValues& r) { r[QStringLiteral("ProbkiIL1")] = constantSamples(1).chopped(1); }},
        {"NULL samples", QStringLiteral("ProbkiUL1"),
         [](RecordValues& r) { r[QStringLiteral("ProbkiUL1")] = QVariant(); }},
        {"samples stored as a number", QStringLiteral("ProbkiUL1"),
         [](RecordValues& r) { r[QStringLiteral("ProbkiUL1")] = 5; }},
        {"a missing gain", QStringLiteral("ProbkiUL1"),
         [](RecordValues& r) { r.remove(QStringLiteral("Wzm3")); }},
        {"a NULL gain", QStringLiteral("ProbkiUL1"),
         [](RecordValues& r) { r[QStringLiteral("Wzm0")] = QVariant(); }},
        {"a gain that is no number", QStringLiteral("ProbkiUL1"),
         [](RecordValues& r) { r[QStringLiteral("Wzm0")] = QStringLiteral("x"); }},
    };
    for (const auto& c : cases) {
        RecordValues record = good;
        c.damage(record);
        EXPECT_FALSE(rmsColumnPreview(record, c.column, {})) << c.name;
    }
}

TEST(RmsColumnPreview, ReadsTheFirst300SamplesOfALongerValueAndFreesTheAxisOfAZeroGain)
{
    RecordValues record = rmsRecord({0, 2, 3, 4, 5, 6});
    record.insert(QStringLiteral("ProbkiUL1"),
                  QByteArray(constantSamples(3) + QByteArray(100, 0x7f)));
    const auto content = rmsColumnPreview(record, QStringLiteral("ProbkiUL1"), {});
    ASSERT_TRUE(content);
    EXPECT_EQ(content->slots[VoltageLine].points.size(), SampleCount);
    EXPECT_TRUE(content->left.automatic);
}

// The spectrum of a harmonics record.

TEST(HarmonicsColumnPreview, ShowsOneYellowSeriesWhenOnlyMeansAreKept)
{
    RecordValues record = harmonicsRecord(QStringLiteral("L2"));
    addSpectrum(record, QStringLiteral("UH"), QStringLiteral("sr"),
                [](int order) { return order / 5.0; });
    const auto content =
        harmonicsColumnPreview(record, QStringLiteral("UH5sr"), Star, SelectionFile);
    ASSERT_TRUE(content);
    expectOnlyActive(*content, {MeanBars});
    const PreviewSlot& means = content->slots[MeanBars];
    EXPECT_EQ(means.rgb, rgb::Yellow);
    ASSERT_EQ(means.points.size(), 23);
    EXPECT_EQ(means.points.first(), QPointF(2, 0.4));
    EXPECT_EQ(means.points.last(), QPointF(24, 4.8));
    EXPECT_EQ(means.pointColours, QVector<quint32>(23, rgb::Yellow));
    expectRange(content->left, 0, 6);
    EXPECT_TRUE(content->left.grid);
    EXPECT_EQ(content->left.title, QStringLiteral("wartość harmnicznej [%]"));
    EXPECT_TRUE(content->bottom.visible);
    EXPECT_TRUE(content->bottom.automatic);
    EXPECT_EQ(content->bottom.title, QStringLiteral("numer harmonicznej"));
    EXPECT_FALSE(content->right.visible);
    EXPECT_FALSE(content->top.visible);
    EXPECT_EQ(
        content->titleLines,
        QStringList({QStringLiteral("Wykresy harmonicznych UL2 z 2024-03-05 10:30:00"), FileLine}));
}

TEST(HarmonicsColumnPreview, StepsTheAxisMaximumWithTheLargestWholeValue)
{
    const struct
    {
        double highest;
        std::optional<double> maximum; // none: automatic
    } cases[] = {{5.99, 6},  {6, 60},      {50.9, 60},          {51, 110},           {100.99, 110},
                 {101, 220}, {200.5, 220}, {201, std::nullopt}, {1500, std::nullopt}};
    for (const auto& c : cases) {
        RecordValues record = harmonicsRecord(QStringLiteral("L1"));
        addSpectrum(record, QStringLiteral("IH"), QStringLiteral("max"),
                    [&](int order) { return order == 7 ? c.highest : 1.0; });
        const auto content = harmonicsColumnPreview(record, QStringLiteral("IH2max"), Star, {});
        ASSERT_TRUE(content) << c.highest;
        EXPECT_EQ(content->left.automatic, !c.maximum) << c.highest;
        if (c.maximum)
            expectRange(content->left, 0, *c.maximum);
    }
}

TEST(HarmonicsColumnPreview, ColoursTheThirdSeriesByVoltageOrCurrent)
{
    const struct
    {
        QString prefix;
        quint32 colour;
    } cases[] = {{QStringLiteral("UH"), rgb::Blue}, {QStringLiteral("IH"), rgb::Green}};
    for (const auto& [prefix, colour] : cases) {
        RecordValues record = harmonicsRecord(QStringLiteral("L1"));
        addSpectrum(record, prefix, QStringLiteral("min"), [](int) { return 1.0; });
        addSpectrum(record, prefix, QStringLiteral("max"), [](int) { return 3.0; });
        addSpectrum(record, prefix, QStringLiteral("sr"), [](int) { return 2.0; });
        addSpectrum(record, prefix, QStringLiteral("ch"), [](int) { return 2.5; });
        const auto content =
            harmonicsColumnPreview(record, prefix + QStringLiteral("9ch"), Star, {});
        ASSERT_TRUE(content);
        expectOnlyActive(*content, {MaximumBars, MeanBars, MinimumBars});
        EXPECT_EQ(content->slots[MaximumBars].rgb, rgb::Red);
        EXPECT_EQ(content->slots[MaximumBars].title, QStringLiteral("max."));
        EXPECT_EQ(content->slots[MeanBars].title, QStringLiteral("śr."));
        const PreviewSlot& third = content->slots[MinimumBars];
        EXPECT_EQ(third.rgb, colour);
        EXPECT_EQ(third.pointColours, QVector<quint32>(23, colour));
        // The minima only: instantaneous values on the same orders would double every bar.
        EXPECT_EQ(third.title, QStringLiteral("min."));
        ASSERT_EQ(third.points.size(), 23);
        EXPECT_EQ(third.points[3].y(), 1.0);
    }
}

TEST(HarmonicsColumnPreview, ShowsInstantaneousValuesWhereNoMinimaAreKept)
{
    RecordValues record = harmonicsRecord(QStringLiteral("L3"));
    addSpectrum(record, QStringLiteral("UH"), QStringLiteral("ch"), [](int) { return 0.7; });
    const auto content = harmonicsColumnPreview(record, QStringLiteral("UH3ch"), Star, {});
    ASSERT_TRUE(content);
    expectOnlyActive(*content, {MinimumBars});
    EXPECT_EQ(content->slots[MinimumBars].title, QStringLiteral("chwil."));
    EXPECT_EQ(content->slots[MinimumBars].rgb, rgb::Blue);
    EXPECT_EQ(content->slots[MinimumBars].points[0].y(), 0.7);
}

TEST(HarmonicsColumnPreview, HidesForOtherColumnsAndUnreadableSpectra)
{
    RecordValues record = harmonicsRecord(QStringLiteral("L1"));
    addSpectrum(record, QStringLiteral("UH"), QStringLiteral("sr"), [](int) { return 1.0; });
    record.insert(QStringLiteral("cosH1sr"), 0.9);
    record.insert(QStringLiteral("IH1sr"), 3.0);
    record.insert(QStringLiteral("THDUsr"), 3.0);
    ASSERT_TRUE(harmonicsColumnPreview(record, QStringLiteral("UH2sr"), Star, {}));

    for (const QString& column : {QStringLiteral("cosH1sr"), QStringLiteral("IH1sr"),
                                  QStringLiteral("THDUsr"), QStringLiteral("UH30sr")})
        EXPECT_FALSE(harmonicsColumnPreview(record, column, Star, {})) << column.toStdString();

    RecordValues gap = record;
    gap.remove(QStringLiteral("UH17sr"));
    EXPECT_FALSE(harmonicsColumnPreview(gap, QStringLiteral("UH2sr"), Star, {}));
    RecordValues notNumber = record;
    notNumber[QStringLiteral("UH5sr")] = QStringLiteral("abc");
    EXPECT_FALSE(harmonicsColumnPreview(notNumber, QStringLiteral("UH2sr"), Star, {}));
    // A NULL reads as the store's 0.
    RecordValues null = record;
    null[QStringLiteral("UH5sr")] = QVariant();
    const auto content = harmonicsColumnPreview(null, QStringLiteral("UH2sr"), Star, {});
    ASSERT_TRUE(content);
    EXPECT_EQ(content->slots[MeanBars].points[3], QPointF(5, 0));
}

// Phasor diagrams.

namespace {

RecordValues starRecord(double referenceDegrees)
{
    RecordValues record = harmonicsRecord(QStringLiteral("L1"));
    for (int phase = 0; phase < 3; ++phase) {
        const QString suffix = QStringLiteral("L") + QString::number(phase + 1);
        const double angle = referenceDegrees - 120 * phase;
        addPhasor(record, QStringLiteral("U") + suffix, polarDegrees(230, angle));
        addPhasor(record, QStringLiteral("I") + suffix, polarDegrees(10 + phase, angle - 30));
    }
    return record;
}

// Where a phasor at the given angle from the reference ends, drawn with the real part up.
QPointF drawnAt(double magnitude, double degrees)
{
    const auto phasor = polarDegrees(magnitude, degrees);
    return {phasor.imag(), phasor.real()};
}

QStringList legendOf(const PreviewContent& content)
{
    QStringList captions;
    for (const PreviewLegendEntry& entry : arrowLegend(content))
        captions.append(entry.caption);
    return captions;
}

void expectNear(const QPointF& actual, const QPointF& expected)
{
    EXPECT_NEAR(actual.x(), expected.x(), 1e-9);
    EXPECT_NEAR(actual.y(), expected.y(), 1e-9);
}

} // namespace

TEST(HarmonicsColumnPreview, TurnsAStarDiagramSoThatUL1PointsUp)
{
    const auto content =
        harmonicsColumnPreview(starRecord(77), QStringLiteral("BUL1"), Star, SelectionFile);
    ASSERT_TRUE(content);
    expectOnlyActive(*content, {VoltageArrows, CurrentArrows});

    const QVector<PreviewArrow>& voltages = content->slots[VoltageArrows].arrows;
    const QVector<PreviewArrow>& currents = content->slots[CurrentArrows].arrows;
    ASSERT_EQ(voltages.size(), 3);
    ASSERT_EQ(currents.size(), 3);
    const QString phases[] = {QStringLiteral("L1"), QStringLiteral("L2"), QStringLiteral("L3")};
    const quint32 colours[] = {rgb::Red, rgb::Green, rgb::Blue};
    for (int phase = 0; phase < 3; ++phase) {
        EXPECT_EQ(voltages[phase].label, QStringLiteral("U") + phases[phase]);
        EXPECT_EQ(currents[phase].label, QStringLiteral("I") + phases[phase]);
        EXPECT_EQ(voltages[phase].rgb, colours[phase]);
        EXPECT_EQ(currents[phase].rgb, colours[phase]);
        EXPECT_EQ(voltages[phase].from, QPointF());
        EXPECT_EQ(currents[phase].from, QPointF());
        expectNear(voltages[phase].to, drawnAt(230, -120 * phase));
        expectNear(currents[phase].to, drawnAt(10 + phase, -120 * phase - 30));
    }
    expectNear(voltages[0].to, QPointF(0, 230));

    expectRange(content->left, -276, 276);
    expectRange(content->bottom, -276, 276);
    // IL3 lies at 90°: across, 12 A from the origin.
    expectRange(content->right, -14.4, 14.4);
    expectRange(content->top, -14.4, 14.4);
    EXPECT_FALSE(content->left.grid);
    EXPECT_EQ(content->left.title, QStringLiteral("napięcie [V]"));
    EXPECT_EQ(content->bottom.title, QStringLiteral("napięcie [V]"));
    EXPECT_EQ(content->right.title, QStringLiteral("prąd [A]"));
    EXPECT_EQ(content->top.title, QStringLiteral("prąd [A]"));
    EXPECT_EQ(
        content->titleLines,
        QStringList({QStringLiteral("Wykresy wskazowe napięć i prądów z rekordu nr 14 z "
                                    "2024-03-05 10:30:00"),
                     FileLine, QStringLiteral("napięcia - groty wąskie; prądy - groty szerokie")}));

    EXPECT_EQ(legendOf(*content), QStringList({QStringLiteral("UL1 IL1"), QStringLiteral("UL2 IL2"),
                                               QStringLiteral("UL3 IL3")}));
}

TEST(HarmonicsColumnPreview, LeavesPhasorsUnturnedWithoutAReferenceVoltage)
{
    RecordValues record = harmonicsRecord(QStringLiteral("L1"));
    addPhasor(record, QStringLiteral("UL1"), 0);
    addPhasor(record, QStringLiteral("IL1"), {3, 4});
    addPhasor(record, QStringLiteral("UL2"), {100, 0});
    const auto content = harmonicsColumnPreview(record, QStringLiteral("CUL1"), Star, {});
    ASSERT_TRUE(content);
    expectNear(content->slots[CurrentArrows].arrows[0].to, QPointF(4, 3));
    expectNear(content->slots[VoltageArrows].arrows[1].to, QPointF(0, 100));
    // Phasors the table does not hold are zero.
    expectNear(content->slots[VoltageArrows].arrows[2].to, QPointF(0, 0));
}

TEST(HarmonicsColumnPreview, ClosesTheDeltaCurrentsAndTurnsByThirtyDegrees)
{
    const struct
    {
        double secondVoltageDegrees; // from the first
        double turn;
    } cases[] = {{60, 30}, {-60, -30}, {170, 30}};
    for (const auto& c : cases) {
        RecordValues record = harmonicsRecord(QStringLiteral("L1"));
        const double reference = 40;
        addPhasor(record, QStringLiteral("UL1"), polarDegrees(400, reference));
        addPhasor(record, QStringLiteral("UL2"),
                  polarDegrees(400, reference + c.secondVoltageDegrees));
        addPhasor(record, QStringLiteral("IL1"), polarDegrees(5, reference - 50));
        addPhasor(record, QStringLiteral("IL2"), polarDegrees(7, reference + 100));
        // A delta record's third phasors are never read.
        addPhasor(record, QStringLiteral("UL3"), {999, 999});
        addPhasor(record, QStringLiteral("IL3"), {999, 999});

        const auto content = harmonicsColumnPreview(record, QStringLiteral("BUL1"), Delta, {});
        ASSERT_TRUE(content) << c.secondVoltageDegrees;
        const QVector<PreviewArrow>& voltages = content->slots[VoltageArrows].arrows;
        const QVector<PreviewArrow>& currents = content->slots[CurrentArrows].arrows;
        ASSERT_EQ(voltages.size(), 3);
        ASSERT_EQ(currents.size(), 3);

        const QPointF u1 = drawnAt(400, c.turn);
        const QPointF u2 = drawnAt(400, c.secondVoltageDegrees + c.turn);
        EXPECT_EQ(voltages[0].label, QStringLiteral("U13"));
        expectNear(voltages[0].from, QPointF());
        expectNear(voltages[0].to, u1);
        EXPECT_EQ(voltages[1].label, QStringLiteral("U32"));
        expectNear(voltages[1].from, u2);
        expectNear(voltages[1].to, QPointF());
        EXPECT_EQ(voltages[2].label, QStringLiteral("U21"));
        expectNear(voltages[2].from, u1);
        expectNear(voltages[2].to, u2);
        EXPECT_EQ((QVector<quint32>{voltages[0].rgb, voltages[1].rgb, voltages[2].rgb}),
                  (QVector<quint32>{rgb::Red, rgb::Green, rgb::Blue}));

        expectNear(currents[0].to, drawnAt(5, -50 + c.turn));
        expectNear(currents[1].to, drawnAt(7, 100 + c.turn));
        EXPECT_EQ(currents[2].label, QStringLiteral("IL3"));
        expectNear(currents[2].to, -(currents[0].to + currents[1].to));
    }
}

TEST(HarmonicsColumnPreview, NamesTheLineVoltagesOfADeltaInItsLegend)
{
    RecordValues record = harmonicsRecord(QStringLiteral("L1"));
    addPhasor(record, QStringLiteral("UL1"), {400, 0});
    addPhasor(record, QStringLiteral("UL2"), polarDegrees(400, 60));
    const auto content = harmonicsColumnPreview(record, QStringLiteral("BUL1"), Delta, {});
    ASSERT_TRUE(content);
    EXPECT_EQ(legendOf(*content), QStringList({QStringLiteral("U13 IL1"), QStringLiteral("U32 IL2"),
                                               QStringLiteral("U21 IL3")}));
}

TEST(HarmonicsColumnPreview, DrawsOnePairOfArrowsForASinglePhase)
{
    const auto content = harmonicsColumnPreview(starRecord(0), QStringLiteral("BUL1"), 1, {});
    ASSERT_TRUE(content);
    ASSERT_EQ(content->slots[VoltageArrows].arrows.size(), 1);
    ASSERT_EQ(content->slots[CurrentArrows].arrows.size(), 1);
    EXPECT_EQ(content->slots[VoltageArrows].arrows[0].label, QStringLiteral("UL1"));
    EXPECT_EQ(content->slots[CurrentArrows].arrows[0].rgb, rgb::Red);
    // Only the first phase counts for the axes: IL1, 10 A at -30°.
    const double currentRange = 1.2 * 10 * std::cos(30 * std::numbers::pi / 180);
    expectRange(content->right, -currentRange, currentRange);
}

TEST(HarmonicsColumnPreview, HidesPhasorsOfUnreadableRecords)
{
    RecordValues damaged = starRecord(0);
    damaged[QStringLiteral("CIL2")] = QStringLiteral("abc");
    EXPECT_FALSE(harmonicsColumnPreview(damaged, QStringLiteral("BUL1"), Star, {}));
    for (const int phaseCount : {0, 4})
        EXPECT_FALSE(harmonicsColumnPreview(starRecord(0), QStringLiteral("BUL1"), phaseCount, {}));

    // All zero: arrows without length, axes that still have a range.
    RecordValues zero = harmonicsRecord(QStringLiteral("L1"));
    zero.insert(QStringLiteral("BUL1"), QVariant());
    const auto content = harmonicsColumnPreview(zero, QStringLiteral("BUL1"), Star, {});
    ASSERT_TRUE(content);
    EXPECT_TRUE(content->left.visible);
    EXPECT_TRUE(content->left.automatic);
    EXPECT_TRUE(content->top.automatic);
}
