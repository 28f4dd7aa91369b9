// The calibration window against the emulated recorder: its controls and their rules, the table
// and chart of every frame, an automatic DC calibration that converges through the window, and
// closing while the recorder is being talked to.
#include "calib/calibrationblock.h"
#include "calib/calibrationchart.h"
#include "calibrationwindowharness.h"
#include "print/customplot.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::calib;

namespace {

QStringList listEntries(const QComboBox* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

// The text of the message box the window opened last, closed; empty when none is open.
QString takeMessageBox()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box && box->isVisible()) {
            const QString text = box->text();
            box->close();
            return text;
        }
    }
    return {};
}

} // namespace

TEST(CalibrationWindow, OpensWithItsDefaultsAndShowsEveryFrame)
{
    CalibrationWindowHarness h;
    h.window.show();
    EXPECT_EQ(h.window.windowTitle(), QStringLiteral("Kalibracja"));
    EXPECT_EQ(listEntries(h.window.rangeList()), (QStringList{"0", "1", "2", "3"}));
    EXPECT_EQ(h.window.rangeList()->currentIndex(), 0);
    EXPECT_TRUE(h.window.dcMode()->isChecked());
    EXPECT_TRUE(h.window.clamps()->isChecked());
    EXPECT_EQ(h.window.automaticButton()->text(), QStringLiteral("Autokalibracja DC"));
    EXPECT_EQ(h.window.unField()->text(), QStringLiteral("220"));
    EXPECT_EQ(h.window.inField()->text(), QStringLiteral("5"));
    EXPECT_EQ(h.window.generatorField()->text(), QStringLiteral("5"));
    EXPECT_EQ(h.window.fixRangeButton()->text(), QStringLiteral("Ustaw wzmocnienie"));
    EXPECT_TRUE(
        h.window.dateLabel()->text().startsWith(QStringLiteral("Data ostatniej kalibracji:  ")));
    EXPECT_EQ(h.window.exponentField(0)->text(), QStringLiteral("0"));
    EXPECT_FALSE(h.window.exponentField(0)->isEnabled());
    for (const char* caption :
         {"Odbierz", "Wyślij", "Odczytaj", "Zapisz", "Zamknij", "Zapisz do EEPROM"})
        EXPECT_TRUE(h.window.button(QString::fromUtf8(caption))) << caption;
    QTableWidget* table = h.window.table();
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("abs(max)"));
    EXPECT_EQ(table->horizontalHeaderItem(5)->text(), QStringLiteral("War. odb."));
    EXPECT_EQ(table->item(3, 0)->text(), QStringLiteral("IL1"));

    ASSERT_TRUE(h.waitForFrames(2));
    // Each frame asks for the next at once: the loop runs on.
    EXPECT_GE(h.server.emulator().commandCount(link::Command::InstantFrame), h.frames);
    EXPECT_TRUE(h.link.isBusy() || h.server.isSending());
    EXPECT_EQ(table->item(0, 1)->text(), QString::number(h.store.peaks[0]));
    EXPECT_EQ(table->item(4, 2)->text().right(1), QStringLiteral("P")); // IL2 is on the loop
    EXPECT_TRUE(table->item(0, 5)->text().endsWith(QStringLiteral(" V")));
    EXPECT_TRUE(table->item(3, 5)->text().endsWith(QStringLiteral(" A")));
    QCustomPlot* plot = h.window.chart()->plot();
    EXPECT_EQ(plot->graph(0)->dataCount(), 300);
    EXPECT_EQ(plot->graph(0)->pen().color(), QColor(Qt::red));
    EXPECT_EQ(plot->graph(4)->pen().color(), QColor(Qt::magenta));
    EXPECT_EQ(plot->yAxis->range().upper, 10);
    h.window.chart()->scrollBar()->setValue(500);
    EXPECT_EQ(plot->yAxis->range().lower, -500);
    h.window.closeNow();
}

