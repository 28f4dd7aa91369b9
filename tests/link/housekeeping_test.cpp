// The housekeeping conversations against the emulated recorder, on test time.
#include "calib/calibrationset.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "config/imageencoder.h"
#include "emulatedrecorder.h"
#include "link/clearmemoryconversation.h"
#include "link/clockconversation.h"
#include "link/connectconversation.h"
#include "link/devicenumbers.h"
#include "link/statusconversation.h"
#include "linkfixture.h"

#include <QSignalSpy>

using namespace kapstat;
using namespace kapstat::link;

namespace {

const QDateTime PcTime(QDate(2024, 5, 1), QTime(12, 0, 7));

QString waitText()
{
    return QStringLiteral("Proszę czekać na zakończenie transmisji...");
}

} // namespace

class HousekeepingTest : public LinkFixture
{
protected:
    EmulatedRecorder recorder{channel};
};

// --- the clock -------------------------------------------------------------------------------

class ClockTest : public HousekeepingTest
{
protected:
    ClockConversation conversation{link, [] { return PcTime; }};
    QSignalSpy readings{&conversation, &ClockConversation::readingChanged};
    QSignalSpy closeReady{&conversation, &ClockConversation::closeReady};
};

TEST_F(ClockTest, ReadsTheRecordersClockAgainAfterEveryAnswer)
{
    conversation.start();
    recorder.run(3);
    EXPECT_EQ(readings.count(), 3);
    EXPECT_EQ(recorder.written(Command::ReadClock), 4);
    const ClockReading expected{"2024-05-01", "12:00:00", "2024-05-01", "12:00:07"};
    EXPECT_EQ(conversation.reading(), expected);
    EXPECT_EQ(link.outstanding(), (Operation{OperationName::Zegarek, 1}));
}

TEST_F(ClockTest, ClockBytesThatAreNoDateShowThemselvesAndReadingGoesOn)
{
    struct Case
    {
        const char* bytes; // seconds, minutes, hours, day, month, year
        const char* date;
        const char* time;
    };
    conversation.start();
    for (const Case& c : {Case{"304512241309", "Err:241309", "Err:304512"},
                          Case{"5A0000010124", "Err:010124", "Err:5A0000"},
                          Case{"000000300224", "Err:300224", "Err:000000"}}) {
        SCOPED_TRACE(c.bytes);
        const int readsBefore = writes();
        channel.feed(answer(Command::ReadClock, QByteArray::fromHex(c.bytes)));
        EXPECT_EQ(conversation.reading().recorderDate, QLatin1String(c.date));
        EXPECT_EQ(conversation.reading().recorderTime, QLatin1String(c.time));
        EXPECT_EQ(conversation.reading().pcDate, QStringLiteral("2024-05-01"));
        EXPECT_EQ(writes(), readsBefore + 1);
        EXPECT_EQ(lastPayload(), framecodec::payload(Command::ReadClock));
    }
}

TEST_F(ClockTest, TwoSettingsWhileAReadIsOutstandingSendOnlyTheSecond)
{
    const QDateTime first(QDate(2031, 1, 1), QTime(1, 1, 1));
    const QDateTime second(QDate(2032, 2, 2), QTime(2, 2, 2));
    conversation.start();
    conversation.setRecorderClock(first);
    conversation.setRecorderClock(second);
    recorder.run(3);
    EXPECT_EQ(recorder.emulator.commandCount(Command::SetClock), 1);
    EXPECT_EQ(recorder.emulator.recorderTime(), second);
    // The read in flight was given up; reading resumed after the setting with the new time.
    EXPECT_EQ(readings.count(), 1);
    EXPECT_EQ(conversation.reading().recorderDate, QStringLiteral("2032-02-02"));
    EXPECT_EQ(closeReady.count(), 0);
}

TEST_F(ClockTest, ClosingWhileAReadIsOutstandingWaitsForItsEnd)
{
    conversation.start();
    EXPECT_FALSE(conversation.requestClose());
    ASSERT_FALSE(prompter.calls().isEmpty());
    EXPECT_EQ(prompter.lastText(), waitText());
    EXPECT_EQ(prompter.calls().last().seconds, 0);
    EXPECT_EQ(prompter.calls().last().buttons, 0);
    EXPECT_FALSE(prompter.calls().last().modal);
    EXPECT_EQ(link.outstanding(), (Operation{OperationName::Zegarek, 3}));
    EXPECT_EQ(closeReady.count(), 0);

    recorder.run(3);
    EXPECT_EQ(closeReady.count(), 1);
    EXPECT_FALSE(prompter.isShown());
    EXPECT_EQ(readings.count(), 0);
    EXPECT_EQ(recorder.written(Command::ReadClock), 1);
}

