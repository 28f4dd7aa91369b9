#include "common/defaultfolders.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using kapstat::common::DefaultFolders;

namespace {

DefaultFolders foldersWith(bool programWritable)
{
    return DefaultFolders({QStringLiteral("/opt/kapstat/bin/"), programWritable,
                           QStringLiteral("/home/ala/.local/share/KAP-640"),
                           QStringLiteral("/home/ala/Dokumenty")});
}

} // namespace

TEST(DefaultFolders, TheProgramFolderServesOnlyWhereItCanBeWritten)
{
    const struct
    {
        const char* name;
        bool programWritable;
        std::optional<QString> stored;
        const char* database;
        const char* dialog;
    } cases[] = {
        {"a copy in a writable folder", true, std::nullopt, "/opt/kapstat/bin/DB",
         "/opt/kapstat/bin/"},
        {"installed system-wide", false, std::nullopt, "/home/ala/.local/share/KAP-640/DB",
         "/home/ala/Dokumenty"},
        {"an empty Baza is no choice", false, QString(), "/home/ala/.local/share/KAP-640/DB",
         "/home/ala/Dokumenty"},
        {"Baza already set", false, QStringLiteral("/dane/pomiary"), "/dane/pomiary",
         "/home/ala/Dokumenty"},
        {"Baza set beside a writable program", true, QStringLiteral("/dane/pomiary"),
         "/dane/pomiary", "/opt/kapstat/bin/"},
    };
    for (const auto& c : cases) {
        const DefaultFolders folders = foldersWith(c.programWritable);
        EXPECT_EQ(folders.databaseFolder(c.stored), QString::fromLatin1(c.database)) << c.name;
        EXPECT_EQ(folders.dialogFolder(), QString::fromLatin1(c.dialog)) << c.name;
    }
}

TEST(DefaultFolders, ThisProgramsPlacesAreItsOwnFolderAndItsUsersFolders)
{
    const DefaultFolders folders = DefaultFolders::ofThisProgram();
    const QString program = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    // The test runs from the build folder, which is writable.
    EXPECT_EQ(folders.databaseFolder(), program + QStringLiteral("DB"));
    EXPECT_EQ(folders.dialogFolder(), program);
}
