#include "app/databasedirectorydialog.h"
#include "catalogfolder.h"
#include "link/scriptedprompter.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kapstat;
using app::DatabaseDirectoryDialog;

namespace {

const QString Download1 = QStringLiteral("081208-153012_ABC1234");
const QString Download2 = QStringLiteral("081209-080000_ABC1234");

class DatabaseDirectoryDialogTest : public ::testing::Test
{
protected:
    DatabaseDirectoryDialogTest()
    {
        dialog.setPlaceAsker([this](QWidget*, const QString& place) {
            askedPlaces << place;
            return answer;
        });
    }

    // Shows the dialog; inside runs while it is shown. A dialog still open afterwards is
    // cancelled, so that a test never hangs.
    int run(const QString& folder, const std::function<void()>& inside,
            const QString& openFile = QString())
    {
        QTimer::singleShot(0, &dialog, [this, inside] {
            inside();
            stillShown = dialog.isVisible();
            if (stillShown)
                dialog.reject();
        });
        return dialog.run(folder, openFile);
    }

    QStringList places() const
    {
        QStringList texts;
        for (int row = 0; row < dialog.placeList()->count(); ++row)
            texts << dialog.placeList()->item(row)->text();
        return texts;
    }
    void choosePlace(const QString& place) const
    {
        const QList<QListWidgetItem*> items =
            dialog.placeList()->findItems(place, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        QListWidget* list = dialog.placeList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items.first()).center());
    }
    QStringList row(int index) const
    {
        QStringList cells;
        for (int column = 0; column < dialog.databaseGrid()->columnCount(); ++column)
            cells << dialog.databaseGrid()->item(index, column)->text();
        return cells;
    }
    bool actionsEnabled() const
    {
        EXPECT_EQ(dialog.openFromDatabaseButton()->isEnabled(),
                  dialog.changePlaceButton()->isEnabled());
        return dialog.openFromDatabaseButton()->isEnabled();
    }

    CatalogFolder db;
    const QString hala1 = db.addDatabase(Download1, QStringLiteral("081208-153012_1_Hala 2"));
    const QString hala2 = db.addDatabase(Download2, QStringLiteral("081209-070000_1_hala 2"));
    const QString office = db.addDatabase(Download2, QStringLiteral("081209-070000_2_Biuro"));
    link::ScriptedPrompter prompter;
    DatabaseDirectoryDialog dialog{prompter};
    std::optional<QString> answer;
    QStringList askedPlaces;
    bool stillShown = false;
};

} // namespace

TEST_F(DatabaseDirectoryDialogTest, ShowsTheCatalogueWithItsControls)
{
    EXPECT_EQ(run(db.path(),
                  [this] {
                      EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Otwarcie zbioru pomiarów"));
                      EXPECT_EQ(dialog.directoryField()->text(), db.path());
                      EXPECT_TRUE(dialog.directoryField()->isReadOnly());
                      EXPECT_EQ(places(),
                                QStringList({QStringLiteral("Biuro"), QStringLiteral("Hala 2")}));
                      EXPECT_FALSE(actionsEnabled());
                      EXPECT_TRUE(dialog.openFromDatabaseButton()->isDefault());
                      EXPECT_EQ(dialog.changePlaceButton()->toolTip(),
                                QStringLiteral("Zmienia nazwę miejsca pod jaką jest "
                                               "skatalogowany wskazany zbiór pomiarów."));

                      choosePlace(QStringLiteral("Hala 2"));
                      QTableWidget* grid = dialog.databaseGrid();
                      ASSERT_EQ(grid->rowCount(), 2);
                      EXPECT_TRUE(grid->isColumnHidden(DatabaseDirectoryDialog::PathColumn));
                      EXPECT_EQ(grid->horizontalHeaderItem(2)->text(),
                                QStringLiteral("Nr seryjny rejestratora"));
                      EXPECT_EQ(row(0), QStringList({QStringLiteral("08-12-08 15:30:12"),
                                                     QStringLiteral("08-12-08 15:30:12"),
                                                     QStringLiteral("ABC\\1234"), hala1}));
                      EXPECT_EQ(row(1).last(), hala2);
                      EXPECT_EQ(grid->currentRow(), 0);
                      EXPECT_TRUE(actionsEnabled());
                  }),
              QDialog::Rejected);
}

TEST_F(DatabaseDirectoryDialogTest, ShowingAgainReselectsTheLastChoiceUntilTheFolderChanges)
{
    EXPECT_EQ(run(db.path(),
                  [this] {
                      choosePlace(QStringLiteral("Hala 2"));
                      dialog.databaseGrid()->setCurrentCell(1, 0);
                      QTest::keyClick(&dialog, Qt::Key_Return);
                  }),
              QDialog::Accepted);
    EXPECT_FALSE(stillShown);
    EXPECT_EQ(dialog.chosenSelectionFile(), hala2);

    // A new download meanwhile: the lists are rebuilt, the last choice found again.
    db.addDatabase(Download1, QStringLiteral("081208-153012_2_Alfa"));
    run(db.path(), [this] {
        EXPECT_EQ(places().first(), QStringLiteral("Alfa"));
        ASSERT_NE(dialog.placeList()->currentItem(), nullptr);
        EXPECT_EQ(dialog.placeList()->currentItem()->text(), QStringLiteral("Hala 2"));
        EXPECT_EQ(dialog.databaseGrid()->currentRow(), 1);
        EXPECT_TRUE(actionsEnabled());
    });

    CatalogFolder other;
    other.addDatabase(Download1, QStringLiteral("081208-153012_1_Hala 2"));
    run(other.path(), [this, &other] {
        EXPECT_EQ(dialog.directoryField()->text(), other.path());
        EXPECT_EQ(dialog.placeList()->currentItem(), nullptr);
        EXPECT_EQ(dialog.databaseGrid()->rowCount(), 0);
        EXPECT_FALSE(actionsEnabled());
    });
    EXPECT_EQ(dialog.chosenSelectionFile(), hala2);
}

