// The calibration conversation on an in-memory line: every step of the operation "kalibracja",
// the automatic DC and gain calibrations with frames of chosen means and levels, "STOP",
// the guards against coefficients the block cannot carry, and closing during a transfer.
#include "calib/calibrationblock.h"
#include "calibrationfixture.h"
#include "sim/instantframewriter.h"

#include <cmath>

using namespace kapstat;
using namespace kapstat::calib;
using link::Command::InstantFrame;
using link::Command::ReadCalibration;
using link::Command::SetRange;
using link::Command::StoreCalibration;
using link::Command::WriteCalibration;
using Step = CalibrationConversation::Step;

namespace {

// 300 whole counts per channel whose mean is the one asked for, to the nearest 1/300.
QByteArray frameWithMeans(const std::array<double, ChannelCount>& means)
{
    sim::InstantFrameWriter writer;
    for (int c = 0; c < ChannelCount; ++c) {
        const long total = std::lround(means[c] * live::SampleCount);
        const long base = static_cast<long>(std::floor(double(total) / live::SampleCount));
        const long extra = total - base * live::SampleCount;
        for (int a = 0; a < live::SampleCount; ++a)
            writer.setSample(a, c, static_cast<int>(base + (a < extra ? 1 : 0)));
    }
    writer.setLicznik(25000);
    writer.setImax(250);
    return writer.response().frame();
}

// UL1 a square wave of the given counts, the other channels silent.
QByteArray frameWithSquareWave(int counts)
{
    sim::InstantFrameWriter writer;
    for (int a = 0; a < live::SampleCount; ++a)
        writer.setSample(a, 0, a % 2 ? counts : -counts);
    writer.setLicznik(25000);
    writer.setImax(250);
    return writer.response().frame();
}

class CalibrationConversationTest : public CalibrationFixture
{
protected:
    quint8 lastCode() const { return static_cast<quint8>(lastPayload().at(0)); }
    QByteArray lastData() const { return lastPayload().mid(3); }
    link::Operation outstanding() const { return link.outstanding(); }
    void acknowledge(quint8 code) { channel.feed(answer(code)); }
    void expectSent(quint8 code, int step)
    {
        EXPECT_EQ(lastCode(), code);
        EXPECT_EQ(outstanding(), (link::Operation{link::OperationName::Kalibracja, step}));
    }
    // A frame of the loop (step 1) in flight.
    void startLoop()
    {
        conversation.startLoop();
        expectSent(InstantFrame, Step::Frames);
    }
    // Starts an automatic calibration and answers its range and coefficients, so that the first
    // frame under step 2 is in flight.
    void startAutomatic(const AutoCalibrationSettings& settings)
    {
        conversation.startAutomatic(settings);
        channel.feed(frameWithMeans({}));
        expectSent(SetRange, Step::Automatic);
        EXPECT_EQ(lastData(),
                  QByteArray(1, static_cast<char>(rangeCode(settings.selection.rangeEntry))));
        acknowledge(SetRange);
        expectSent(WriteCalibration, Step::Automatic);
        acknowledge(WriteCalibration);
        expectSent(InstantFrame, Step::Automatic);
    }
};

} // namespace

TEST_F(CalibrationConversationTest, AButtonWaitsForTheFrameInFlightThenTheLoopResumes)
{
    startLoop();
    QSignalSpy analysed(&conversation, &CalibrationConversation::frameAnalysed);
    channel.feed(frameWithMeans({1.5}));
    EXPECT_EQ(analysed.count(), 1);
    EXPECT_DOUBLE_EQ(conversation.means()[0], 1.5);
    expectSent(InstantFrame, Step::Frames);

    conversation.readCoefficients();
    EXPECT_EQ(writes(), 2); // deferred behind the frame in flight
    channel.feed(frameWithMeans({}));
    EXPECT_EQ(analysed.count(), 1); // the aborted frame is not examined
    expectSent(ReadCalibration, Step::Read);

    CalibrationSet recorder;
    recorder.gainMantissa[0][0] = 12300;
    recorder.gainExponent[0][0] = -6;
    QByteArray block = calibrationblock::encode(recorder, QDate(2024, 3, 15)).data;
    block.resize(link::ResponseLength::Calibration - 5);
    channel.feed(answer(ReadCalibration, block));
    EXPECT_EQ(set.gainMantissa[0][0], 12300);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Odebrano współczynniki kalibracji"));
    EXPECT_EQ(prompter.calls().last().seconds, 1);
    expectSent(InstantFrame, Step::Frames);
}

