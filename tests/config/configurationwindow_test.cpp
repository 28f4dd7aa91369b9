// The configuration window driven through its widgets: indicators, lists, norm labels and their
// editor, station fields, settings files and the transfer buttons.
#include "config/norminlineeditor.h"
#include "config/normpage.h"
#include "config/normparameterlabel.h"
#include "config/settingsfile.h"
#include "link/fakechannel.h"
#include "windowfixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace kapstat::config {
namespace {

using link::PromptAnswer;

class ConfigurationWindowTest : public WindowFixture<link::FakeChannel>
{
protected:
    void click(int entry, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(indicator(entry), button);
    }
    // Keys on a closed drop-down list choose as the user does, through "activated".
    void choose(const QString& list, Qt::Key key, int times = 1)
    {
        auto* combo = find<QComboBox>(list);
        for (int i = 0; i < times; ++i)
            QTest::keyClick(combo, key);
    }
    // Types over the field's text, then moves the focus to another control.
    void typeAndLeave(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        window.button(QStringLiteral("close"))->setFocus();
        QApplication::processEvents();
    }
    void chooseSystem(Qt::Key key) { QTest::keyClick(window.systemChoice(), key); }
    NormParameterLabel* label(NormField field) const { return window.normPage()->label(field); }
    QString mirror(NormPage::Mirror which) const
    {
        return window.normPage()->mirror(which)->text();
    }
    void showNormPage()
    {
        window.tabs()->setCurrentWidget(window.normPage());
        QApplication::processEvents();
    }
};

bool isInst(int entry)
{
    return entries::rowPosition(entry) == entries::InstPosition;
}
bool isStatistic(int entry)
{
    return entries::rowPosition(entry) >= 0 && !isInst(entry);
}

TEST_F(ConfigurationWindowTest, EveryEntryHasOneIndicatorAndAFreshStartGreysTheInstants)
{
    for (int entry = 0; entry < entries::Count; ++entry) {
        const bool sharesTheEventIndicator =
            entry > entries::FirstEventRecording && entry <= entries::LastEventRecording;
        ASSERT_EQ(indicator(entry) == nullptr, sharesTheEventIndicator) << entry;
        if (sharesTheEventIndicator)
            continue;
        EXPECT_FALSE(indicator(entry)->isLit()) << entry;
        EXPECT_EQ(indicator(entry)->isEnabled(), !isInst(entry)) << entry;
    }
    EXPECT_EQ(indicator(entries::NormMode)->colour(), IndicatorColour::Yellow);
    EXPECT_EQ(indicator(1)->colour(), IndicatorColour::Green);
    EXPECT_EQ(window.capacityDisplay()->text(), model.capacityText());
}

TEST_F(ConfigurationWindowTest, AClickTogglesAnEnabledIndicatorAndRefreshesTheCapacity)
{
    const QString before = window.capacityDisplay()->text();
    click(41); // Ep+
    EXPECT_TRUE(configuration().selection[41]);
    EXPECT_TRUE(indicator(41)->isLit());
    EXPECT_NE(window.capacityDisplay()->text(), before);
    click(41);
    EXPECT_FALSE(configuration().selection[41]);
    EXPECT_EQ(window.capacityDisplay()->text(), before);

    click(4); // U inst, greyed with a storage period of minutes
    EXPECT_FALSE(configuration().selection[4]);

    click(entries::FirstEventRecording);
    for (int e = entries::FirstEventRecording; e <= entries::LastEventRecording; ++e)
        EXPECT_TRUE(configuration().selection[e]) << e;
}

TEST_F(ConfigurationWindowTest, PeriodZeroLeavesOnlyTheInstantsAndTheEntriesOutsideTheRows)
{
    click(41);
    click(159);
    click(1);
    choose(QStringLiteral("storagePeriod"), Qt::Key_Home);
    ASSERT_EQ(configuration().storagePeriod, 0);
    for (int entry = entries::FirstQuantity; entry < entries::Count; ++entry) {
        if (isStatistic(entry)) {
            EXPECT_FALSE(configuration().selection[entry]) << entry;
            EXPECT_FALSE(model.isEnabled(entry)) << entry;
        } else if (isInst(entry)) {
            EXPECT_TRUE(model.isEnabled(entry)) << entry;
        }
    }
    EXPECT_FALSE(indicator(1)->isEnabled());
    EXPECT_TRUE(indicator(4)->isEnabled());
    EXPECT_TRUE(indicator(41)->isLit());
    EXPECT_TRUE(indicator(159)->isLit());
    EXPECT_TRUE(window.capacityDisplay()->text().contains(QStringLiteral("sekund")));
}

TEST_F(ConfigurationWindowTest, SinglePhaseGreysWhatOnePhaseCannotMeasureUntilStarComesBack)
{
    const QList<int> unavailable{25, 37, 53, 89, 174, 198, 242};
    const QList<int> available{1, 137, 149, 210, 238};
    chooseSystem(Qt::Key_End); // "1 faza"
    ASSERT_EQ(configuration().measuringSystem, MeasuringSystem::SinglePhase);
    for (int entry : unavailable)
        EXPECT_FALSE(indicator(entry)->isEnabled()) << entry;
    for (int entry : available)
        EXPECT_TRUE(indicator(entry)->isEnabled()) << entry;
    chooseSystem(Qt::Key_Home); // "gwiazda"
    for (int entry : unavailable) {
        EXPECT_TRUE(indicator(entry)->isEnabled()) << entry;
        EXPECT_FALSE(indicator(entry)->isLit()) << entry;
    }
}

TEST_F(ConfigurationWindowTest, DeltaCapsTheOvervoltageThresholdShownInTheNorm)
{
    for (const auto& [threshold, expected] : {std::pair{"190", "110"}, std::pair{"105", "105"}}) {
        chooseSystem(Qt::Key_Home);
        model.setNormText(NormField::OvervoltageThreshold, QString::fromLatin1(threshold));
        chooseSystem(Qt::Key_Down); // "trójkąt"
        ASSERT_EQ(configuration().measuringSystem, MeasuringSystem::Delta);
        EXPECT_EQ(label(NormField::OvervoltageThreshold)->text(), QString::fromLatin1(expected));
    }
}

TEST_F(ConfigurationWindowTest, NormModeLocksItsSetAndTheControlsUntilSwitchedOff)
{
    click(entries::NormMode);
    const QList<int> locked{49, 50,  51,  53,  54,  55,  57,  58,  59,  61, 62,
                            63, 139, 153, 214, 215, 216, 218, 219, 220, 244};
    for (int entry = entries::FirstQuantity; entry < entries::Count; ++entry) {
        if (indicator(entry)) {
            EXPECT_EQ(indicator(entry)->colour() == IndicatorColour::Red, locked.contains(entry))
                << entry;
        }
    }
    EXPECT_TRUE(window.capacityDisplay()->text().contains(QStringLiteral(" 3684 ")));
    for (const QString& name : {QStringLiteral("storagePeriod"), QStringLiteral("alternatePeriod"),
                                QStringLiteral("conditionQuantity1"),
                                QStringLiteral("conditionLower3"), QStringLiteral("thdBase")})
        EXPECT_FALSE(find<QWidget>(name)->isEnabled()) << name.toStdString();
    EXPECT_FALSE(window.systemChoice()->isEnabled());

    click(53); // red: stays on
    EXPECT_TRUE(configuration().selection[53]);
    click(41); // green: lights
    EXPECT_TRUE(configuration().selection[41]);

    click(entries::NormMode);
    EXPECT_EQ(indicator(53)->colour(), IndicatorColour::Green);
    EXPECT_FALSE(indicator(56)->isEnabled()) << "the period rules hold again";
    EXPECT_TRUE(window.systemChoice()->isEnabled());
    EXPECT_TRUE(find<QWidget>(QStringLiteral("storagePeriod"))->isEnabled());
}

TEST_F(ConfigurationWindowTest, NormModeNeedsAStoragePeriodOfMinutes)
{
    choose(QStringLiteral("storagePeriod"), Qt::Key_Home);
    click(entries::NormMode);
    EXPECT_FALSE(configuration().normMode());
    EXPECT_FALSE(indicator(entries::NormMode)->isLit());
    ASSERT_FALSE(prompter.calls().isEmpty());
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("Aby wykonywać badanie zgodności z normą należy ustawić okres "
                             "zapamiętywania pomiarów, na stronie SET-UP, na >=1 min."));
    EXPECT_EQ(prompter.calls().last().seconds, -1);
    EXPECT_TRUE(prompter.calls().last().modal);
}

