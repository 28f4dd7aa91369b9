#include "pdftext.h"
#include "print/reportlayout.h"
#include "printoutdatabase.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace kapstat;
using download::TableKind;
using fixtures::at;
using print::PrintOptions;
using print::ReportLayout;

namespace {

class ReportLayoutTest : public ::testing::Test
{
protected:
    // The measurement printout of the state's selection as PDF pages read back.
    QStringList printMeasurements(browse::BrowseState& state, const PrintOptions& options)
    {
        const QString path = folder.filePath(QStringLiteral("wydruk.pdf"));
        const auto pages = ReportLayout::measurements(state, options, shading).writePdf(path);
        EXPECT_TRUE(pages);
        const QStringList text = pdfPages(path);
        EXPECT_EQ(text.size(), pages.value_or(-1));
        return text;
    }

    static PrintOptions titled()
    {
        PrintOptions options;
        options.allRecords = true;
        options.title = QStringLiteral("Pomiary w hali");
        options.author = QStringLiteral("Firma Ondral");
        return options;
    }

    QTemporaryDir folder;
    print::ShadingSequence shading;
};

// The first line of the page that holds the text, without its leading blanks.
QString lineWith(const QString& page, const QString& text)
{
    const QStringList lines = linesWith(page, text);
    return lines.isEmpty() ? QString() : lines.first().simplified();
}

} // namespace

TEST_F(ReportLayoutTest, EachTablePrintsItsColumnsUnderTheirHeaders)
{
    fixtures::PrintoutDatabase data;
    data.choose(TableKind::Rms, {"Pav", "Sav"});
    QString page = printMeasurements(data.state, titled()).first();
    EXPECT_EQ(lineWith(page, QStringLiteral("Data i czas")),
              QStringLiteral("Nr Data i czas War. Pav Sav"));
    EXPECT_EQ(lineWith(page, QStringLiteral("23:20:00")),
              QStringLiteral("2 26-03-01 23:20:00 \u2191-- 1 101"));

    data.choose(TableKind::Harm, {"UH5sr"});
    page = printMeasurements(data.state, titled()).first();
    EXPECT_EQ(lineWith(page, QStringLiteral("Data i czas")),
              QStringLiteral("Nr Data i czas War. Faza UH5sr"));
    EXPECT_EQ(linesWith(page, QStringLiteral(" L2 ")).size(), 3);

    data.choose(TableKind::Zanik, {"Czas_PL1"});
    page = printMeasurements(data.state, titled()).first();
    EXPECT_EQ(lineWith(page, QStringLiteral("Data i czas")),
              QStringLiteral("Nr Data i czas Czas_PL1"));
    EXPECT_EQ(lineWith(page, QStringLiteral("23:30:00")),
              QStringLiteral("1 26-03-01 23:30:00 1500"));
}

TEST_F(ReportLayoutTest, PagesCarryHeadersAndNumbersAndTheLastOneTheSummary)
{
    fixtures::DatabaseFixture db;
    db.writeHeader();
    db.createTable(TableKind::Rms, {"Pav"});
    db.appendRmsRecords(200, at(2026, 3, 1), 10);
    db.closeTables();
    config::ConfigurationModel configuration;
    link::ScriptedPrompter prompter;
    browse::BrowseState state(configuration, prompter);
    ASSERT_FALSE(state.open(db.selectionFile()));
    state.togglePrint(TableKind::Rms, 0, QStringLiteral("Pav"));

    const QStringList pages = printMeasurements(state, titled());
    ASSERT_GE(pages.size(), 3);
    QStringList numbers;
    for (int i = 0; i < pages.size(); ++i) {
        const QString& page = pages[i];
        const bool last = i == pages.size() - 1;
        EXPECT_TRUE(page.contains(QStringLiteral("Strona: %1").arg(i + 1))) << i;
        EXPECT_TRUE(page.contains(QStringLiteral("Pomiary wykonał: Firma Ondral")));
        EXPECT_TRUE(page.contains(QStringLiteral("Nazwa pliku: 081208-153012_1_Hala 2.POM")));
        EXPECT_TRUE(page.contains(QStringLiteral("Wykonano programem Kapstat firmy ONDRAL")));
        EXPECT_EQ(linesWith(page, QStringLiteral("Data i czas")).size(), 1) << i;
        EXPECT_EQ(page.contains(QStringLiteral("Pomiary w hali")), i == 0) << i;
        EXPECT_EQ(page.contains(QStringLiteral("KONIEC RAPORTU")), last) << i;
        EXPECT_EQ(page.contains(QStringLiteral("sporządził")), last) << i;
        static const QRegularExpression row(QStringLiteral("^\\s*(\\d+) 26-03-"));
        for (const QString& line : page.split(QLatin1Char('\n')))
            if (const auto match = row.match(line); match.hasMatch())
                numbers << match.captured(1);
    }
    QStringList expected;
    for (int nr = 1; nr <= 200; ++nr)
        expected << QString::number(nr);
    EXPECT_EQ(numbers, expected) << "every record once, in order";
}

TEST_F(ReportLayoutTest, TheComplianceReportPrintsItsTwoTextsSideBySideOverPages)
{
    fixtures::PrintoutDatabase data;
    QStringList left;
    QStringList right;
    for (int i = 1; i <= 260; ++i)
        left << QStringLiteral("  LEWA %1").arg(i);
    for (int i = 1; i <= 30; ++i)
        right << QStringLiteral("  PRAWA %1").arg(i);
    QTextDocument main(left.join(QLatin1Char('\n')));
    QTextDocument additional(right.join(QLatin1Char('\n')));
    PrintOptions options = titled();
    options.title = QStringLiteral("RAPORT ZGODNOŚCI Z NORMĄ: PN-EN 50160");
    const QString path = folder.filePath(QStringLiteral("norma.pdf"));
    const auto pageCount =
        ReportLayout::complianceReport(data.state, options, &main, &additional).writePdf(path);
    ASSERT_TRUE(pageCount);
    const QStringList pages = pdfPages(path);
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("RAPORT ZGODNOŚCI Z NORMĄ: PN-EN 50160")));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("LEWA 1 +PRAWA 1\\n")).match(pages[0]).hasMatch());
    const QString all = pages.join(QString());
    for (int i = 1; i <= 260; ++i)
        EXPECT_EQ(all.count(QRegularExpression(QStringLiteral("LEWA %1\\b").arg(i))), 1) << i;
    EXPECT_FALSE(all.contains(QStringLiteral("KONIEC RAPORTU")));
    EXPECT_FALSE(all.contains(QStringLiteral("Data i czas")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Strona: %1").arg(pages.size())));
}
