#include "norm/compliancereport.h"
#include "norm/pccounterslots.h"
#include "norm/reportlayout.h"
#include "normdatabase.h"

#include <gtest/gtest.h>

using namespace kapstat;
using config::MeasuringSystem;
using fixtures::EventValues;
using fixtures::NormDatabase;
using fixtures::RmsValues;
using norm::ComplianceReport;
using norm::ReportConditions;
using norm::ReportLayout;
using norm::TextStyle;

namespace {

const QString Sep = QStringLiteral("  ") + QString(43, QChar(0x2014));

std::optional<ComplianceReport> reportOf(NormDatabase& db, ReportConditions conditions = {},
                                         ComplianceReport::Failure* failure = nullptr)
{
    norm::PcCounterSlots slots;
    return ComplianceReport::make(db.finish(), conditions, slots, failure);
}

// A database of the system with `records` good records and one harmonics record per phase.
void fill(NormDatabase& db, int records = 100)
{
    db.addRms({}, records);
    db.addHarmonicsOfAllPhases(1);
}

void expectLines(const QStringList& lines, std::initializer_list<const char*> expected)
{
    for (const char* text : expected)
        EXPECT_TRUE(lines.contains(QString::fromUtf8(text)))
            << "missing: [" << text << "]\nin:\n"
            << lines.join(QLatin1Char('\n')).toStdString();
}

const norm::ReportLine* lineWith(const ComplianceReport& report, const QString& text)
{
    for (const auto* document : {&report.main, &report.additional})
        for (const norm::ReportLine& line : document->lines())
            if (line.text() == text)
                return &line;
    return nullptr;
}

} // namespace

TEST(ComplianceReportTest, GateNeedsNormModeAndAHundredShownRecordsUnlessInServiceMode)
{
    struct Case
    {
        bool normTest;
        bool service;
        bool rmsShown;
        qint64 records;
        bool passes;
    };
    const Case cases[] = {{true, false, true, 100, true},   {true, false, true, 99, false},
                          {true, true, true, 99, true},     {true, true, false, 0, true},
                          {true, false, false, 500, false}, {false, true, true, 500, false}};
    for (const Case& c : cases)
        EXPECT_EQ(
            ComplianceReport::passesGate(c.normTest, {c.service, c.rmsShown, true}, c.records),
            c.passes)
            << c.normTest << c.service << c.rmsShown << " " << c.records;
}

TEST(ComplianceReportTest, GateClosedShowsItsMessageAndMakesNoReport)
{
    for (int records : {99, 100}) {
        NormDatabase db(MeasuringSystem::Star);
        fill(db, records);
        ComplianceReport::Failure failure;
        const auto report = reportOf(db, {}, &failure);
        EXPECT_EQ(report.has_value(), records == 100) << records;
        EXPECT_EQ(failure.gateClosed, records == 99);
    }
    EXPECT_EQ(ComplianceReport::gateMessage(),
              QString::fromUtf8("Konfiguracja pomiarów nie pozwala na wykonanie raportu zgodnosci "
                                "z normą lub ilosć zgromadzonych rekordów w tabeli pomiarów jest "
                                "mniejsza od 100."));
}

TEST(ComplianceReportTest, StatisticsFailureEndsWithoutAReport)
{
    NormDatabase db(MeasuringSystem::Star);
    db.addRms({}, 5);
    ComplianceReport::Failure failure;
    EXPECT_FALSE(reportOf(db, {true, true, true}, &failure));
    EXPECT_FALSE(failure.gateClosed);
    EXPECT_TRUE(failure.message.contains(QStringLiteral("L1")));
}

TEST(ComplianceReportTest, ChecksEveryEnabledPhaseItemFirst)
{
    NormDatabase db(MeasuringSystem::Star);
    fill(db);
    browse::BrowseState& state = db.finish();
    state.togglePhase(0);
    norm::PcCounterSlots slots;
    EXPECT_TRUE(ComplianceReport::make(state, {}, slots, nullptr));
    EXPECT_TRUE(state.phaseItem(0).checked);
}

