#include "print/conditionmarks.h"
#include "print/measurementprintout.h"
#include "print/printsourcetimes.h"
#include "print/reporttexts.h"
#include "printoutdatabase.h"

#include <gtest/gtest.h>

using namespace kapstat;
using download::TableKind;
using fixtures::at;
using print::MeasurementPrintout;
using print::PrintOptions;

namespace {

struct MarksCase
{
    int war;
    const char16_t* marks;
};

class ConditionMarksTest : public ::testing::TestWithParam<MarksCase>
{
};

class PrintoutTest : public ::testing::Test
{
protected:
    // The printed rows of the print source.
    QList<MeasurementPrintout::Row> rows(const PrintOptions& options,
                                         std::optional<print::RecordLimitTest> limit = {})
    {
        const browse::PrintSelection& selection = data.state.printSelection();
        MeasurementPrintout printout(*data.state.table(selection.source()), data.state.filter(),
                                     selection, options, shading, std::move(limit));
        QList<MeasurementPrintout::Row> printed;
        EXPECT_TRUE(printout.forEachRow([&](const auto& row) { printed << row; }));
        return printed;
    }

    QStringList column(const PrintOptions& options, int index)
    {
        QStringList texts;
        for (const auto& row : rows(options))
            texts << row.texts[index];
        return texts;
    }

    MeasurementPrintout printout(const PrintOptions& options = {})
    {
        const browse::PrintSelection& selection = data.state.printSelection();
        return MeasurementPrintout(*data.state.table(selection.source()), data.state.filter(),
                                   selection, options, shading);
    }

    static PrintOptions range(const QDateTime& from, const QDateTime& to)
    {
        PrintOptions options;
        options.from = from;
        options.to = to;
        return options;
    }

    static PrintOptions all()
    {
        PrintOptions options;
        options.allRecords = true;
        return options;
    }

    fixtures::PrintoutDatabase data;
    print::ShadingSequence shading;
    const QDateTime first = at(2026, 3, 1, 23, 10);
    const QDateTime last = at(2026, 3, 2, 0, 40);
};

} // namespace

TEST_P(ConditionMarksTest, OneMarkPerConditionTheUpArrowBeforeTheDownArrow)
{
    EXPECT_EQ(print::conditionMarks(GetParam().war), QString::fromUtf16(GetParam().marks))
        << GetParam().war;
}

INSTANTIATE_TEST_SUITE_P(
    Bits, ConditionMarksTest,
    ::testing::Values(MarksCase{0, u"---"}, MarksCase{0x40, u"\u2191--"},
                      MarksCase{0x04, u"\u2193--"}, MarksCase{0x44, u"\u2191--"},
                      MarksCase{0x20, u"-\u2191-"}, MarksCase{0x02, u"-\u2193-"},
                      MarksCase{0x11, u"--\u2191"}, MarksCase{0x01, u"--\u2193"},
                      MarksCase{0x88, u"---"}, MarksCase{0x16, u"\u2193\u2193\u2191"},
                      MarksCase{0x7F, u"\u2191\u2191\u2191"}));

TEST_F(PrintoutTest, EachTablePrintsItsOwnFixedColumns)
{
    struct Case
    {
        TableKind kind;
        const char* column;
        bool marks;
        bool phase;
    };
    for (const Case& c :
         {Case{TableKind::Rms, "Pav", true, false}, Case{TableKind::Harm, "UH5sr", true, true},
          Case{TableKind::Zanik, "Czas_PL1", false, false}}) {
        data.choose(c.kind, {c.column});
        const auto printed = printout();
        EXPECT_EQ(printed.headers()[MeasurementPrintout::Number], QStringLiteral("Nr"));
        EXPECT_EQ(printed.headers()[MeasurementPrintout::Time], QStringLiteral("Data i czas"));
        EXPECT_EQ(printed.isOn(MeasurementPrintout::Marks), c.marks) << c.column;
        EXPECT_EQ(printed.isOn(MeasurementPrintout::Phase), c.phase) << c.column;
        EXPECT_EQ(printed.headers()[MeasurementPrintout::FirstSelected], c.column);
    }
    EXPECT_EQ(printout().headers()[MeasurementPrintout::Marks], QString());
    const auto events = rows(all());
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].texts[MeasurementPrintout::Marks], QString());
    EXPECT_EQ(events[0].texts[MeasurementPrintout::FirstSelected], QStringLiteral("1500"));
}

TEST_F(PrintoutTest, RowsCarryTheTimeMarksPhaseAndValues)
{
    data.choose(TableKind::Harm, {"UH5sr"});
    const auto printed = rows(all());
    ASSERT_EQ(printed.size(), 6);
    const auto& second = printed[1].texts;
    EXPECT_EQ(second[MeasurementPrintout::Number], QStringLiteral("1"));
    EXPECT_EQ(second[MeasurementPrintout::Time], QStringLiteral("26-03-01 23:10:00"));
    EXPECT_EQ(second[MeasurementPrintout::Marks], QStringLiteral("-\u2191-"));
    EXPECT_EQ(second[MeasurementPrintout::Phase], QStringLiteral("L2"));
    EXPECT_EQ(second[MeasurementPrintout::FirstSelected], QStringLiteral("1,5"));
    EXPECT_EQ(second[MeasurementPrintout::FirstSelected + 1], QString()) << "an empty slot";
}

