#include "app/browsingactions.h"
#include "app/databasedirectorydialog.h"
#include "app/mainwindow.h"
#include "common/settingsstore.h"
#include "link/fakechannel.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "pdftext.h"
#include "print/printoptionswindow.h"
#include "printoutdatabase.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kapstat;
using browse::PrintKind;
using download::TableKind;
using fixtures::at;
using Name = common::SettingsStore::Name;

namespace {

class PrintOptionsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.choose(TableKind::Rms, {"Pav"});
        window.setWarning([this](const QString& text) { warnings << text; });
    }

    template <typename Field> Field* field(int index = 0)
    {
        return window.findChildren<Field*>().value(index);
    }
    QCheckBox* box(const char* caption)
    {
        for (QCheckBox* candidate : window.findChildren<QCheckBox*>())
            if (candidate->text() == QString::fromUtf8(caption))
                return candidate;
        return nullptr;
    }
    QLineEdit* title() { return field<QLineEdit>(0); }
    QLineEdit* author() { return field<QLineEdit>(1); }

    QTemporaryDir folder;
    common::SettingsStore settings{folder.filePath(QStringLiteral("kap640.ini"))};
    fixtures::PrintoutDatabase data;
    print::PrintOptionsWindow window{data.state, settings};
    QStringList warnings;
};

// Runs the check on the modal window that opens next, then closes it.
void whenModalOpens(std::function<void(QWidget*)> check)
{
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        check(modal);
        if (modal)
            modal->close();
    });
}

} // namespace

TEST_F(PrintOptionsWindowTest, OpensAMeasurementPrintoutWithTheStoredValuesAndTheSourceDays)
{
    settings.setString(Name::PrintTitle, QStringLiteral("Hala 2"));
    settings.setString(Name::PrintCompany, QStringLiteral("Ondral"));
    settings.setBoolean(Name::PrintGridLines, true);
    window.setRange(at(2026, 3, 1, 23, 10), at(2026, 3, 2, 0, 40));
    window.prepare(PrintKind::Measurements);

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Opcje wydruku pomiarów"));
    EXPECT_EQ(title()->text(), QStringLiteral("Hala 2"));
    EXPECT_EQ(author()->text(), QStringLiteral("Ondral"));
    EXPECT_TRUE(box("liniowanie pomocnicze")->isChecked());
    EXPECT_FALSE(box("wszystkie")->isChecked());
    const print::PrintOptions options = window.options();
    EXPECT_EQ(options.from, at(2026, 3, 1, 23, 10));
    EXPECT_EQ(options.to, at(2026, 3, 2, 0, 40));
    QDateEdit* from = field<QDateEdit>(0);
    QDateEdit* to = field<QDateEdit>(1);
    EXPECT_EQ(from->minimumDate(), QDate(2026, 3, 1));
    EXPECT_EQ(from->maximumDate(), QDate(2026, 3, 2));
    EXPECT_EQ(to->minimumDate(), QDate(2026, 3, 1));
    EXPECT_EQ(to->maximumDate(), QDate(2026, 3, 3)) << "the day after the last record";
    for (QWidget* enabled : std::initializer_list<QWidget*>{
             title(), field<QPlainTextEdit>(), from, to, field<QTimeEdit>(0), box("wszystkie")})
        EXPECT_TRUE(enabled->isEnabled());

    box("wszystkie")->setChecked(true);
    for (QWidget* range :
         std::initializer_list<QWidget*>{from, to, field<QTimeEdit>(0), field<QTimeEdit>(1)})
        EXPECT_FALSE(range->isEnabled());
    box("wszystkie")->setChecked(false);
    EXPECT_TRUE(to->isEnabled());
}