TEST(ComplianceReportTest, WritesTheStarMainReport)
{
    NormDatabase db(MeasuringSystem::Star);
    db.configuration().stations[0].vtPrimary = 15000;
    db.configuration().stations[0].vtSecondary = 2;
    db.configuration().stations[0].ctPrimary = 400;
    db.configuration().stations[0].ctSecondary = QStringLiteral("0,05");
    RmsValues dipInColumn2;
    dipInColumn2.mean[1] = 200;
    db.addRms({}, 90);
    db.addRms(dipInColumn2, 10);
    db.addHarmonicsOfAllPhases(1);
    const auto report = reportOf(db);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->title, QString::fromUtf8("RAPORT ZGODNOŚCI Z NORMĄ: PN-EN 50160"));
    const QStringList lines = report->main.plainLines();
    ASSERT_GE(lines.size(), 12);
    const QStringList head{
        QString::fromUtf8("  Układ pomiarowy:            Gwiazda"),
        QString::fromUtf8("  Nr seryjny rejestratora:    KAP-640 nr 0001234 / 2026"),
        QString::fromUtf8("  Miejsce wykonania pomiarów:"),
        QString::fromUtf8("   Hala 2"),
        QString::fromUtf8("  Napięcie znamionowe:     Un=230V"),
        QString::fromUtf8("  Przekladniki napieciowe[V/V]:      15000,0 / 100,0"),
        QString::fromUtf8("                  pradowe[A/V]:        400,0 /  0,05"),
        QString::fromUtf8("  Data odebrania danych:      2026-12-10 12:00:00"),
        QString::fromUtf8("  Pomiary rozpoczęto:         01-03-26 00:10:00"),
        QString::fromUtf8("  Pomiary zakończono:         01-03-26 16:40:00"),
        QString::fromUtf8("  Czas uśredniania:           10 min"),
        QString::fromUtf8("  Pomiarów zebrano:         N=100")};
    EXPECT_EQ(lines.mid(0, 12), head);
    expectLines(lines,
                {"  50Hz-1%+1% 100%N (min. 95%N)   ", "  50Hz-6%+4% 100%N (min. 100%N)",
                 "  Un -10%+10% przez min. 95%M", "  (M = N z pominięciem przerw U<=1.00%Un)",
                 "       L1        L2        L3",
                 "*      100%M   *  90%M     100%M", // only column 2 below 95
                 "  U1/U2<=2% przez 95% czasu N", "  WYNIK: 100%N",
                 "    progowa            L1        L2        L3",
                 "   H2 <=   2%H1     100%N     100%N     100%N",
                 "   H9 <= 1,5%H1     100%N     100%N     100%N",
                 "  H10 <= 0,5%H1     100%N     100%N     100%N",
                 "  THD <=   8%       100%N     100%N     100%N",
                 "         THD - liczony względem H1"});
    EXPECT_EQ(lines.count(Sep), 7);
    EXPECT_EQ(lines.last(), QString::fromUtf8("         THD - liczony względem H1"));
}

TEST(ComplianceReportTest, MarksOnlyTheSharesBelowTheirRequirement)
{
    NormDatabase db(MeasuringSystem::Star);
    RmsValues offBand;
    offBand.f = 49;
    offBand.mean[0] = 200;
    db.addRms({}, 95);
    db.addRms(offBand, 5); // 95 against 95: compliant
    db.addHarmonics({QStringLiteral("L1"), 1, 0.1, 0.5}, 1);
    db.addHarmonics({QStringLiteral("L2"), 9, 3, 0.5}, 1); // THD and H2 of L2 too high
    db.addHarmonics({QStringLiteral("L3"), 1, 0.1, 0.5}, 1);
    const auto report = reportOf(db);
    ASSERT_TRUE(report);
    expectLines(report->main.plainLines(),
                {"  50Hz-1%+1% 95%N (min. 95%N)   ", "        95%M     100%M     100%M",
                 "*  H2 <=   2%H1     100%N   *   0%N     100%N",
                 "   H3 <=   5%H1     100%N     100%N     100%N",
                 "* THD <=   8%       100%N   *   0%N     100%N"});
}