TEST_F(ConfigurationWindowTest, AnActiveConditionLeavesOnlyTheNumberOfRecords)
{
    EXPECT_TRUE(window.capacityDisplay()->text().contains(QStringLiteral("dni,")));
    choose(QStringLiteral("conditionQuantity2"), Qt::Key_Down);
    EXPECT_EQ(configuration().conditions[1].quantity, 1);
    EXPECT_TRUE(window.capacityDisplay()->text().endsWith(QStringLiteral("rekordów przez:")));
}

TEST_F(ConfigurationWindowTest, NormLabelsStepWithinTheirRanges)
{
    showNormPage();
    struct Case
    {
        NormField field;
        const char* start;
        Qt::MouseButton button;
        const char* shown;
    };
    const Case cases[] = {
        {NormField::FreqNarrowMinus, "1", Qt::LeftButton, "1,1"},
        {NormField::FreqNarrowShare, "95", Qt::LeftButton, "96"},
        {NormField::Harmonic5, "9,9", Qt::LeftButton, "9,9"},
        {NormField::HarmonicEven, "0", Qt::RightButton, "0"},
        {NormField::LongInterruption, "60", Qt::RightButton, "60"},
        {NormField::OvervoltageThreshold, "100", Qt::RightButton, "100"},
        {NormField::InterruptionThreshold, "10", Qt::LeftButton, "10"},
    };
    for (const Case& c : cases) {
        model.setNormText(c.field, QString::fromLatin1(c.start));
        QTest::mouseClick(label(c.field), c.button);
        EXPECT_EQ(label(c.field)->text(), QString::fromLatin1(c.shown)) << c.start;
        EXPECT_EQ(configuration().norm[c.field], QString::fromLatin1(c.shown));
    }
}

