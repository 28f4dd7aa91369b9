#include "cliprocess.h"
#include "pdftext.h"
#include "printoutdatabase.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kapstat;

namespace {

// kapstat-cli print over the printout database, as a separate process without a display.
class PrintCliTest : public ::testing::Test
{
protected:
    CliRun print(const QStringList& extra)
    {
        return runCli(QStringList{"print", "--pom", data.db.selectionFile()} + extra);
    }

    fixtures::PrintoutDatabase data;
    QString pdf = QDir(data.db.folder()).filePath(QStringLiteral("wydruk.pdf"));
};

} // namespace

TEST_F(PrintCliTest, WritesTheRangeOfRecordsWithTitleAuthorAndShading)
{
    const CliRun run = print({"--table", "rms", "--columns", "Sav,Pav", "--pdf", pdf, "--from",
                              "2026-03-01 23:30:00", "--to", "2026-03-02 00:40:00", "--title",
                              "Hala 2 w marcu", "--author", "Jan Nowak", "--shading"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Zapisano wydruk w pliku %1, stron: 1.\n").arg(pdf));
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Hala 2 w marcu")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Pomiary wykonał: Jan Nowak")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("UWAGA! Raport zawiera jedynie rekordy z "
                                                 "przedziału czasu zdefiniowanego")));
    EXPECT_EQ(linesWith(pages[0], QStringLiteral(" 26-03-")).size(), 8) << "Nr 3 to 10";
    EXPECT_EQ(linesWith(pages[0], QStringLiteral("Data i czas")).first().simplified(),
              QStringLiteral("Nr Data i czas War. Sav Pav"));
}

TEST_F(PrintCliTest, WithoutARangePrintsEveryRecord)
{
    const CliRun run = print({"--table", "events", "--columns", "Czas_PL1", "--pdf", pdf});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString page = pdfPages(pdf).value(0);
    EXPECT_EQ(linesWith(page, QStringLiteral(" 26-03-0")).size(), 2);
    EXPECT_FALSE(page.contains(QStringLiteral("UWAGA!")));
    EXPECT_TRUE(page.contains(QStringLiteral("KONIEC RAPORTU")));
}

TEST_F(PrintCliTest, RefusesWrongArgumentsWithUsageStatus)
{
    struct Case
    {
        QStringList arguments;
        const char* message;
    };
    const QList<Case> cases{
        {{"--table", "rms", "--columns", "Pav"}, "Podaj --pom, --table, --columns i --pdf."},
        {{"--table", "rms", "--columns", "Pav,Qav,Sav,Umin,Pav2,Pav3,Pav4", "--pdf", pdf},
         "Można wybrać maksymalnie 6 wielkosci!"},
        {{"--table", "zaniki", "--columns", "Pav", "--pdf", pdf}, "Nieznana tabela: zaniki"},
        {{"--table", "rms", "--columns", "Pav", "--pdf", pdf, "--from", "01-03-2026"},
         "Nieprawidłowa data i czas: 01-03-2026"},
        {{"--table", "rms", "--columns", "Pav,Nr", "--pdf", pdf},
         "Kolumny Nr nie można wydrukować z tej tabeli."},
        {{"--table", "harm", "--columns", "Pav", "--pdf", pdf},
         "Kolumny Pav nie można wydrukować z tej tabeli."},
    };
    for (const Case& c : cases) {
        const CliRun run = print(c.arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
    EXPECT_EQ(runCli({"--sim", "print", "--pom", data.db.selectionFile()}).status, 2);
}

TEST_F(PrintCliTest, AFolderThatCannotBeWrittenOrAMissingDatabaseFails)
{
    const QString unwritable = QDir(data.db.folder()).filePath(QStringLiteral("brak/wydruk.pdf"));
    CliRun run = print({"--table", "rms", "--columns", "Pav", "--pdf", unwritable});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        run.err.startsWith(QStringLiteral("Nie udało się zapisać pliku %1.").arg(unwritable)))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());

    run = runCli({"print", "--pom", data.db.folder() + QStringLiteral("/brak.POM"), "--table",
                  "rms", "--columns", "Pav", "--pdf", pdf});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.isEmpty());
}
