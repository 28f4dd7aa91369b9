#include "browse/databasecatalog.h"
#include "browse/wildcardpattern.h"
#include "catalogfolder.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace kapstat::browse;

namespace {

const QString Download1 = QStringLiteral("081208-153012_ABC1234");
const QString Download2 = QStringLiteral("081209-080000_ABC1234");

QStringList selectionFiles(const QList<CatalogEntry>& entries)
{
    QStringList files;
    for (const CatalogEntry& entry : entries)
        files.append(entry.selectionFile);
    return files;
}

} // namespace

TEST(WildcardPatternTest, MatchesLikeAFileSystemWildcardIgnoringCase)
{
    struct Case
    {
        const char* pattern;
        const char* name;
        bool matches;
    };
    // Split so that two question marks and the dash are not read as a trigraph.
    const char* const SelectionPattern = "??????"
                                         "-??????_?_*.pom";
    const Case cases[] = {
        {SelectionPattern, "081208-153012_1_Hala 2.POM", true},
        {SelectionPattern, "081208-153012_1_Hala 2.pom", true},
        {SelectionPattern, "081208-153012_1_.pom", true},
        {SelectionPattern, "08120-153012_1_Hala.pom", false}, // '?' is exactly one
        {SelectionPattern, "081208-153012_1_Hala.pom.bak", false},
        {"*.pom", "a.pom.pom", true}, // '*' backtracks
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYcZ", false},
        {"Łódź*", "łÓDŹ.db", true},     // Polish letters ignore case too
        {"a[1].pom", "A[1].POM", true}, // brackets stand for themselves
        {"a?c", "a*c", true},
        {"a*c", "ac", true},
        {"", "", true},
        {"", "a", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WildcardPattern(QString::fromUtf8(c.pattern)).matches(QString::fromUtf8(c.name)),
                  c.matches)
            << c.pattern << " / " << c.name;
}

TEST(DatabaseCatalogTest, FindFilesSearchesEveryDepthForFilesOnly)
{
    CatalogFolder db;
    const QString upper = db.addDatabase(Download1, QStringLiteral("081208-153012_1_Hala"));
    const QString lower =
        db.addDatabase(QStringLiteral("rok/2008/") + Download2,
                       QStringLiteral("081209-070000_2_Hala"), QStringLiteral(".pom"));
    // A folder whose name matches is not a file; hidden folders are not searched.
    QDir(db.path()).mkpath(QStringLiteral("081208-153012_1_Folder.pom"));
    db.addDatabase(QStringLiteral(".kosz"), QStringLiteral("081209-070000_3_Hala"));

    QStringList found = DatabaseCatalog::findFiles(db.path(), QStringLiteral("*.pom"));
    found.sort();
    EXPECT_EQ(found, QStringList({upper, lower}));
    EXPECT_EQ(DatabaseCatalog::findFiles(db.path(), QStringLiteral("*.harm.DB")).size(), 2);
    EXPECT_TRUE(DatabaseCatalog::findFiles(db.filePath(QStringLiteral("brak")), QStringLiteral("*"))
                    .isEmpty());
    EXPECT_TRUE(DatabaseCatalog::findFiles(QString(), QStringLiteral("*")).isEmpty());
}

TEST(DatabaseCatalogTest, PlacesAreDistinctIgnoringCaseInPolishOrder)
{
    CatalogFolder db;
    db.addDatabase(Download1, QStringLiteral("081208-153012_1_Hala 2"));
    db.addDatabase(Download2, QStringLiteral("081209-070000_1_HALA 2"), QStringLiteral(".pom"));
    db.addDatabase(Download2, QStringLiteral("081209-070000_2_Hala 2"));
    db.addDatabase(Download2, QStringLiteral("081209-070000_3_Łódź"));
    db.addDatabase(Download2, QStringLiteral("081209-070000_4_marki"));
    db.addDatabase(Download2, QStringLiteral("081209-070000_5_Lublin"));
    // Not selection files: a name too short for the pattern, another extension.
    db.addDatabase(Download2, QStringLiteral("081209_1_Krótka"));
    CatalogFolder::write(db.filePath(Download2 + QStringLiteral("/081209-070000_6_Inna.txt")));
    db.addDatabase(Download2 + QStringLiteral("/081209-070000_5_Lublin_SP"),
                   QStringLiteral("081209-070000_7_W bazie"));

    EXPECT_EQ(DatabaseCatalog::places(db.path()),
              QStringList({QStringLiteral("Hala 2"), QStringLiteral("Lublin"),
                           QStringLiteral("Łódź"), QStringLiteral("marki")}));
    EXPECT_TRUE(DatabaseCatalog::places(db.filePath(QStringLiteral("brak"))).isEmpty());
}

TEST(DatabaseCatalogTest, APlaceIsItsNameFromThe17thCharacterCutTo100)
{
    const QString longPlace(120, QLatin1Char('p'));
    EXPECT_EQ(DatabaseCatalog::placeOf(QStringLiteral("/db/x/081208-153012_1_") + longPlace +
                                       QStringLiteral(".pom")),
              longPlace.left(100));
    EXPECT_EQ(DatabaseCatalog::placeOf(QStringLiteral("/db/081208-153012_1_Hala.2.POM")),
              QStringLiteral("Hala.2"));
}

TEST(DatabaseCatalogTest, DatabasesOfAPlaceIgnoreCaseAndSortByFullPath)
{
    CatalogFolder db;
    const QString second = db.addDatabase(Download2, QStringLiteral("081209-070000_1_hala 2"));
    const QString first =
        db.addDatabase(Download1, QStringLiteral("081208-153012_2_Hala 2"), QStringLiteral(".pom"));
    const QString third = db.addDatabase(Download2, QStringLiteral("081209-070000_3_HALA 2"));
    db.addDatabase(Download2, QStringLiteral("081209-070000_4_Hala 22"));
    db.addDatabase(Download2, QStringLiteral("081209-070000_5_Hala *"));

    EXPECT_EQ(selectionFiles(DatabaseCatalog::databases(db.path(), QStringLiteral("Hala 2"))),
              QStringList({first, second, third}));
    // A '*' in a place name stands for itself only.
    EXPECT_EQ(DatabaseCatalog::databases(db.path(), QStringLiteral("Hala *")).size(), 1);
    EXPECT_TRUE(DatabaseCatalog::databases(db.path(), QStringLiteral("Hala")).isEmpty());
}

TEST(DatabaseCatalogTest, AnEntryIsCutFromTheFolderAndFileNames)
{
    struct Case
    {
        const char* path;
        const char* readingTime;
        const char* measurementStart;
        const char* serialNumber;
    };
    const Case cases[] = {
        {"/db/081208-153012_ABC1234/081207-101500_1_Hala 2.POM", "08-12-08 15:30:12",
         "08-12-07 10:15:00", "ABC\\1234"},
        // Outside any 21-character folder: whatever stands at the positions, no more.
        {"/db/081207-101500_1_H.pom", "/d-b- ::", "08-12-07 10:15:00", "\\"},
        {"x.pom", "-- ::", "x.-po-m ::", "\\"},
    };
    for (const Case& c : cases) {
        const CatalogEntry entry = DatabaseCatalog::entry(QString::fromUtf8(c.path));
        EXPECT_EQ(entry.readingTime, QString::fromUtf8(c.readingTime)) << c.path;
        EXPECT_EQ(entry.measurementStart, QString::fromUtf8(c.measurementStart)) << c.path;
        EXPECT_EQ(entry.serialNumber, QString::fromUtf8(c.serialNumber)) << c.path;
        EXPECT_EQ(entry.selectionFile, QString::fromUtf8(c.path));
    }
}

TEST(DatabaseCatalogTest, ASelectionFileOutsideADownloadFolderStillLists)
{
    CatalogFolder db;
    const QString loose = db.addDatabase(QString(), QStringLiteral("081207-101500_1_Hala"));
    const QList<CatalogEntry> entries =
        DatabaseCatalog::databases(db.path(), QStringLiteral("Hala"));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries.first().selectionFile, loose);
    EXPECT_EQ(entries.first().measurementStart, QStringLiteral("08-12-07 10:15:00"));
}