TEST(ComplianceReportTest, LaysOutColumnsByMeasuringSystem)
{
    struct Case
    {
        MeasuringSystem system;
        std::initializer_list<const char*> main;
        std::initializer_list<const char*> additional;
        bool unbalance;
    };
    const Case cases[] = {
        {MeasuringSystem::SinglePhase,
         {"  Układ pomiarowy:            1 Faza", "       L1", "       100%M",
          "    progowa            L1", "   H2 <=   2%H1     100%N", "  THD <=   8%       100%N"},
         {"      dla              L1", "      Umin              0          ",
          "       Usr           0,00%", "     t < 1s         60000?              ",
          "  1s<= t <180s          1          ", "     t >= 180s          0          ",
          "                       L1", "  czas# [ms/s]        2,5        ",
          "  amplituda [V]     1,23k        "},
         false},
        {MeasuringSystem::Delta,
         {"  Układ pomiarowy:            Trójkąt", "       L31       L23       l12",
          "       100%M     100%M     100%M", "    progowa           L31       L23",
          "   H2 <=   2%H1     100%N     100%N", "  THD <=   8%       100%N     100%N"},
         {"      dla             L31       L23", "      Umin              0         0     ",
          "       Usr           0,00%     0,00%", "     t < 1s         60000?        5          ",
          "  przerwy t           L31       L23", "  czas# [ms/s]        2,5       0,0    ",
          "  amplituda [V]     1,23k         0    "},
         true},
        {MeasuringSystem::Star,
         {"  Układ pomiarowy:            Gwiazda", "       100%M     100%M     100%M"},
         {"      dla              L1        L2        L3",
          "      Umin              0         0         0",
          "       Usr           0,00%     0,00%     0,00%",
          "     t < 1s         60000?        5         0     ",
          "  ilość sekund          1         0         0",
          "  amplituda [V]     1,23k         0         0"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.system));
        NormDatabase db(c.system);
        fill(db);
        db.addEvent({{20, std::nullopt, std::nullopt}, {59000, 2, 0}, {2.5, 0, 0}, {1234, 0, 0}});
        db.addEvent({{std::nullopt, std::nullopt, std::nullopt}, {2000, 3, 0}, {}, {}});
        const auto report = reportOf(db);
        ASSERT_TRUE(report);
        expectLines(report->main.plainLines(), c.main);
        expectLines(report->additional.plainLines(), c.additional);
        EXPECT_EQ(report->main.plainLines().contains(
                      QString::fromUtf8("  NIESYMETRIA NAPIĘCIA ZASILAJĄCEGO")),
                  c.unbalance);
    }
}

TEST(ComplianceReportTest, WritesTheAdditionalStatisticsWithTheirNumbers)
{
    NormDatabase db(MeasuringSystem::Star);
    RmsValues low;
    low.mean = {200, 217.35, 230}; // dip of 13,04 % in L1 only
    low.minimum = {1, 217.35, 230};
    low.maximum = {230, 230, 299};
    db.addRms({}, 99);
    db.addRms(low, 1);
    db.addHarmonicsOfAllPhases(1);
    db.addEvent({{}, {}, {0, 0, 0.4}, {0, 0, 0.0123}});
    const auto report = reportOf(db);
    ASSERT_TRUE(report);
    const QStringList lines = report->additional.plainLines();
    expectLines(lines,
                {"  Ilość rekordów w których Umin lub Usr <  1% *Un",
                 "      Umin              1         0         0",
                 "  Ilość rekordów w których Umin lub Usr < Un-10%",
                 "       Usr              1         0         0",
                 "       Usr          -13,0%     0,00%     0,00%",
                 "  Ilość rekordów w których Umax lub Usr > Un+10%",
                 "      Umax           0,00%     0,00%     30,0%",
                 "  Ilość przerw dla których U <ok. 1.0% *Un ",
                 "  o amplitudzie U(t) > 1,41*(Un+90%)",
                 "  czas# [ms/s]        0,0       0,0       0,4",
                 "  amplituda [V]         0         0     12,3m",
                 "  ...........................................", "                  sporządził"});
    EXPECT_EQ(lines.first(), QString::fromUtf8("  DODATKOWE WYNIKI STATYSTYCZNE"));
    EXPECT_EQ(lines.count(Sep), 26);
}