TEST_F(PrintOptionsWindowTest, RemembersTitleAuthorAndShadingButNotTheReportsTitle)
{
    window.prepare(PrintKind::Measurements);
    title()->setText(QStringLiteral("Moja hala"));
    Q_EMIT title()->editingFinished();
    author()->setText(QStringLiteral("Jan Nowak"));
    Q_EMIT author()->editingFinished();
    box("liniowanie pomocnicze")->setChecked(true);
    EXPECT_EQ(settings.string(Name::PrintTitle), QStringLiteral("Moja hala"));
    EXPECT_EQ(settings.string(Name::PrintCompany), QStringLiteral("Jan Nowak"));
    EXPECT_EQ(settings.boolean(Name::PrintGridLines), true);

    window.setTitle(QStringLiteral("RAPORT ZGODNOŚCI Z NORMĄ UŻYTKOWNIKA"));
    window.prepare(PrintKind::Norm);
    EXPECT_EQ(title()->text(), QStringLiteral("RAPORT ZGODNOŚCI Z NORMĄ UŻYTKOWNIKA"));
    Q_EMIT title()->editingFinished();
    EXPECT_EQ(settings.string(Name::PrintTitle), QStringLiteral("Moja hala"));
    for (QWidget* disabled : std::initializer_list<QWidget*>{
             title(), field<QPlainTextEdit>(), field<QDateEdit>(0), field<QTimeEdit>(1),
             box("wszystkie"), box("liniowanie pomocnicze")})
        EXPECT_FALSE(disabled->isEnabled());
    EXPECT_TRUE(author()->isEnabled());
    EXPECT_EQ(data.state.printSelection().kind(), PrintKind::Norm);
}

TEST_F(PrintOptionsWindowTest, SavesThePrintoutAsPdfAndNamesAFileItCannotWrite)
{
    window.prepare(PrintKind::Measurements);
    window.show();
    title()->setText(QStringLiteral("Wydruk próbny"));
    const QString good = folder.filePath(QStringLiteral("wydruk.pdf"));
    window.setFileDialog([&] { return good; });
    window.savePdf();
    EXPECT_TRUE(warnings.isEmpty());
    const QStringList pages = pdfPages(good);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Wydruk próbny")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("KONIEC RAPORTU")));

    const QString bad = folder.filePath(QStringLiteral("brak/wydruk.pdf"));
    window.setFileDialog([&] { return bad; });
    window.savePdf();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("Nie udało się zapisać pliku ")));
    EXPECT_TRUE(warnings[0].contains(bad));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(PrintOptionsWindowTest, APrinterThatFailsIsReportedAndTheWindowStaysOpen)
{
    window.prepare(PrintKind::Measurements);
    window.show();
    window.printer().setOutputFormat(QPrinter::PdfFormat);
    window.printer().setOutputFileName(folder.filePath(QStringLiteral("brak/drukarka.pdf")));
    window.print();
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("Nie udało się wydrukować raportu.")));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.printer().duplex(), QPrinter::DuplexNone);

    const QString printed = folder.filePath(QStringLiteral("drukarka.pdf"));
    window.printer().setOutputFileName(printed);
    window.print();
    EXPECT_EQ(warnings.size(), 1);
    EXPECT_EQ(pdfPages(printed).size(), 1);
}

TEST_F(PrintOptionsWindowTest, ThePreviewShowsThePrintout)
{
    window.prepare(PrintKind::Measurements);
    int previewPages = -1;
    whenModalOpens([&](QWidget* modal) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
        ASSERT_TRUE(preview);
        previewPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
    });
    window.preview();
    EXPECT_EQ(previewPages, 1);
}

TEST_F(PrintOptionsWindowTest, TheMainActionOpensTheWindowOverTheWholeSource)
{
    link::FakeChannel channel;
    link::ManualClock clock;
    link::ManualTimer timer{clock};
    link::RecorderLink link{channel, timer, data.prompter};
    app::MainWindow main{link, settings};
    app::DatabaseDirectoryDialog directory{data.prompter, &main};
    app::BrowsingActions browsing{main, data.state, data.prompter, settings, directory};
    browsing.openSelectionFile(data.db.selectionFile());
    data.choose(TableKind::Harm, {"UH5sr"});
    data.state.printSelection().setKind(PrintKind::Norm);

    print::PrintOptions shown;
    bool modal = false;
    whenModalOpens([&](QWidget* window) {
        modal = window == &browsing.printWindow();
        shown = browsing.printWindow().options();
    });
    main.action(QStringLiteral("acDrukujWielkosci"))->trigger();
    EXPECT_TRUE(modal);
    EXPECT_EQ(shown.from, at(2026, 3, 1, 23, 10));
    EXPECT_EQ(shown.to, at(2026, 3, 1, 23, 30)) << "the harmonics table's last record";
    EXPECT_EQ(data.state.printSelection().kind(), PrintKind::Measurements);
}