// A setting deferred behind the closing still goes out, but reading does not restart behind
// the closed window (it would hold the link for good).
TEST_F(ClockTest, ASettingDeferredBehindTheClosingDoesNotRestartReading)
{
    conversation.start();
    conversation.setRecorderClock(PcTime);
    EXPECT_FALSE(conversation.requestClose());
    recorder.run(5);
    EXPECT_EQ(closeReady.count(), 1);
    EXPECT_EQ(recorder.emulator.commandCount(Command::SetClock), 1);
    EXPECT_EQ(recorder.written(Command::ReadClock), 1);
    EXPECT_FALSE(link.isBusy());
}

TEST_F(ClockTest, WithNoAnswerAndNoRetryReadingStopsButTheWindowStays)
{
    conversation.start();
    for (int i = 0; i < 3; ++i)
        clock.fireNext();
    EXPECT_EQ(prompter.questionCount(), 1);
    EXPECT_FALSE(link.isBusy());
    EXPECT_EQ(closeReady.count(), 0);
    EXPECT_TRUE(conversation.requestClose());
}

// --- the status ------------------------------------------------------------------------------

class StatusTest : public HousekeepingTest
{
protected:
    void useMeasuringSystem(config::MeasuringSystem system)
    {
        config::RecorderConfiguration configuration;
        configuration.measuringSystem = system;
        const auto build =
            config::imageencoder::build(configuration, recorder.state().calibration.coefficients());
        ASSERT_TRUE(build.ok()) << build.error.toStdString();
        recorder.emulator.setConfigurationImage(build.image);
    }
    QString row(int r) const { return conversation.status().values[r]; }
    // Closes the window as the user would, the exchange in flight let run out.
    void closeWindow()
    {
        if (!conversation.requestClose())
            recorder.run(2);
        ASSERT_FALSE(link.isBusy());
    }
    // Lets time pass while the recorder answers every poll.
    void pollFor(int milliseconds)
    {
        constexpr int Step = 500;
        for (; milliseconds >= Step; milliseconds -= Step) {
            clock.advance(Step);
            recorder.answer();
        }
        clock.advance(milliseconds);
    }

    config::ConfigurationModel model;
    config::ConfigurationReader reader{link, model};
    ManualTimer batteryTimer{clock};
    StatusConversation conversation{link, reader, model, batteryTimer};
    QSignalSpy closeReady{&conversation, &StatusConversation::closeReady};
};

TEST_F(StatusTest, ReadsTheConfigurationFirstThenPollsTheStatus)
{
    recorder.state().eventCount = 403;
    recorder.state().mainsMissing = true;
    recorder.state().recordingStopped = true;
    recorder.state().stationIndex = 3;
    recorder.state().totalMemoryUnits = 0x10;
    conversation.start();
    EXPECT_EQ(lastPayload(), framecodec::payload(Command::ReadConfiguration));
    recorder.run(4);
    EXPECT_EQ(recorder.written(Command::ReadConfiguration), 1);
    EXPECT_EQ(recorder.written(Command::ReadStatus), 4);
    EXPECT_EQ(row(RecorderStatus::Recording), QStringLiteral("zatrzymana"));
    EXPECT_EQ(row(RecorderStatus::Station), QStringLiteral("4"));
    EXPECT_EQ(row(RecorderStatus::MainsSupply), QStringLiteral("brak sieci"));
    EXPECT_EQ(row(RecorderStatus::TotalMemory), QStringLiteral("8192kB"));
    EXPECT_EQ(row(RecorderStatus::EventMemory), QStringLiteral("50%"));
}

TEST_F(StatusTest, TheEventShareFollowsTheSystemOfTheImageJustRead)
{
    recorder.state().eventCount = 403;
    for (const auto& [system, share] : {std::pair{config::MeasuringSystem::SinglePhase, "18%"},
                                        std::pair{config::MeasuringSystem::Delta, "34%"},
                                        std::pair{config::MeasuringSystem::Star, "50%"}}) {
        SCOPED_TRACE(share);
        useMeasuringSystem(system);
        conversation.start();
        recorder.run(2);
        EXPECT_EQ(conversation.measuringSystem(), system);
        EXPECT_EQ(row(RecorderStatus::EventMemory), QLatin1String(share));
        closeWindow();
    }
}

TEST_F(StatusTest, AnInvalidCalibrationDateNeitherStopsPollingNorHidesTheRest)
{
    const QByteArray block = recorder.state().calibration.responseData();
    const QByteArray undated = block.first(212) + QByteArray(3, '\0');
    ASSERT_TRUE(recorder.state().calibration.write(undated));
    recorder.state().recordCount = 12;
    conversation.start();
    recorder.run(3);
    EXPECT_TRUE(row(RecorderStatus::CalibrationDate).isEmpty());
    EXPECT_EQ(row(RecorderStatus::RecordCount), QStringLiteral("12"));
    EXPECT_TRUE(link.isBusy());
    EXPECT_EQ(link.outstanding(), (Operation{OperationName::Stan, 1}));
}

