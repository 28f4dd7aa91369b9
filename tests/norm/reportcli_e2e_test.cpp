#include "cliprocess.h"
#include "normdatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;
using config::MeasuringSystem;
using fixtures::EventValues;
using fixtures::HarmonicValues;
using fixtures::NormDatabase;
using fixtures::RmsValues;

namespace {

const QString FormFeed(QChar(0x0C));

// Records of every kind the report counts: frequencies off either band, dips, interruptions and
// over-voltages in different columns, harmonics and THD over their limits, and events.
void fillVaried(NormDatabase& db, int phases, int goodRecords = 100)
{
    db.addRms({}, goodRecords);
    RmsValues narrowOff;
    narrowOff.f = 49;
    db.addRms(narrowOff, 5);
    RmsValues bothOff;
    bothOff.f = 46.5;
    db.addRms(bothOff, 1);
    RmsValues dip;
    dip.mean[0] = 200;
    dip.minimum[0] = 180;
    db.addRms(dip, 6);
    RmsValues interruption;
    interruption.mean[0] = 1;
    interruption.minimum[0] = 0;
    db.addRms(interruption, 3);
    RmsValues over;
    over.mean[1] = 260;
    over.maximum[1] = 270;
    over.maximum[2] = 300;
    db.addRms(over, 4);
    RmsValues third;
    third.mean[2] = 200;
    db.addRms(third, 1);
    for (int p = 1; p <= phases; ++p) {
        const QString phase = QStringLiteral("L%1").arg(p);
        db.addHarmonics({phase}, 110);
        db.addHarmonics({phase, p == 1 ? 9.0 : 1.0, p == 2 ? 7.0 : 0.1, 3}, 10);
    }
    db.addEvent({{200, 5, std::nullopt}, {59000, 3, 1}, {2.5, 0, 4}, {650, 999, 10}});
    db.addEvent({{179, std::nullopt, 7}, {2000, 4, 1}, {0, 1.5, 4}, {1234, 20, 10}});
}

QString golden(const QString& name)
{
    QFile file(QStringLiteral(KAPSTAT_TEST_DATA "/norm/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

TEST(ReportCliTest, PrintsTitleMainReportAndAdditionalStatisticsLikeTheGoldenFiles)
{
    struct Case
    {
        MeasuringSystem system;
        int phases;
        const char* golden;
    };
    const Case cases[] = {{MeasuringSystem::Star, 3, "report_star.txt"},
                          {MeasuringSystem::Delta, 2, "report_delta.txt"},
                          {MeasuringSystem::SinglePhase, 1, "report_single.txt"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        NormDatabase db(c.system);
        fillVaried(db, c.phases);
        db.write();
        const CliRun run = runCli({"report", "--pom", db.selectionFile()});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        EXPECT_EQ(lines.value(1), FormFeed);
        EXPECT_EQ(lines.count(FormFeed), 2);
        const QStringList expected = golden(QString::fromLatin1(c.golden)).split(QLatin1Char('\n'));
        EXPECT_EQ(lines.size(), expected.size());
        for (qsizetype i = 0; i < std::min(lines.size(), expected.size()); ++i)
            EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    }
}

TEST(ReportCliTest, FailsWithTheMessageOnStderrAndNothingOnStdout)
{
    struct Case
    {
        const char* what;
        int goodRecords;
        QStringList options;
        bool dropHarmonics;
        const char* messagePart;
    };
    const Case cases[] = {
        {"gate: 99 records", 79, {}, false, "mniejsza od 100."},
        {"service mode skips the record test but not the statistics",
         0,
         {"--service"},
         true,
         "tabeli harmonicznych"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NormDatabase db(MeasuringSystem::Star);
        fillVaried(db, 3, c.goodRecords);
        if (c.dropHarmonics)
            db.dropTable(download::TableKind::Harm);
        db.write();
        const CliRun run = runCli(QStringList{"report", "--pom", db.selectionFile()} + c.options);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.messagePart))) << run.err.toStdString();
    }
}

TEST(ReportCliTest, ServiceModeReportsFewerThanAHundredRecords)
{
    NormDatabase db(MeasuringSystem::Star);
    fillVaried(db, 3, 10);
    db.write();
    EXPECT_EQ(runCli({"report", "--pom", db.selectionFile()}).status, 1);
    const CliRun run = runCli({"report", "--pom", db.selectionFile(), "--service"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("  Pomiarów zebrano:         N=30\n")));
}

TEST(ReportCliTest, WritesThePrintedReportAsPdf)
{
    NormDatabase db(MeasuringSystem::Delta);
    fillVaried(db, 2);
    db.write();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("raport.pdf"));
    const CliRun run = runCli({"report", "--pom", db.selectionFile(), "--pdf", pdf});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_GT(file.size(), 2000);
    EXPECT_TRUE(run.out.startsWith(QString::fromUtf8("RAPORT ZGODNOŚCI Z NORMĄ: PN-EN 50160\n")));
}

TEST(ReportCliTest, RejectsAMissingSelectionFileAsUsage)
{
    EXPECT_EQ(runCli({"report"}).status, 2);
    EXPECT_EQ(runCli({"report", "--pom"}).status, 2);
    EXPECT_EQ(runCli({"--port", "/dev/null", "report", "--pom", "x.pom"}).status, 2);
}
