// The clock and status windows filled from the emulated recorder.
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "emulatedrecorder.h"
#include "link/clockconversation.h"
#include "link/clockwindow.h"
#include "link/statusconversation.h"
#include "link/statuswindow.h"
#include "link/textgrid.h"
#include "linkfixture.h"

#include <QDateEdit>
#include <QPushButton>
#include <QTimeEdit>

using namespace kapstat;
using namespace kapstat::link;

namespace {

QPushButton* buttonOf(QWidget& window, const QString& caption)
{
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

const QColor Green(0, 0x80, 0);
const QColor Red(0xc0, 0, 0);
const QColor Blue(0, 0, 0xc0);

} // namespace

class StatusWindowTest : public LinkFixture
{
protected:
    QString value(int row) const { return window.statusGrid()->textAt(row, 1); }
    QString battery(int row) const { return window.batteryGrid()->textAt(row, 1); }
    QColor batteryColour(int row) const { return window.batteryGrid()->colourAt(row, 1); }

    EmulatedRecorder recorder{channel};
    config::ConfigurationModel model;
    config::ConfigurationReader reader{link, model};
    ManualTimer batteryTimer{clock};
    StatusConversation conversation{link, reader, model, batteryTimer};
    StatusWindow window{conversation};
};

TEST_F(StatusWindowTest, ShowsEveryRowOfTheRecordersStatus)
{
    recorder.state().mainsMissing = true;
    recorder.state().recordingStopped = true;
    recorder.state().stationIndex = 3;
    recorder.state().eventCount = 403;
    recorder.state().totalMemoryUnits = 0x10;
    recorder.state().recordCount = 1234;
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Stan rejestratora"));
    recorder.run(2);
    const QStringList expected{
        "zatrzymana",       "4",         "1234", "", "403", "50%", "8192kB", "2024-03-15",
        "KAP-640 nr 00001", "brak sieci"};
    for (int row = 0; row < RecorderStatus::RowCount; ++row) {
        EXPECT_EQ(window.statusGrid()->textAt(row, 0), RecorderStatus::caption(row));
        if (row != RecorderStatus::RecordMemory) {
            EXPECT_EQ(value(row), expected[row]) << row;
        }
    }
    EXPECT_TRUE(value(RecorderStatus::RecordMemory).endsWith(QLatin1Char('%')));
    EXPECT_GE(window.statusGrid()->columnWidth(0), 200);
    EXPECT_GE(window.statusGrid()->columnWidth(1), 200);
}

TEST_F(StatusWindowTest, BatteryRowsAreGreenOnlyWhenBothBatteriesAreGood)
{
    window.show();
    EXPECT_EQ(battery(0), QStringLiteral("nacisnij \"Zbadaj stan akumulatorów\""));
    EXPECT_EQ(batteryColour(0), Blue);
    recorder.run(2);

    struct Case
    {
        bool operatingGood;
        bool memoryGood;
        const char* operating;
        const char* memory;
        QColor colour;
    };
    for (const Case& c : {Case{true, true, "stan dobry", "stan dobry", Green},
                          Case{true, false, "stan dobry", "stan zły", Red}}) {
        SCOPED_TRACE(c.memory);
        recorder.state().operatingBatteryGood = c.operatingGood;
        recorder.state().memoryBatteryGood = c.memoryGood;
        buttonOf(window, QStringLiteral("Zbadaj stan akumulatorów"))->click();
        recorder.run(2);
        EXPECT_EQ(battery(0), QString::fromUtf8(c.operating));
        EXPECT_EQ(battery(1), QString::fromUtf8(c.memory));
        EXPECT_EQ(batteryColour(0), c.colour);
        EXPECT_EQ(batteryColour(1), c.colour);
    }
    clock.advance(StatusConversation::BatteryResultMs);
    EXPECT_EQ(batteryColour(1), Blue);
    EXPECT_TRUE(battery(1).startsWith(QStringLiteral("nacisnij")));
}

TEST_F(StatusWindowTest, ClosingWhileAPollIsOutstandingWaitsForIt)
{
    window.show();
    recorder.run(2);
    buttonOf(window, QStringLiteral("Zamknij"))->click();
    EXPECT_TRUE(window.isVisible());
    recorder.run(2);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(link.isBusy());

    // With the port closed nothing is outstanding and the window closes at once.
    channel.close();
    window.show();
    window.close();
    EXPECT_FALSE(window.isVisible());
}

class ClockWindowTest : public LinkFixture
{
protected:
    QString cell(int row, int column) const { return window.grid()->textAt(row, column); }

    EmulatedRecorder recorder{channel};
    ClockConversation conversation{link, [] { return EmulatedRecorder::HostTime.addSecs(5); }};
    ClockWindow window{conversation};
};

TEST_F(ClockWindowTest, ShowsTheRecordersClockBesideThePcsWhileOpen)
{
    recorder.state().clockOffsetMs = -3600 * 1000;
    window.show();
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("Ustawienie daty i czasu bieżącego w rejestratorze"));
    EXPECT_EQ(window.datePicker()->date(), QDate(2024, 5, 1));
    recorder.run(3);
    EXPECT_EQ(cell(0, 1), QStringLiteral("Data"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("Czas"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("Rejestrator:"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("Komputer:"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("2024-05-01"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("11:00:00"));
    EXPECT_EQ(cell(2, 2), QStringLiteral("12:00:05"));
    EXPECT_EQ(window.grid()->colourAt(1, 0), QColor(0xc0, 0, 0));
    EXPECT_EQ(window.grid()->colourAt(1, 1), QColor(0, 0, 0xc0));
    EXPECT_EQ(recorder.written(Command::ReadClock), 4);
}

TEST_F(ClockWindowTest, SynchronisingTwiceWhileAReadIsOutstandingSendsOneSetting)
{
    recorder.state().clockOffsetMs = 86400 * 1000;
    window.show();
    QPushButton* synchronise = buttonOf(window, QStringLiteral("Synchronizuj"));
    synchronise->click();
    synchronise->click();
    recorder.run(4);
    EXPECT_EQ(recorder.emulator.commandCount(Command::SetClock), 1);
    EXPECT_EQ(cell(1, 1), QStringLiteral("2024-05-01"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("12:00:05"));
}

TEST_F(ClockWindowTest, SendTakesThePickersAndClosingWaitsForTheExchange)
{
    window.show();
    recorder.run(1);
    window.datePicker()->setDate(QDate(2025, 2, 14));
    window.timePicker()->setTime(QTime(8, 30, 0));
    buttonOf(window, QStringLiteral("Wyslij"))->click();
    recorder.run(3);
    EXPECT_EQ(cell(1, 1), QStringLiteral("2025-02-14"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("08:30:00"));

    window.close();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Proszę czekać na zakończenie transmisji..."));
    recorder.run(2);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(prompter.isShown());
}