TEST(ComplianceReportTest, MarksBoldAndItalicRuns)
{
    NormDatabase db(MeasuringSystem::Star);
    fill(db);
    const auto report = reportOf(db);
    ASSERT_TRUE(report);
    struct Case
    {
        const char* line;
        TextStyle style;
    };
    const Case cases[] = {{"  CZĘSTOTLIWOŚĆ NAPIĘCIA ZASILAJACEGO", TextStyle::Bold},
                          {"  * oznacza niezgodnosć wyników z normą", TextStyle::Italic},
                          {"  WYNIKI:", TextStyle::Regular},
                          {"  NA PODSTAWIE TABELI POMIARÓW RMS", TextStyle::Bold},
                          {"  NA PODSTAWIE TABELI PRZERW I PRZEPIĘĆ", TextStyle::Bold},
                          {"  PRZEPIĘCIA PRZEJŚCIOWE", TextStyle::Bold},
                          {"  ? - oznacza ilość większą niż 60000", TextStyle::Bold},
                          {"  Parametry krytyczne przepięć", TextStyle::Regular}};
    for (const Case& c : cases) {
        const norm::ReportLine* line = lineWith(*report, QString::fromUtf8(c.line));
        ASSERT_TRUE(line) << c.line;
        ASSERT_EQ(line->spans.size(), 1) << c.line;
        EXPECT_EQ(line->spans.first().style, c.style) << c.line;
    }
}

TEST(ComplianceReportTest, PrintsTheRatiosOfTheSelectionFilesStation)
{
    NormDatabase db(MeasuringSystem::Star, QStringLiteral("081208-153012_3_Rozdzielnia"));
    db.configuration().stations[0].un = 230;
    db.configuration().stations[2].un = 400;
    db.configuration().stations[2].vtPrimary = 20000;
    db.configuration().stations[2].vtSecondary = 2;
    db.configuration().stations[2].ctPrimary = 250;
    db.configuration().stations[2].ctSecondary = QStringLiteral("1,00");
    fill(db); // records of station 1
    db.configuration().norm[config::NormField::VoltageShare] = QStringLiteral("90");
    const auto report = reportOf(db);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->title, QString::fromUtf8("RAPORT ZGODNOŚCI Z NORMĄ UŻYTKOWNIKA"));
    expectLines(report->main.plainLines(),
                {"   Rozdzielnia", "  Napięcie znamionowe:     Un=230V",
                 "  Przekladniki napieciowe[V/V]:      20000,0 / 100,0",
                 "                  pradowe[A/V]:        250,0 /  1,00"});
}

TEST(ComplianceReportLayoutTest, HeadersKeepTheirGrid)
{
    struct Case
    {
        QString (*header)(int);
        int phases;
        const char* text;
    };
    const Case cases[] = {
        {ReportLayout::voltageHeader, 1, "       L1"},
        {ReportLayout::voltageHeader, 2, "       L31       L23       l12"},
        {ReportLayout::voltageHeader, 3, "       L1        L2        L3"},
        {ReportLayout::harmonicsHeader, 1, "    progowa            L1"},
        {ReportLayout::harmonicsHeader, 2, "    progowa           L31       L23"},
        {ReportLayout::harmonicsHeader, 3, "    progowa            L1        L2        L3"},
        {ReportLayout::countHeader, 1, "      dla              L1"},
        {ReportLayout::countHeader, 2, "      dla             L31       L23"},
        {ReportLayout::countHeader, 3, "      dla              L1        L2        L3"},
        {ReportLayout::interruptionHeader, 1, "  przerwy t            L1"},
        {ReportLayout::interruptionHeader, 2, "  przerwy t           L31       L23"},
        {ReportLayout::interruptionHeader, 3, "  przerwy t            L1        L2        L3"},
        {ReportLayout::transientHeader, 1, "                       L1"},
        {ReportLayout::transientHeader, 2, "                      L31       L23"},
        {ReportLayout::transientHeader, 3, "                       L1        L2        L3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.header(c.phases), QString::fromUtf8(c.text));
    EXPECT_EQ(ReportLayout::separator(), Sep);
}