TEST_F(CalibrationConversationTest, SendStoreAndFixedRangeEachAnswerWithTheirMessage)
{
    startLoop();
    struct Case
    {
        std::function<void()> press;
        quint8 code;
        QByteArray data;
        int step;
        QString message;
        int seconds;
    };
    set.gainMantissa[3][1] = 12300;
    set.gainExponent[3][1] = -6;
    const Case cases[] = {
        {[&] { conversation.sendCoefficients(); },
         WriteCalibration,
         {},
         Step::Send,
         QStringLiteral("Wysłano współczynniki kalibracji"),
         1},
        {[&] { conversation.storeInEeprom(); },
         StoreCalibration,
         {},
         Step::StoreInEeprom,
         QStringLiteral("Współczynniki kalibracji przepisano poprawnie do EEPROMU."),
         3},
        {[&] { conversation.toggleFixedRange(3); }, SetRange, QByteArray("\x1B"), Step::FixRange,
         QStringLiteral("Wzmocnienie zablokowane"), 1},
        {[&] { conversation.toggleFixedRange(3); }, SetRange, QByteArray("\x7F"), Step::FixRange,
         QStringLiteral("Wzmocnienie automatyczne"), 1},
    };
    for (const Case& c : cases) {
        c.press();
        channel.feed(frameWithMeans({}));
        expectSent(c.code, c.step);
        if (!c.data.isEmpty()) {
            EXPECT_EQ(lastData(), c.data);
        }
        acknowledge(c.code);
        EXPECT_EQ(prompter.lastText(), c.message);
        EXPECT_EQ(prompter.calls().last().seconds, c.seconds);
        expectSent(InstantFrame, Step::Frames);
    }
}

TEST_F(CalibrationConversationTest, DcCalibrationStepsTheTickedChannelsUntilTheyAreDone)
{
    set.dcOffset[0][2] = 10;
    set.dcOffset[3][2] = -4;
    set.dcOffset[1][2] = 7;
    startLoop();
    startAutomatic(ticking({0, 3}, 2));
    // UL2 is not ticked: its mean changes nothing.
    channel.feed(frameWithMeans({3.7, 9, 0, -0.7}));
    EXPECT_EQ(set.dcOffset[0][2], 12);
    EXPECT_EQ(set.dcOffset[3][2], -5);
    EXPECT_EQ(set.dcOffset[1][2], 7);
    expectSent(WriteCalibration, Step::Automatic);
    EXPECT_EQ(static_cast<quint8>(lastData().at(calibrationblock::dcOffsetPosition(0, 2) - 5)), 12);
    acknowledge(WriteCalibration);
    expectSent(InstantFrame, Step::Automatic);

    channel.feed(frameWithMeans({0.4, 9, 0, -0.5}));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages[0][0].toString(), QStringLiteral("Kalibracja DC zakresu 2 zakonczona!"));
    EXPECT_FALSE(conversation.isAutomaticRunning());
    expectSent(SetRange, Step::BackToAutoRange);
    EXPECT_EQ(lastData(), QByteArray("\x7F"));
    acknowledge(SetRange);
    expectSent(InstantFrame, Step::Frames);
}

TEST_F(CalibrationConversationTest, LoopEntryTwoCalibratesSlotSixOfTheCurrents)
{
    startLoop();
    startAutomatic(ticking({4}, 2, Transducer::Loop));
    EXPECT_EQ(set.dcOffset[4][6], 0);
    channel.feed(frameWithMeans({0, 0, 0, 0, 0.6}));
    EXPECT_EQ(set.dcOffset[4][6], 1);
    EXPECT_EQ(set.dcOffset[4][2], 0);
    acknowledge(WriteCalibration);
    channel.feed(frameWithMeans({}));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages[0][0].toString(),
              QStringLiteral("Kalibracja DC zakresu 2 PĘTLI zakonczona!"));
}