namespace {

// A download folder holding two databases of the place "Hala 2"; renaming concerns the first.
class RenamePlaceTest : public ::testing::Test
{
protected:
    QString database(const QString& name) const
    {
        return db.filePath(Download1 + QLatin1Char('/') + name);
    }

    CatalogFolder db;
    const QString pom = db.addDatabase(Download1, QStringLiteral("081208-153012_1_Hala 2"));
    const QString otherStation =
        db.addDatabase(Download1, QStringLiteral("081208-160000_2_Hala 2"));
};

} // namespace

TEST_F(RenamePlaceTest, RenamesTablesFolderAndSelectionFileKeepingTheirBytes)
{
    const QMap<QString, QByteArray> before = db.snapshot();

    const PlaceRenaming renaming =
        DatabaseCatalog::renamePlace(pom, QStringLiteral("Hala 2"), QStringLiteral("Hala 3"));

    EXPECT_EQ(renaming.status, PlaceRenaming::Status::Renamed);
    EXPECT_EQ(renaming.message, QString());
    // The selection file keeps the extension the download gave it.
    EXPECT_EQ(renaming.selectionFile, database(QStringLiteral("081208-153012_1_Hala 3.POM")));
    QMap<QString, QByteArray> expected;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        QString name = it.key();
        if (name.contains(QStringLiteral("081208-153012_1_Hala 2")))
            name.replace(QStringLiteral("Hala 2"), QStringLiteral("Hala 3"));
        expected.insert(name, it.value());
    }
    EXPECT_EQ(db.snapshot(), expected);
    EXPECT_FALSE(QFileInfo::exists(database(QStringLiteral("081208-153012_1_Hala 2_SP"))));
    EXPECT_EQ(DatabaseCatalog::places(db.path()),
              QStringList({QStringLiteral("Hala 2"), QStringLiteral("Hala 3")}));
}