TEST_F(ConfigurationWindowTest, AStepRefreshesTheMirrorOfItsField)
{
    showNormPage();
    QTest::mouseClick(label(NormField::VoltageMinus), Qt::LeftButton);
    EXPECT_EQ(mirror(NormPage::Mirror::DipUpper), QStringLiteral("89,9"));
    QTest::mouseClick(label(NormField::VoltagePlus), Qt::RightButton);
    EXPECT_EQ(mirror(NormPage::Mirror::OvervoltageTolerance), QStringLiteral("9,9"));
    QTest::mouseClick(label(NormField::InterruptionThreshold), Qt::LeftButton);
    EXPECT_EQ(mirror(NormPage::Mirror::DipLower), QStringLiteral("2"));
    QTest::mouseClick(label(NormField::LongInterruption), Qt::LeftButton);
    EXPECT_EQ(mirror(NormPage::Mirror::LongInterruption), QStringLiteral("181"));
}

class InlineEditorTest : public ConfigurationWindowTest
{
protected:
    // A double click; its first press steps the value once.
    NormInlineEditor* openEditor(NormField field)
    {
        showNormPage();
        QTest::mouseDClick(label(field), Qt::LeftButton);
        NormInlineEditor* editor = label(field)->editor();
        EXPECT_NE(editor, nullptr);
        return editor;
    }
    void type(NormInlineEditor* editor, const QString& text, Qt::Key finish)
    {
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, finish);
    }
};

TEST_F(InlineEditorTest, OpensOverTheLabelWithItsValueHintAndRange)
{
    NormInlineEditor* editor = openEditor(NormField::VoltageMinus);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->toolTip(), QStringLiteral("Podaj wartość."));
    EXPECT_EQ(editor->text(), label(NormField::VoltageMinus)->text());
    EXPECT_EQ(editor->decimals(), 1);
    EXPECT_EQ(editor->maximum(), 20);
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(openEditor(NormField::FreqWideShare)->decimals(), 0);
}

