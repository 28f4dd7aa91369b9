#include "../browse/downloadeddatabase.h"
#include "cliprocess.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;

TEST(InfoCommand, PrintsTheHeaderTablesAndNormOfADownloadedDatabase)
{
    QTemporaryDir dir;
    const QString pom =
        fixtures::downloadRichDatabase(dir.path(), config::MeasuringSystem::Delta, 120);
    ASSERT_FALSE(pom.isEmpty());
    const CliRun run = runCli({"info", "--pom", pom});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.value(0), QStringLiteral("Otwarty plik: ") + pom);
    EXPECT_TRUE(lines.value(1).startsWith(QStringLiteral("Nr seryjny rejestratora: KAP-640")));
    for (const char* line :
         {"Układ pomiarowy: trójkąt", "Stacja raportu: 1", "Stacja napięcia znamionowego: 1",
          "Pierwszy pomiar: 01-01-20 00:00:00", "Tabela RMS, rekordów: 120",
          "Okres zapisu rekordu [s]: 600", "Harmoniczna 5, granica [% H1]: 6",
          "Stacja 8, Un [V]: 230"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line;
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

TEST(InfoCommand, AFileThatCannotBeOpenedGivesItsMessageAndNothingElse)
{
    QTemporaryDir dir;
    const CliRun missing = runCli({"info", "--pom", dir.filePath("260101-000000_1_Hala.pom")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Nie można odczytać")))
        << missing.err.toStdString();
    EXPECT_EQ(runCli({"--port", "/dev/null", "info", "--pom", "x.pom"}).status, 2)
        << "a database command takes no port";
}