TEST_F(PrintoutTest, ARefilledSlotPrintsInItsPlace)
{
    data.choose(TableKind::Rms, {"Pav", "Qav", "Sav"});
    data.state.togglePrint(TableKind::Rms, 0, QStringLiteral("Qav"));
    data.choose(TableKind::Rms, {"Umin"});
    const auto headers = printout().headers();
    EXPECT_EQ(headers[MeasurementPrintout::FirstSelected + 1], QStringLiteral("Umin"));
    EXPECT_EQ(headers[MeasurementPrintout::FirstSelected + 2], QStringLiteral("Sav"));
    EXPECT_EQ(rows(all()).first().texts[MeasurementPrintout::FirstSelected + 1],
              QStringLiteral("200"));
}

TEST_F(PrintoutTest, TheRangeIncludesBothEndsUnlessAllRecordsAreAsked)
{
    data.choose(TableKind::Rms, {"Pav"});
    const int nr = MeasurementPrintout::Number;
    EXPECT_EQ(column(range(first, last), nr).size(), 10);
    EXPECT_EQ(column(range(first.addSecs(1200), last), nr),
              QStringList({"3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(column(range(first.addSecs(1), last.addSecs(-1)), nr).size(), 8);
    PrintOptions ignoredRange = all();
    ignoredRange.from = last;
    ignoredRange.to = first;
    EXPECT_EQ(column(ignoredRange, nr).size(), 10);
}

TEST_F(PrintoutTest, ShadingAlternatesOverPrintedRowsOnlyAndGoesOnNextTime)
{
    data.choose(TableKind::Rms, {"Pav"});
    PrintOptions options = range(first.addSecs(1200), first.addSecs(3600)); // Nr 3 to 7
    options.shading = true;
    auto shades = [&](const PrintOptions& o) {
        QList<bool> result;
        for (const auto& row : rows(o))
            result << row.shaded;
        return result;
    };
    EXPECT_EQ(shades(options), QList<bool>({true, false, true, false, true}));
    EXPECT_EQ(shades(options), QList<bool>({false, true, false, true, false}))
        << "the alternation goes on from the previous printout";
    options.shading = false;
    EXPECT_EQ(shades(options), QList<bool>(5, false));
    options.shading = true;
    EXPECT_EQ(shades(options).first(), true) << "unshaded printouts leave the alternation alone";
}

TEST_F(PrintoutTest, TheLimitTestLeavesOutWhatItRefuses)
{
    data.choose(TableKind::Rms, {"Qav"});
    print::RecordLimitTest above6{{QStringLiteral("Pav")},
                                  [](const QVector<QVariant>& v) { return v[0].toDouble() > 6; }};
    QStringList numbers;
    for (const auto& row : rows(all(), above6))
        numbers << row.texts[MeasurementPrintout::Number];
    EXPECT_EQ(numbers, QStringList({"8", "9", "10"}));
    EXPECT_EQ(rows(all()).size(), 10) << "without a test every record passes";
}

TEST_F(PrintoutTest, FollowsTheConditionFilterAndTheSourceTimes)
{
    data.choose(TableKind::Rms, {"Pav"});
    auto times = print::printSourceTimes(data.state);
    ASSERT_TRUE(times);
    EXPECT_EQ(times->first, first);
    EXPECT_EQ(times->last, last);
    data.state.setConditionFilter(true);
    EXPECT_EQ(column(all(), MeasurementPrintout::Number),
              QStringList({"2", "3", "5", "6", "8", "9"}));
    times = print::printSourceTimes(data.state);
    EXPECT_EQ(times->first, first.addSecs(600));
    EXPECT_EQ(times->last, last.addSecs(-600));
}

TEST_F(PrintoutTest, TheCommentBlockNamesThePlaceTheRecorderAndWhatWasLeftOut)
{
    data.choose(TableKind::Rms, {"Pav"});
    data.state.setConditionFilter(true);
    PrintOptions options = range(first, last);
    options.comment = QStringLiteral("pierwsza\ndruga");
    options.author = QStringLiteral("Jan Nowak");
    const QString rangeNote = QStringLiteral(
        "UWAGA! Raport zawiera jedynie rekordy z przedziału czasu zdefiniowanego przez "
        "użytkownika!");
    const QString conditionNote = QStringLiteral(
        "UWAGA! Raport zawiera jedynie rekordy zapamiętane z powodu przekroczenia zadanych "
        "warunków lub powrotu z przekroczenia.");
    auto texts = print::ReportTexts::prepare(data.state, options, browse::PrintKind::Measurements,
                                             at(2026, 12, 10, 9, 5, 1));
    EXPECT_EQ(
        texts.comment,
        QStringList({"pierwsza", "druga", "", "Miejsce wykonania pomiarów: Hala 2",
                     "Nr seryjny rejestratora: KAP-640 nr 0001234 / 2026",
                     "Data odebrania danych: 2026-12-10 12:00:00", rangeNote, conditionNote}));
    EXPECT_EQ(texts.author, QStringLiteral("Pomiary wykonał: Jan Nowak"));
    EXPECT_EQ(texts.printedAt, QStringLiteral("Data wykonania wydruku: 2026-12-10 09:05:01"));
    EXPECT_EQ(texts.fileName, QStringLiteral("Nazwa pliku: 081208-153012_1_Hala 2.POM"));

    options.allRecords = true;
    data.choose(TableKind::Zanik, {"Czas_PL1"});
    texts = print::ReportTexts::prepare(data.state, options, browse::PrintKind::Measurements, {});
    EXPECT_FALSE(texts.comment.contains(rangeNote));
    EXPECT_FALSE(texts.comment.contains(conditionNote)) << "the events table is never filtered";
    texts = print::ReportTexts::prepare(data.state, options, browse::PrintKind::Norm, {});
    EXPECT_TRUE(texts.comment.isEmpty());
}