TEST_F(DatabaseDirectoryDialogTest, EachButtonEndsTheDialogItsOwnWay)
{
    CatalogFolder empty;
    EXPECT_EQ(run(empty.path(),
                  [this] {
                      EXPECT_TRUE(places().isEmpty());
                      EXPECT_FALSE(actionsEnabled());
                      // Neither Enter nor a double-click in the empty grid opens anything.
                      QTest::keyClick(&dialog, Qt::Key_Return);
                      QTest::mouseDClick(dialog.databaseGrid()->viewport(), Qt::LeftButton);
                      EXPECT_TRUE(dialog.isVisible());
                      dialog.openFromFileButton()->click();
                  }),
              DatabaseDirectoryDialog::FromFile);
    EXPECT_EQ(run(db.path(), [this] { dialog.cancelButton()->click(); }), QDialog::Rejected);
    EXPECT_EQ(run(db.path(),
                  [this] {
                      choosePlace(QStringLiteral("Biuro"));
                      QTableWidget* grid = dialog.databaseGrid();
                      const QPoint cell = grid->visualItemRect(grid->item(0, 0)).center();
                      // An item view takes a double-click only on the item last pressed.
                      QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
                      QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
                  }),
              QDialog::Accepted);
    EXPECT_EQ(dialog.chosenSelectionFile(), office);
}

TEST_F(DatabaseDirectoryDialogTest, BrowsingListsTheChosenFolder)
{
    CatalogFolder other;
    other.addDatabase(Download1, QStringLiteral("081208-153012_1_Magazyn"));
    dialog.setFolderChooser([&other](QWidget*, const QString&) { return other.path(); });
    run(db.path(), [this, &other] {
        choosePlace(QStringLiteral("Biuro"));
        dialog.browseButton()->click();
        EXPECT_EQ(dialog.directoryField()->text(), other.path());
        EXPECT_EQ(places(), QStringList({QStringLiteral("Magazyn")}));
        EXPECT_FALSE(actionsEnabled());
    });
}

TEST_F(DatabaseDirectoryDialogTest, ChangingThePlaceRenamesAndListsAgain)
{
    answer = QStringLiteral("Hala 3");
    run(db.path(), [this] {
        choosePlace(QStringLiteral("Hala 2"));
        dialog.changePlaceButton()->click();
        EXPECT_EQ(askedPlaces, QStringList({QStringLiteral("Hala 2")}));
        EXPECT_EQ(places(), QStringList({QStringLiteral("Biuro"), QStringLiteral("hala 2"),
                                         QStringLiteral("Hala 3")}));
        EXPECT_FALSE(actionsEnabled());
    });
    EXPECT_TRUE(prompter.calls().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(db.filePath(
        Download1 + QStringLiteral("/081208-153012_1_Hala 3_SP/081208-153012_1_Hala 3.db"))));
}

TEST_F(DatabaseDirectoryDialogTest, ChangingThePlaceOfTheOpenDatabaseIsRefused)
{
    const QMap<QString, QByteArray> before = db.snapshot();
    answer = QStringLiteral("Hala 3");
    run(
        db.path(),
        [this] {
            choosePlace(QStringLiteral("Hala 2"));
            dialog.changePlaceButton()->click();
        },
        hala1);
    ASSERT_EQ(prompter.calls().size(), 1);
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("Nie można zmienić nazwy aktualnie otwartego pliku!"));
    EXPECT_EQ(prompter.calls().first().seconds, -1);
    EXPECT_EQ(prompter.calls().first().buttons, link::PromptButton::Close);
    EXPECT_TRUE(prompter.calls().first().modal);
    EXPECT_TRUE(askedPlaces.isEmpty());
    EXPECT_EQ(db.snapshot(), before);
}

TEST_F(DatabaseDirectoryDialogTest, ACancelledOrFailedRenameKeepsTheDatabase)
{
    // The name is taken in that download folder already.
    db.addDatabase(Download1, QStringLiteral("081208-153012_1_Biuro"));
    const QMap<QString, QByteArray> before = db.snapshot();
    run(db.path(), [this] {
        choosePlace(QStringLiteral("Hala 2"));
        dialog.changePlaceButton()->click(); // cancelled: nothing at all happens
        EXPECT_TRUE(actionsEnabled());
        answer = QStringLiteral("Biuro");
        dialog.changePlaceButton()->click();
        EXPECT_FALSE(actionsEnabled());
    });
    EXPECT_EQ(askedPlaces.size(), 2);
    ASSERT_EQ(prompter.calls().size(), 1);
    EXPECT_TRUE(prompter.lastText().contains(QStringLiteral("już istnieje")));
    EXPECT_EQ(prompter.calls().first().buttons, link::PromptButton::Close);
    EXPECT_EQ(db.snapshot(), before);
}