TEST(CalibrationWindow, ModeTransducersAndRangeChooseTheRowsShown)
{
    CalibrationWindowHarness h;
    for (int c = 0; c < ChannelCount; ++c)
        for (int r = 0; r < RangeSlotCount; ++r) {
            h.calibration.dcOffset[c][r] = 10 * c + r;
            h.calibration.gainMantissa[c][r] = 20000 + 10 * c + r;
            h.calibration.gainExponent[c][r] = -r;
        }
    h.window.show();
    h.window.loop()->setChecked(true);
    EXPECT_EQ(listEntries(h.window.rangeList()), (QStringList{"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(h.window.rangeList()->currentText(), QStringLiteral("5"));
    h.window.rangeList()->setCurrentIndex(2);
    EXPECT_EQ(h.window.valueField(3)->text(), QStringLiteral("36")); // slot 6
    EXPECT_TRUE(h.window.valueField(0)->isHidden());
    EXPECT_TRUE(h.window.exponentField(1)->isHidden());
    EXPECT_FALSE(h.window.table()->item(0, 0)->data(Qt::CheckStateRole).isValid());
    EXPECT_FALSE(h.window.chart()->plot()->graph(0)->visible());

    h.window.gainMode()->setChecked(true);
    EXPECT_EQ(h.window.automaticButton()->text(), QStringLiteral("Autokalibracja WZM"));
    EXPECT_EQ(h.window.chart()->plot()->yAxis->range().upper, 2048);
    EXPECT_EQ(h.window.chart()->scrollBar()->value(), 2048);
    EXPECT_EQ(h.window.valueField(4)->text(), QStringLiteral("20046"));
    EXPECT_EQ(h.window.exponentField(4)->text(), QStringLiteral("-6"));
    EXPECT_TRUE(h.window.exponentField(4)->isEnabled());

    // Typing writes into the slot at once; a sixth digit is refused.
    h.window.valueField(4)->clear();
    QTest::keyClicks(h.window.valueField(4), QStringLiteral("123456"));
    EXPECT_EQ(h.window.valueField(4)->text(), QStringLiteral("12345"));
    EXPECT_EQ(h.calibration.gainMantissa[4][6], 12345);
    h.window.exponentField(4)->clear();
    QTest::keyClicks(h.window.exponentField(4), QStringLiteral("-7"));
    EXPECT_EQ(h.calibration.gainExponent[4][6], -7);

    h.window.clamps()->setChecked(true);
    EXPECT_EQ(h.window.rangeList()->currentText(), QStringLiteral("3"));
    EXPECT_FALSE(h.window.valueField(0)->isHidden());
    EXPECT_EQ(h.window.table()->item(0, 0)->checkState(), Qt::Unchecked);
    h.window.dcMode()->setChecked(true);
    EXPECT_EQ(h.window.valueField(0)->text(), QStringLiteral("3"));
    h.window.valueField(0)->clear();
    QTest::keyClicks(h.window.valueField(0), QStringLiteral("128"));
    EXPECT_EQ(h.calibration.dcOffset[0][3], 12); // a DC offset is a byte: 128 is not taken
    h.window.valueField(0)->editingFinished();
    EXPECT_EQ(h.window.valueField(0)->text(), QStringLiteral("12"));
    h.window.closeNow();
}

namespace {

// Drifts the recorder's coefficients of range 1 from its converters, reads them into the window
// and runs the window's automatic calibration on them; the message it ended with.
QString calibrateDriftedRange(CalibrationWindowHarness& h, QRadioButton* mode)
{
    CalibrationSet drifted = h.recorder().frontEnd;
    for (int c = 0; c < ChannelCount; ++c) {
        drifted.dcOffset[c][1] += 6 - 3 * c;
        drifted.gainMantissa[c][1] = drifted.gainMantissa[c][1] * (97 + c) / 100;
    }
    h.recorder().calibration.write(calibrationblock::encode(drifted, {}).data);
    h.window.show();
    EXPECT_TRUE(h.waitForFrames(1));
    h.window.button(QStringLiteral("Odbierz"))->click();
    EXPECT_TRUE(CalibrationWindowHarness::waitFor([&] {
        return h.calibration.dcOffset == drifted.dcOffset &&
               h.calibration.gainMantissa == drifted.gainMantissa;
    }));
    mode->setChecked(true);
    h.window.rangeList()->setCurrentIndex(1);
    h.window.table()->item(4, 0)->setCheckState(Qt::Unchecked); // the emulator's loop channel
    h.window.automaticButton()->click();
    EXPECT_EQ(h.window.automaticButton()->text(), QStringLiteral("STOP"));
    EXPECT_FALSE(h.window.button(QStringLiteral("Wyślij"))->isEnabled());
    EXPECT_FALSE(h.window.dcMode()->isEnabled());
    QString message;
    CalibrationWindowHarness::waitFor([&] {
        if (message.isEmpty())
            message = takeMessageBox();
        return !message.isEmpty() && h.recorder().rangeSetting == AutomaticRangeCode;
    });
    EXPECT_TRUE(h.window.button(QStringLiteral("Wyślij"))->isEnabled());
    return message;
}

} // namespace

TEST(CalibrationWindow, AutomaticDcCalibrationConvergesThroughTheWindow)
{
    CalibrationWindowHarness h;
    EXPECT_EQ(calibrateDriftedRange(h, h.window.dcMode()),
              QStringLiteral("Kalibracja DC zakresu 1 zakonczona!"));
    EXPECT_EQ(h.window.automaticButton()->text(), QStringLiteral("Autokalibracja DC"));
    const CalibrationSet calibrated = h.recorder().calibration.coefficients();
    for (int c : {0, 1, 2, 3, 5})
        EXPECT_EQ(calibrated.dcOffset[c][1], h.recorder().frontEnd.dcOffset[c][1]) << c;
    EXPECT_EQ(h.window.valueField(0)->text(),
              QString::number(h.recorder().frontEnd.dcOffset[0][1]));
    h.window.closeNow();
}

TEST(CalibrationWindow, AutomaticGainCalibrationConvergesThroughTheWindow)
{
    CalibrationWindowHarness h;
    EXPECT_EQ(calibrateDriftedRange(h, h.window.gainMode()),
              QStringLiteral("Kalibracja WZM zakresu 1zakonczona!"));
    EXPECT_EQ(h.window.automaticButton()->text(), QStringLiteral("Autokalibracja WZM"));
    const CalibrationSet& converters = h.recorder().frontEnd;
    const CalibrationSet calibrated = h.recorder().calibration.coefficients();
    for (int c : {0, 1, 2, 3, 5})
        EXPECT_NEAR(calibrated.coefficient(c, 1), converters.coefficient(c, 1),
                    2e-4 * converters.coefficient(c, 1))
            << c;
    EXPECT_EQ(h.window.valueField(3)->text(), QString::number(calibrated.gainMantissa[3][1]));
    h.window.closeNow();
}

TEST(CalibrationWindow, StopEndsAGainCalibrationAndClosingWaitsForTheTransfer)
{
    CalibrationWindowHarness h;
    h.window.show();
    ASSERT_TRUE(h.waitForFrames(1));
    h.window.gainMode()->setChecked(true);
    h.window.inField()->setText(QStringLiteral("zero"));
    h.window.automaticButton()->click();
    EXPECT_EQ(takeMessageBox(),
              QStringLiteral("Un i In muszą być liczbami dodatnimi (np. 220 i 5)."));
    EXPECT_FALSE(h.conversation.isAutomaticRunning());
    h.window.inField()->setText(QStringLiteral("4,5"));
    h.window.automaticButton()->click();
    EXPECT_EQ(h.window.automaticButton()->text(), QStringLiteral("STOP"));
    h.window.automaticButton()->click();
    EXPECT_EQ(h.prompter.lastText(),
              QStringLiteral("Kalibracja przerwana! Wracam do automatycznej zmiany zakresu"));
    EXPECT_EQ(h.window.automaticButton()->text(), QStringLiteral("Autokalibracja WZM"));
    const int before = h.frames;
    ASSERT_TRUE(h.waitForFrames(before + 1));

    h.window.button(QStringLiteral("Zamknij"))->click();
    EXPECT_TRUE(h.window.isVisible());
    EXPECT_EQ(h.prompter.lastText(), QStringLiteral("Proszę czekać na zakończenie transmisji..."));
    ASSERT_TRUE(CalibrationWindowHarness::waitFor([&] { return !h.window.isVisible(); }));
    EXPECT_FALSE(h.prompter.isShown());
    // The loop has stopped: nothing more is asked.
    const int frames = h.server.emulator().commandCount(link::Command::InstantFrame);
    QTest::qWait(50);
    EXPECT_EQ(h.server.emulator().commandCount(link::Command::InstantFrame), frames);
    EXPECT_EQ(h.recorder().rangeSetting, AutomaticRangeCode);
}

TEST(CalibrationWindow, AnUnreadableRecorderValueShowsItsBytesOnLightYellow)
{
    kapstat::sim::SimOptions options;
    options.damagedLiveValue = 3; // IL1's RMS
    CalibrationWindowHarness h(options);
    h.window.show();
    ASSERT_TRUE(h.waitForFrames(1));
    QTableWidgetItem* cell = h.window.table()->item(3, 5);
    EXPECT_EQ(cell->text(), h.store.recorderRaw[3]);
    EXPECT_FALSE(cell->text().isEmpty());
    EXPECT_EQ(cell->background().color(), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(h.window.table()->item(0, 5)->background().style(), Qt::NoBrush);
    h.window.closeNow();
}

TEST(CalibrationWindow, FilesRestoreTheCoefficientsShown)
{
    CalibrationWindowHarness h;
    h.calibration.dcOffset[2][0] = -17;
    h.window.show();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wsp.kal"));
    ASSERT_TRUE(h.window.saveFile(path));
    h.calibration.dcOffset[2][0] = 0;
    ASSERT_TRUE(h.window.loadFile(path));
    EXPECT_EQ(h.window.valueField(2)->text(), QStringLiteral("-17"));
    h.window.closeNow();
}

TEST(CalibrationWindow, ClosingDuringAnAutomaticCalibrationEndsItOnceTheTransferIsOver)
{
    CalibrationWindowHarness h;
    h.window.show();
    ASSERT_TRUE(h.waitForFrames(1));
    h.window.automaticButton()->click();
    ASSERT_TRUE(h.conversation.isAutomaticRunning());
    h.window.button(QStringLiteral("Zamknij"))->click();
    EXPECT_TRUE(h.window.isVisible());
    EXPECT_FALSE(h.conversation.isAutomaticRunning());
    EXPECT_EQ(h.window.automaticButton()->text(), QStringLiteral("Autokalibracja DC"));
    ASSERT_TRUE(CalibrationWindowHarness::waitFor([&] { return !h.window.isVisible(); }));
    EXPECT_FALSE(h.link.isBusy());

    // Opened again, the loop starts afresh.
    const int frames = h.frames;
    h.window.show();
    ASSERT_TRUE(h.waitForFrames(frames + 1));
    h.window.closeNow();
}