TEST_F(CalibrationConversationTest, GainCalibrationIsOneIterationAndLeavesASilentChannelAlone)
{
    scale.values[0][0] = 0.01; // the frame's 22100 counts read as 221 V
    set.gainMantissa[0][0] = 12300;
    set.gainExponent[0][0] = -6;
    set.gainMantissa[1][0] = 50000;
    set.gainExponent[1][0] = -5;
    startLoop();
    AutoCalibrationSettings settings =
        ticking({0, 1}, 0, Transducer::Clamps, CalibrationMode::Gain);
    startAutomatic(settings);
    channel.feed(frameWithSquareWave(22100));
    EXPECT_EQ(set.gainMantissa[0][0], 12244);
    EXPECT_EQ(set.gainExponent[0][0], -6);
    EXPECT_EQ(set.gainMantissa[1][0], 50000); // UL2 carried nothing
    EXPECT_EQ(set.gainExponent[1][0], -5);
    ASSERT_EQ(messages.count(), 1);
    const QString text = messages[0][0].toString();
    EXPECT_TRUE(text.contains(QLatin1String("UL2"))) << qPrintable(text);
    EXPECT_TRUE(text.endsWith(QStringLiteral("Kalibracja WZM zakresu 0zakonczona!")));
    expectSent(WriteCalibration, Step::BackToAutoRange);
    acknowledge(WriteCalibration);
    expectSent(SetRange, Step::BackToAutoRange);
    EXPECT_EQ(lastData(), QByteArray("\x7F"));
    acknowledge(SetRange);
    expectSent(InstantFrame, Step::Frames);
}

TEST_F(CalibrationConversationTest, StopAbortsTheExchangeAndReturnsToAutomaticRanging)
{
    startLoop();
    startAutomatic(ticking({0}, 1));
    QSignalSpy ended(&conversation, &CalibrationConversation::automaticEnded);
    conversation.stopAutomatic();
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("Kalibracja przerwana! Wracam do automatycznej zmiany zakresu"));
    EXPECT_EQ(prompter.calls().last().seconds, 3);
    EXPECT_EQ(ended.count(), 1);
    channel.feed(frameWithMeans({5}));
    EXPECT_EQ(set.dcOffset[0][1], 0); // the frame in flight is not iterated on
    expectSent(SetRange, Step::BackToAutoRange);
    EXPECT_EQ(lastData(), QByteArray("\x7F"));
}

TEST_F(CalibrationConversationTest, CoefficientsTheBlockCannotCarryAreNotSent)
{
    startLoop();
    set.dcOffset[2][1] = 128;
    conversation.sendCoefficients();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages[0][0].toString().startsWith(QStringLiteral("Przepelnienie!")));
    set.dcOffset[2][1] = 0;
    set.gainMantissa[5][7] = 100000;
    conversation.sendCoefficients();
    EXPECT_EQ(messages.count(), 2);
    // The loop runs on: the frame in flight is examined and followed by the next.
    channel.feed(frameWithMeans({}));
    expectSent(InstantFrame, Step::Frames);
    EXPECT_EQ(writes(), 2);
}

TEST_F(CalibrationConversationTest, AnAutomaticCalibrationThatWouldOverflowEnds)
{
    set.dcOffset[0][0] = 126;
    startLoop();
    startAutomatic(ticking({0}, 0));
    channel.feed(frameWithMeans({3}));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages[0][0].toString().startsWith(QStringLiteral("Przepelnienie!")));
    EXPECT_EQ(set.dcOffset[0][0], 126); // as the recorder has it
    expectSent(SetRange, Step::BackToAutoRange);
}

TEST_F(CalibrationConversationTest, ClosingDuringATransferWaitsForIt)
{
    startLoop();
    QSignalSpy closed(&conversation, &CalibrationConversation::closed);
    EXPECT_FALSE(conversation.requestClose());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Proszę czekać na zakończenie transmisji..."));
    EXPECT_EQ(outstanding().step, Step::Closing);
    EXPECT_TRUE(prompter.isShown());
    channel.feed(frameWithMeans({}));
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(prompter.isShown());
    EXPECT_EQ(writes(), 1);
    EXPECT_TRUE(conversation.requestClose()); // idle: at once
}

TEST_F(CalibrationConversationTest, ARecorderThatStopsAnsweringEndsTheLoop)
{
    startLoop();
    startAutomatic(ticking({0}, 0));
    QSignalSpy givenUp(&conversation, &CalibrationConversation::givenUp);
    prompter.setDefaultAnswer(link::PromptAnswer::No);
    for (int i = 0; i < 3; ++i)
        clock.advance(20000);
    EXPECT_EQ(givenUp.count(), 1);
    EXPECT_FALSE(conversation.isAutomaticRunning());
    EXPECT_FALSE(conversation.isLooping());
}