TEST_F(StatusTest, TheBatteryTestGoesOutBehindThePollAndItsResultStaysFiveSeconds)
{
    for (const bool memoryGood : {true, false}) {
        SCOPED_TRACE(memoryGood);
        recorder.state().memoryBatteryGood = memoryGood;
        conversation.start();
        recorder.run(2);
        conversation.testBatteries();
        EXPECT_TRUE(link.hasDeferredCommand());
        recorder.run(2);
        EXPECT_EQ(recorder.emulator.commandCount(Command::TestBatteries), memoryGood ? 1 : 2);
        EXPECT_EQ(conversation.batteries().colour,
                  memoryGood ? BatteryReport::Colour::Good : BatteryReport::Colour::Bad);
        EXPECT_EQ(conversation.batteries().values[BatteryReport::Memory],
                  memoryGood ? QStringLiteral("stan dobry") : QStringLiteral("stan zły"));
        // Polling resumed after the test.
        EXPECT_EQ(link.outstanding(), (Operation{OperationName::Stan, 1}));
        EXPECT_EQ(lastPayload(), framecodec::payload(Command::ReadStatus));

        pollFor(StatusConversation::BatteryResultMs - 1);
        EXPECT_NE(conversation.batteries(), BatteryReport::prompt());
        clock.advance(1);
        EXPECT_EQ(conversation.batteries(), BatteryReport::prompt());
        EXPECT_EQ(prompter.questionCount(), 0);
        closeWindow();
    }
}

TEST_F(StatusTest, ClosingWhileBusyEndsThroughTheLinkWithoutAMessage)
{
    conversation.start();
    recorder.run(2);
    EXPECT_FALSE(conversation.requestClose());
    EXPECT_EQ(link.outstanding(), (Operation{OperationName::Stan, 3}));
    EXPECT_TRUE(prompter.calls().isEmpty());
    const int polls = recorder.written(Command::ReadStatus);
    recorder.run(3);
    EXPECT_EQ(closeReady.count(), 1);
    EXPECT_EQ(recorder.written(Command::ReadStatus), polls);
    EXPECT_FALSE(link.isBusy());
}

TEST_F(StatusTest, ABatteryTestDeferredBehindTheClosingDoesNotRestartPolling)
{
    conversation.start();
    recorder.run(2);
    conversation.testBatteries();
    EXPECT_FALSE(conversation.requestClose());
    recorder.run(5);
    EXPECT_EQ(closeReady.count(), 1);
    EXPECT_FALSE(link.isBusy());
}

TEST_F(StatusTest, ShowingAgainEmptiesTheValuesOfTheLastShowing)
{
    conversation.start();
    recorder.run(2);
    ASSERT_FALSE(row(RecorderStatus::SerialNumber).isEmpty());
    closeWindow();
    conversation.start();
    for (const QString& value : conversation.status().values)
        EXPECT_TRUE(value.isEmpty());
    EXPECT_EQ(conversation.batteries(), BatteryReport::prompt());
}

// --- connect and emptying the memory ---------------------------------------------------------

TEST_F(HousekeepingTest, ConnectReadsTheCalibrationThenTheConfiguration)
{
    config::ConfigurationModel model;
    config::ConfigurationReader reader{link, model};
    ConnectConversation conversation(link);
    QSignalSpy enabled(&conversation, &ConnectConversation::recorderActionsEnabled);
    QSignalSpy connected(&conversation, &ConnectConversation::connected);
    conversation.start();
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Próba komunikacji..."));
    recorder.run(3);
    EXPECT_EQ(recorder.written(Command::ReadCalibration), 1);
    EXPECT_EQ(recorder.written(Command::ReadConfiguration), 1);
    EXPECT_EQ(enabled.count(), 2);
    EXPECT_EQ(connected.count(), 1);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Nawiązano komunikację z rejestratorem."));
    EXPECT_EQ(prompter.calls().last().seconds, 3);
    EXPECT_FALSE(link.isBusy());
}

TEST_F(HousekeepingTest, EmptyingTheMemoryAsksFirst)
{
    ClearMemoryConversation conversation(link);
    QSignalSpy cleared(&conversation, &ClearMemoryConversation::cleared);
    recorder.state().recordCount = 50;

    prompter.queueAnswers({PromptAnswer::No});
    EXPECT_FALSE(conversation.start());
    EXPECT_EQ(writes(), 0);
    const auto question = prompter.calls().last();
    EXPECT_EQ(question.text, QStringLiteral("Czy na pewno opróżnić pamięć pomiarów?"));
    EXPECT_EQ(question.seconds, 0);
    EXPECT_EQ(question.buttons, PromptButton::Yes | PromptButton::No);
    EXPECT_TRUE(question.modal);

    prompter.queueAnswers({PromptAnswer::Yes});
    EXPECT_TRUE(conversation.start());
    recorder.run(2);
    EXPECT_EQ(recorder.state().recordCount, 0);
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Pamięć pomiarów została opróżniona."));
    EXPECT_EQ(prompter.calls().last().seconds, 3);
}