TEST_F(RenamePlaceTest, TheNewNameIsCleanedAndCutTo60Characters)
{
    const QString seventy = QStringLiteral("A/B:C") + QString(65, QLatin1Char('x'));
    const QString cleaned = QStringLiteral("A B C") + QString(55, QLatin1Char('x'));

    const PlaceRenaming renaming =
        DatabaseCatalog::renamePlace(pom, QStringLiteral("Hala 2"), seventy);

    ASSERT_EQ(renaming.status, PlaceRenaming::Status::Renamed) << renaming.message.toStdString();
    const QString base = QStringLiteral("081208-153012_1_") + cleaned;
    EXPECT_EQ(renaming.selectionFile, database(base + QStringLiteral(".POM")));
    EXPECT_TRUE(QFileInfo::exists(
        database(base + QStringLiteral("_SP/") + base + QStringLiteral(".HARM.db"))));
}

TEST_F(RenamePlaceTest, AnAnswerThatCleansToTheOldNameChangesNothing)
{
    const QString twoSlash = db.addDatabase(Download2, QStringLiteral("081209-070000_1_A B"));
    const QString sixty(60, QLatin1Char('s'));
    const QString longOne = db.addDatabase(Download2, QStringLiteral("081209-070000_2_") + sixty);
    struct Case
    {
        QString file;
        QString place;
        QString answer;
    };
    const Case cases[] = {
        {pom, QStringLiteral("Hala 2"), QStringLiteral("Hala 2")},
        {twoSlash, QStringLiteral("A B"), QStringLiteral("A/B")},
        {longOne, sixty, sixty + QStringLiteral("more")},
    };
    const QMap<QString, QByteArray> before = db.snapshot();
    for (const Case& c : cases) {
        const PlaceRenaming renaming = DatabaseCatalog::renamePlace(c.file, c.place, c.answer);
        EXPECT_EQ(renaming.status, PlaceRenaming::Status::Unchanged) << c.answer.toStdString();
        EXPECT_EQ(renaming.selectionFile, c.file);
    }
    EXPECT_EQ(db.snapshot(), before);
}

TEST_F(RenamePlaceTest, AFailedCopyLeavesTheOldDatabaseAsItWas)
{
    // Copies that go wrong half-way: one stops with an error after a part of a file, the other
    // claims success for a file it cut short.
    int copies = 0;
    const FolderCopy::FileCopier failing = [&copies](const QString& source, const QString& target) {
        if (++copies == 1)
            return FolderCopy::copyFile(source, target);
        QFile file(target);
        if (file.open(QIODevice::WriteOnly))
            file.write("xx");
        return copies == 2 ? QStringLiteral("dysk pełny") : QString();
    };
    const QMap<QString, QByteArray> before = db.snapshot();
    for (const char* reason : {"dysk pełny", "różni się od oryginału"}) {
        const PlaceRenaming renaming = DatabaseCatalog::renamePlace(
            pom, QStringLiteral("Hala 2"), QStringLiteral("Hala 3"), failing);

        EXPECT_EQ(renaming.status, PlaceRenaming::Status::Failed);
        EXPECT_EQ(renaming.selectionFile, pom);
        EXPECT_TRUE(renaming.message.startsWith(
            QStringLiteral("Nie udało się skopiować bazy pomiarów do folderu „%1”: ")
                .arg(database(QStringLiteral("081208-153012_1_Hala 3_SP")))))
            << renaming.message.toStdString();
        EXPECT_TRUE(renaming.message.contains(QString::fromUtf8(reason)));
        EXPECT_TRUE(
            renaming.message.endsWith(QStringLiteral("Baza pomiarów pozostała bez zmian.")));
        EXPECT_EQ(db.snapshot(), before);
        EXPECT_FALSE(QFileInfo::exists(database(QStringLiteral("081208-153012_1_Hala 3_SP"))));
        copies = 2; // the second round starts with the short copy that claims success
    }
}

TEST_F(RenamePlaceTest, ANameAlreadyTakenIsRefused)
{
    // Station 1 again, with the place another download of the same moment gave it.
    db.addDatabase(Download1, QStringLiteral("081208-153012_1_Hala 3"));
    const QMap<QString, QByteArray> before = db.snapshot();

    const PlaceRenaming renaming =
        DatabaseCatalog::renamePlace(pom, QStringLiteral("Hala 2"), QStringLiteral("Hala 3"));

    EXPECT_EQ(renaming.status, PlaceRenaming::Status::Failed);
    EXPECT_TRUE(renaming.message.contains(QStringLiteral("już istnieje")));
    EXPECT_EQ(db.snapshot(), before);
}
