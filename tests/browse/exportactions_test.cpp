#include "app/exportactions.h"
#include "browse/tablewindow.h"
#include "browsingharness.h"
#include "common/defaultfolders.h"
#include "databasefixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;
using download::TableKind;
using fixtures::at;
using fixtures::lineCount;
using Name = common::SettingsStore::Name;

namespace {

// The main window over a small database: three RMS records (War 0, 4, 0), their harmonics and
// an empty events table; the save dialog answers from the test.
class ExportActionsTest : public fixtures::BrowsingHarness
{
protected:
    void SetUp() override
    {
        db.writeHeader();
        db.createTable(TableKind::Rms, {"Pav"});
        db.appendRmsRecords(3, at(2026, 1, 1), 10, {0, 4});
        db.createTable(TableKind::Harm, {"THDUsr"});
        for (int nr = 1; nr <= 3; ++nr)
            for (const char* phase : {"L1", "L2", "L3"})
                db.append(TableKind::Harm, {{"Nr", nr},
                                            {"NrSt", 1},
                                            {"DiC", at(2026, 1, 1, 0, nr)},
                                            {"War", nr == 2 ? 4 : 0},
                                            {"Faza", phase}});
        db.createTable(TableKind::Zanik, {"Czas_PL1"});
        db.closeTables();
        browsing.exportActions().setSaveChooser([this](QWidget* parent, const QString& folder) {
            dialogs.append({parent, folder});
            return answer;
        });
        main.show();
        browsing.openSelectionFile(db.selectionFile());
        ASSERT_TRUE(state.isOpen()) << prompter.lastText().toStdString();
    }

    QString saved(const char* name) const { return out.filePath(QString::fromUtf8(name)); }
    QStringList written() const { return QDir(out.path()).entryList(QDir::Files, QDir::Name); }
    void exportFromMenu(TableKind kind)
    {
        for (QAction* item : browsing.tableWindow(kind).buildContextMenu()->actions())
            if (item->text() == QLatin1String("Eksport do pliku PRN..."))
                item->trigger();
    }

    struct Dialog
    {
        QWidget* parent;
        QString folder;
    };
    QList<Dialog> dialogs;
    QString answer;

    fixtures::DatabaseFixture db;
    QTemporaryDir out;
};

} // namespace

TEST_F(ExportActionsTest, MainActionExportsEveryShownTableAndRemembersTheFolder)
{
    settings.setString(Name::ExportPath, QStringLiteral("/earlier"));
    QAction* action = main.action(QStringLiteral("acExport2File"));
    action->trigger(); // cancelled
    EXPECT_TRUE(written().isEmpty());
    EXPECT_EQ(settings.string(Name::ExportPath), QStringLiteral("/earlier"));

    answer = saved("wynik.txt");
    main.action(QStringLiteral("acPokazWarunekOnly"))->trigger();
    action->trigger();

    ASSERT_EQ(dialogs.size(), 2);
    EXPECT_EQ(dialogs[1].folder, QStringLiteral("/earlier"));
    EXPECT_EQ(dialogs[1].parent, &main);
    EXPECT_EQ(written(), (QStringList{"wynik.HARM.prn", "wynik.PRZE.prn", "wynik.prn"}));
    EXPECT_EQ(lineCount(saved("wynik.prn")), 1 + 1) << "only the broken conditions";
    EXPECT_EQ(lineCount(saved("wynik.HARM.prn")), 1 + 3);
    EXPECT_EQ(lineCount(saved("wynik.PRZE.prn")), 1);
    EXPECT_EQ(settings.string(Name::ExportPath), out.path());
    EXPECT_TRUE(prompter.calls().isEmpty());
}

TEST_F(ExportActionsTest, TableMenusExportTheirTableUnderTheirOwnNames)
{
    const struct
    {
        TableKind kind;
        const char* chosen;
        const char* file;
    } cases[] = {{TableKind::Rms, "a.txt", "a.txt"},
                 {TableKind::Harm, "b.txt", "b.HARM.prn"},
                 {TableKind::Zanik, "c", "c.PRZE.prn"}};
    for (const auto& c : cases) {
        dialogs.clear();
        answer = saved(c.chosen);
        exportFromMenu(c.kind);
        ASSERT_EQ(dialogs.size(), 1);
        EXPECT_EQ(dialogs[0].folder, common::DefaultFolders::ofThisProgram().dialogFolder());
        EXPECT_EQ(dialogs[0].parent, &browsing.tableWindow(c.kind));
        EXPECT_TRUE(QFile::exists(saved(c.file))) << c.file;
    }
    EXPECT_EQ(written().size(), 3);
    EXPECT_FALSE(settings.contains(Name::ExportPath)) << "the menus leave the setting alone";
}

TEST_F(ExportActionsTest, MenusOfEmptyTablesExportOnlyTheEvents)
{
    state.togglePhase(0);
    state.togglePhase(1);
    state.togglePhase(2);
    ASSERT_EQ(state.model(TableKind::Harm)->rowCount(), 0);
    answer = saved("pusty.prn");
    exportFromMenu(TableKind::Harm);
    EXPECT_TRUE(dialogs.isEmpty()) << "no dialog for a table without shown records";
    exportFromMenu(TableKind::Zanik);
    EXPECT_EQ(dialogs.size(), 1);
    EXPECT_EQ(written(), QStringList{"pusty.PRZE.prn"});
}

TEST_F(ExportActionsTest, AFileThatCannotBeCreatedIsNamedInTheMessage)
{
    answer = saved("brak/wynik.prn");
    main.action(QStringLiteral("acExport2File"))->trigger();
    ASSERT_EQ(prompter.calls().size(), 1);
    const auto& call = prompter.calls().first();
    EXPECT_TRUE(call.text.contains(saved("brak/wynik.prn"))) << call.text.toStdString();
    EXPECT_EQ(call.seconds, -1);
    EXPECT_EQ(call.buttons, link::PromptButton::Close);
    EXPECT_TRUE(call.modal);
}