TEST_F(InlineEditorTest, EnterStoresInTheFieldsFormatAndRefreshesTheMirrors)
{
    type(openEditor(NormField::VoltageMinus), QStringLiteral("10"), Qt::Key_Enter);
    EXPECT_EQ(label(NormField::VoltageMinus)->editor(), nullptr);
    EXPECT_EQ(label(NormField::VoltageMinus)->text(), QStringLiteral("10,0"));
    EXPECT_EQ(mirror(NormPage::Mirror::DipUpper), QStringLiteral("90,0"));
    EXPECT_FALSE(configuration().norm.hasDefaultTexts()) << "10,0 is not the default 10";

    type(openEditor(NormField::VoltagePlus), QStringLiteral("35"), Qt::Key_Return);
    EXPECT_EQ(label(NormField::VoltagePlus)->text(), QStringLiteral("20,0")) << "limited";

    type(openEditor(NormField::LongInterruption), QStringLiteral("200"), Qt::Key_Return);
    EXPECT_EQ(label(NormField::LongInterruption)->text(), QStringLiteral("200"));
    EXPECT_EQ(mirror(NormPage::Mirror::LongInterruption), QStringLiteral("200"));
}

TEST_F(InlineEditorTest, EscAndLeavingCloseWithoutStoring)
{
    NormInlineEditor* editor = openEditor(NormField::ThdLimit);
    const QString stepped = label(NormField::ThdLimit)->text();
    type(editor, QStringLiteral("50"), Qt::Key_Escape);
    EXPECT_EQ(label(NormField::ThdLimit)->editor(), nullptr);
    EXPECT_EQ(configuration().norm[NormField::ThdLimit], stepped);

    editor = openEditor(NormField::ThdLimit);
    const QString again = label(NormField::ThdLimit)->text();
    QTest::keyClicks(editor, QStringLiteral("50"));
    window.button(QStringLiteral("close"))->setFocus();
    EXPECT_EQ(label(NormField::ThdLimit)->editor(), nullptr);
    EXPECT_EQ(configuration().norm[NormField::ThdLimit], again);
}

TEST_F(ConfigurationWindowTest, ResetAsksAndRestoresTheNorm)
{
    model.setNormText(NormField::Harmonic3, QStringLiteral("7"));
    window.tabs()->setCurrentWidget(window.normPage());
    window.normPage()->setCurrentIndex(4);
    auto buttons = window.normPage()->widget(4)->findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 2);
    buttons[0]->click(); // default answer "Nie"
    EXPECT_EQ(configuration().norm[NormField::Harmonic3], QStringLiteral("7"));
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("Na pewno przywrócić domyślne ustawienia parametrów normy?"));
    prompter.queueAnswers({PromptAnswer::Yes});
    buttons[1]->click();
    EXPECT_TRUE(configuration().isDefaultNorm());
    EXPECT_EQ(label(NormField::Harmonic3)->text(), QStringLiteral("5"));
}

TEST_F(ConfigurationWindowTest, ACtSecondaryOutsideItsRangeKeepsTheFocusAndTheOldValue)
{
    window.tabs()->setCurrentIndex(6);
    auto* field = find<QLineEdit>(QStringLiteral("ctSecondary2"));
    for (const auto& [typed, stored] : {std::pair{"010", "1,00"}, std::pair{"050", "0,50"}}) {
        typeAndLeave(field, QString::fromLatin1(typed));
        EXPECT_EQ(configuration().stations[1].ctSecondary, QString::fromLatin1(stored));
    }
    ASSERT_EQ(prompter.calls().size(), 1);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Proszę wpisać liczbę od 0,20 do 1,00"));
    EXPECT_TRUE(prompter.calls().last().modal);
}

TEST_F(ConfigurationWindowTest, AWrongCtSecondaryTakesTheFocusBack)
{
    window.tabs()->setCurrentIndex(6);
    auto* field = find<QLineEdit>(QStringLiteral("ctSecondary1"));
    typeAndLeave(field, QStringLiteral("150"));
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(ConfigurationWindowTest, CopyButtonsAndStationFlagsChangeTheStations)
{
    window.tabs()->setCurrentIndex(6);
    auto* un = find<QAbstractSpinBox>(QStringLiteral("un1"));
    un->setFocus();
    un->selectAll();
    QTest::keyClicks(un, QStringLiteral("400"));
    EXPECT_EQ(configuration().stations[0].un, 400);
    QTest::mouseClick(find<QPushButton>(QStringLiteral("copyColumn0")), Qt::LeftButton);
    for (const StationSettings& station : configuration().stations)
        EXPECT_EQ(station.un, 400);
    EXPECT_EQ(configuration().stations[1].vtPrimary, 230) << "only the column copied";

    QTest::mouseClick(find<SelectionIndicator>(QStringLiteral("changeStation3")), Qt::LeftButton);
    EXPECT_TRUE(configuration().stations[2].changeStation);
    QTest::mouseClick(find<SelectionIndicator>(QStringLiteral("start8")), Qt::LeftButton);
    EXPECT_TRUE(configuration().stations[7].startEnabled);
    EXPECT_TRUE(find<SelectionIndicator>(QStringLiteral("start8"))->isLit());
}

class SettingsFileButtonsTest : public ConfigurationWindowTest
{
protected:
    void answerDialog(const QString& path)
    {
        window.fileChooser().setDialog(
            [this, path](SettingsFileChooser::Purpose, const QString& folder) {
                dialogFolders.append(folder);
                return path;
            });
    }
    QStringList dialogFolders;
};

TEST_F(SettingsFileButtonsTest, SaveAndOpenGoThroughTheDialogAndRememberTheFolder)
{
    const QString path = dir.filePath(QStringLiteral("pomiar.ust"));
    click(41);
    answerDialog(path);
    window.button(QStringLiteral("save"))->click();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(settings.string(common::SettingsStore::Name::SettingsFilePath), dir.path() + '/');

    click(41);
    EXPECT_FALSE(configuration().selection[41]);
    window.button(QStringLiteral("open"))->click();
    EXPECT_TRUE(configuration().selection[41]);
    EXPECT_TRUE(indicator(41)->isLit());
    EXPECT_EQ(dialogFolders, (QStringList{QString(), dir.path() + '/'}));
    EXPECT_TRUE(messageBoxes.isEmpty());
}

TEST_F(SettingsFileButtonsTest, ACancelledDialogChangesNothingAndABadFileIsReported)
{
    answerDialog({});
    window.button(QStringLiteral("open"))->click();
    window.button(QStringLiteral("save"))->click();
    EXPECT_FALSE(settings.contains(common::SettingsStore::Name::SettingsFilePath));
    EXPECT_TRUE(messageBoxes.isEmpty());

    const QString broken = dir.filePath(QStringLiteral("krotki.ust"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1\r\n0\r\n");
    file.close();
    answerDialog(broken);
    window.button(QStringLiteral("open"))->click();
    EXPECT_EQ(messageBoxes.size(), 1);
    EXPECT_EQ(window.capacityDisplay()->text(), model.capacityText());
}

TEST_F(ConfigurationWindowTest, SendAnsweredNoWritesNothing)
{
    window.button(QStringLiteral("send"))->click();
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("Czy na pewno wysłać ustawienia do rejestratora?"));
    EXPECT_TRUE(line.written().isEmpty());
}

TEST_F(ConfigurationWindowTest, CloseIsRefusedDuringAReadAndFollowsWhenTheLinkGivesUp)
{
    window.button(QStringLiteral("receive"))->click();
    ASSERT_TRUE(link.isBusy());
    window.button(QStringLiteral("close"))->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Proszę czekać na zakończenie transmisji..."));
    clock.fireNext();
    EXPECT_FALSE(window.isVisible());

    window.show();
    window.button(QStringLiteral("close"))->click();
    EXPECT_FALSE(window.isVisible()) << "an idle link lets it close at once";
}

} // namespace
} // namespace kapstat::config
