#include "linkfixture.h"

using namespace kapstat::link;

namespace {
const Operation Clock{OperationName::Zegarek, 1};
const Operation Status{OperationName::Stan, 1};
const QByteArray ReadClock = QByteArray::fromHex("010000");
const QByteArray ReadStatus = QByteArray::fromHex("0b0000");
const QByteArray ClockData = QByteArray::fromHex("304512241209");
} // namespace

class RecorderLinkTest : public LinkFixture
{
protected:
    RecorderLinkTest()
    {
        link.router().onCode(Command::ReadClock,
                             [this](const ResponseBytes& r, const Operation& o) {
                                 handled.append({r.frame(), o});
                             });
        link.router().onCode(Command::ReadStatus,
                             [this](const ResponseBytes& r, const Operation& o) {
                                 handled.append({r.frame(), o});
                             });
        link.router().onCode(Command::ReadRecord,
                             [this](const ResponseBytes& r, const Operation& o) {
                                 handled.append({r.frame(), o});
                             });
    }
    struct Handled
    {
        QByteArray frame;
        Operation op;
    };
    QList<Handled> handled;
};

TEST_F(RecorderLinkTest, SendFramesThePayloadAndArmsTheTimeoutForTheExpectedLength)
{
    link.send(Clock, ReadClock);
    EXPECT_EQ(channel.lastWritten().toHex(), QByteArray("1b0100001a"));
    EXPECT_TRUE(link.isBusy());
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 1121);
    EXPECT_EQ(link.outstanding(), Clock);
}

TEST_F(RecorderLinkTest, ClosedPortWritesNothingAndNothingFollows)
{
    channel.close();
    link.send(Clock, ReadClock);
    EXPECT_EQ(writes(), 0);
    EXPECT_FALSE(link.isBusy());
    EXPECT_FALSE(timer.isActive());
    EXPECT_FALSE(clock.fireNext());
}

TEST_F(RecorderLinkTest, CommandsWithoutAKnownResponseLengthAreNeverSent)
{
    link.sendCommand(hex("020000"));
    link.sendCommand(recordRequest(1)); // record length not computed yet
    link.sendCommand({});
    EXPECT_EQ(writes(), 0);
    link.setComputedResponseLength(Command::ReadRecord, 20);
    link.sendCommand(recordRequest(1));
    EXPECT_EQ(writes(), 1);
}

TEST_F(RecorderLinkTest, ResponseIsAssembledFromAnyChunkingAndHandledOnce)
{
    const QByteArray response = answer(Command::ReadClock, ClockData);
    const QList<QList<int>> chunkings{
        {11}, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {1, 10}, {2, 9}, {5, 6}};
    for (const QList<int>& sizes : chunkings) {
        handled.clear();
        link.send(Clock, ReadClock);
        int offset = 0;
        for (const int size : sizes) {
            channel.feed(response.mid(offset, size));
            offset += size;
        }
        ASSERT_EQ(handled.size(), 1);
        EXPECT_EQ(handled[0].frame, response);
        EXPECT_FALSE(link.isBusy());
        EXPECT_FALSE(timer.isActive());
    }
}

TEST_F(RecorderLinkTest, ChunksThatDoNotStartTheExpectedResponseAreDropped)
{
    const struct
    {
        const char* name;
        QByteArray chunk;
    } cases[] = {
        {"other code", answer(Command::ReadConfiguration, QByteArray(1023, 0)).left(11)},
        {"stray bytes first", hex("00ff") + answer(Command::ReadClock, ClockData)},
        {"lone non-ESC byte", hex("01")},
    };
    for (const auto& c : cases) {
        handled.clear();
        link.send(Clock, ReadClock);
        channel.feed(c.chunk);
        EXPECT_TRUE(handled.isEmpty()) << c.name;
        EXPECT_TRUE(link.isBusy()) << c.name;
        clock.fireNext(); // time-out, re-send
        channel.feed(answer(Command::ReadClock, ClockData));
        EXPECT_EQ(handled.size(), 1) << c.name;
    }
}

TEST_F(RecorderLinkTest, ABufferLongerThanExpectedFailsTheChecksumAndIsResent)
{
    link.send(Clock, ReadClock);
    channel.feed(answer(Command::ReadClock, ClockData) + hex("01"));
    EXPECT_TRUE(handled.isEmpty());
    EXPECT_EQ(link.counters().badChecksumTotal, 1);
    EXPECT_EQ(writes(), 2);
    EXPECT_EQ(lastPayload(), ReadClock);
}

TEST_F(RecorderLinkTest, OnlyTheLastCommandIssuedWhileBusySurvives)
{
    link.send(Clock, ReadClock);
    link.sendCommand(hex("0d0000"));
    link.sendCommand(hex("0e0000"));
    link.sendCommand(ReadStatus);
    EXPECT_EQ(writes(), 1);
    channel.feed(answer(Command::ReadClock, ClockData));
    EXPECT_EQ(writes(), 2);
    EXPECT_EQ(lastPayload(), ReadStatus);
    EXPECT_FALSE(link.hasDeferredCommand());
}

TEST_F(RecorderLinkTest, AHandlerFollowUpDisplacesTheDeferredCommand)
{
    ResponseRouter& router = link.router();
    router.on(Command::ReadClock, OperationName::Zegarek,
              [this](const ResponseBytes&, const Operation&) { link.send(Clock, ReadClock); });
    link.send(Clock, ReadClock);
    link.sendCommand(ReadStatus);
    channel.feed(answer(Command::ReadClock, ClockData));
    EXPECT_EQ(writes(), 2);
    EXPECT_EQ(lastPayload(), ReadClock);
    EXPECT_FALSE(link.hasDeferredCommand());
}

TEST_F(RecorderLinkTest, TimeoutResendsTheSameRequestUnderTheSameOperation)
{
    link.send(Status, ReadStatus);
    link.setPending({OperationName::Czysc, 1});
    clock.advance(1182);
    EXPECT_EQ(writes(), 2);
    EXPECT_EQ(lastPayload(), ReadStatus);
    EXPECT_EQ(link.outstanding(), Status);
    EXPECT_EQ(link.counters().consecutiveTimeouts, 1);
    EXPECT_EQ(channel.discardCount(), 1);

    channel.feed(answer(Command::ReadStatus, QByteArray(38, 0)));
    EXPECT_EQ(link.counters().consecutiveTimeouts, 0);
    EXPECT_EQ(link.counters().timeoutTotal, 1);
    EXPECT_EQ(handled.size(), 1);
}

TEST_F(RecorderLinkTest, ThreeTimeoutsAskOnceAndYesStartsCountingAgain)
{
    int finished = 0;
    link.router().onFinish(OperationName::Stan, [&](const Operation&) { ++finished; });
    prompter.queueAnswers({PromptAnswer::Yes, PromptAnswer::No});
    link.send(Status, ReadStatus);
    clock.fireNext();
    clock.fireNext();
    EXPECT_EQ(prompter.questionCount(), 0);
    clock.fireNext();
    ASSERT_EQ(prompter.questionCount(), 1);
    EXPECT_TRUE(prompter.lastText().startsWith(
        QStringLiteral("Trzy razy z rzędu rejestrator nie odpowiedział")));
    EXPECT_EQ(prompter.calls().last().buttons, PromptButton::Yes | PromptButton::No);
    EXPECT_EQ(writes(), 4) << "Tak re-sends";
    EXPECT_EQ(link.counters().consecutiveTimeouts, 0);

    clock.fireNext();
    clock.fireNext();
    EXPECT_EQ(prompter.questionCount(), 1);
    clock.fireNext();
    EXPECT_EQ(prompter.questionCount(), 2);
    EXPECT_EQ(writes(), 6) << "Nie sends nothing";
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(clock.fireNext());
    EXPECT_EQ(link.counters().timeoutTotal, 6);
}

TEST_F(RecorderLinkTest, BadChecksumsAreResentAndAGoodResponseRestartsTheCount)
{
    link.send(Status, ReadStatus);
    const QByteArray good = answer(Command::ReadStatus, QByteArray(38, 0));
    channel.feed(damaged(good));
    channel.feed(damaged(good));
    EXPECT_EQ(writes(), 3);
    channel.feed(good);
    EXPECT_EQ(link.counters().consecutiveBadChecksums, 0);
    link.send(Status, ReadStatus);
    channel.feed(damaged(good));
    EXPECT_EQ(link.counters().consecutiveBadChecksums, 1);
    EXPECT_EQ(link.counters().badChecksumTotal, 3);
    EXPECT_EQ(prompter.questionCount(), 0);
}

TEST_F(RecorderLinkTest, ThirdBadChecksumAsksAndNoFinishesTheOperation)
{
    int finished = 0;
    link.router().onFinish(OperationName::Stan, 1, [&](const Operation&) { ++finished; });
    link.send(Status, ReadStatus);
    const QByteArray bad = damaged(answer(Command::ReadStatus, QByteArray(38, 0)));
    for (int i = 0; i < 3; ++i)
        channel.feed(bad);
    ASSERT_EQ(prompter.questionCount(), 1);
    EXPECT_TRUE(prompter.lastText().startsWith(QStringLiteral("Trzy razy z rzędu wystąpił błąd")));
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(writes(), 3);
    EXPECT_TRUE(handled.isEmpty());
}

TEST_F(RecorderLinkTest, AbortFlagEndsTheExchangeAndTheDeferredCommandGoesOut)
{
    Operation finishedOp;
    link.router().onFinish(OperationName::Zegarek, [&](const Operation& o) { finishedOp = o; });
    link.send(Clock, ReadClock);
    link.setPending({OperationName::Zegarek, 2});
    link.requestAbort();
    link.sendCommand(hex("000006") + ClockData);
    EXPECT_EQ(writes(), 1);

    channel.feed(answer(Command::ReadClock, ClockData));
    EXPECT_TRUE(handled.isEmpty()) << "the aborted exchange's response is not examined";
    EXPECT_EQ(finishedOp, Clock);
    EXPECT_EQ(writes(), 2);
    EXPECT_EQ(lastPayload().left(1).toHex(), QByteArray("00"));
    EXPECT_EQ(link.outstanding(), (Operation{OperationName::Zegarek, 2}));
    EXPECT_FALSE(link.isAbortRequested());
}

TEST_F(RecorderLinkTest, AbortFlagEndsTheExchangeOnTimeoutToo)
{
    int finished = 0;
    link.router().onFinish(OperationName::Zegarek, 3, [&](const Operation&) { ++finished; });
    link.send(Clock, ReadClock);
    link.requestAbort();
    link.setOutstanding({OperationName::Zegarek, 3});
    clock.fireNext();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(writes(), 1);
}

TEST_F(RecorderLinkTest, HeldResultsResendWithoutDecoding)
{
    link.setHoldResults(true);
    link.send(Status, ReadStatus);
    for (int i = 0; i < 3; ++i)
        channel.feed(answer(Command::ReadStatus, QByteArray(38, static_cast<char>(i))));
    EXPECT_TRUE(handled.isEmpty());
    EXPECT_EQ(writes(), 4);
    link.setHoldResults(false);
    channel.feed(answer(Command::ReadStatus, QByteArray(38, 9)));
    EXPECT_EQ(handled.size(), 1);
}

// The recorder answers a request that timed out after all, once the PC has re-sent it: two
// answers to the same request arrive. The second must not become the answer to the next one.
class LateAnswerTest : public RecorderLinkTest
{
protected:
    LateAnswerTest()
    {
        link.setComputedResponseLength(Command::ReadRecord, 20);
        link.router().onCode(Command::ReadRecord, [this](const ResponseBytes& r, const Operation&) {
            const int n = r.at(5);
            stored.append(n);
            if (n < 5)
                link.send({OperationName::Rekordy, 3}, recordRequest(n + 1));
        });
    }
    static QByteArray record(int n)
    {
        return answer(Command::ReadRecord, QByteArray(15, static_cast<char>(n)));
    }
    QList<int> stored;
};

TEST_F(LateAnswerTest, TheSecondAnswerToAResentRequestIsDropped)
{
    link.send({OperationName::Rekordy, 3}, recordRequest(1));
    clock.fireNext();        // record 1 times out and is asked for again
    channel.feed(record(1)); // the late answer to the first request
    channel.feed(record(1)); // the answer to the re-sent one, while record 2 is outstanding
    EXPECT_EQ(link.counters().repeatedAnswersDropped, 1);
    for (int n = 2; n <= 5; ++n)
        channel.feed(record(n));
    EXPECT_EQ(stored, (QList<int>{1, 2, 3, 4, 5}));
}

TEST_F(LateAnswerTest, AnOriginalThatWasLostCostsOnlyItsTimeout)
{
    link.send({OperationName::Rekordy, 3}, recordRequest(1));
    clock.fireNext();
    channel.feed(record(1)); // the re-sent request's answer; the first was lost
    for (int n = 2; n <= 5; ++n)
        channel.feed(record(n));
    EXPECT_EQ(stored, (QList<int>{1, 2, 3, 4, 5}));
}

TEST_F(LateAnswerTest, ADamagedLateCopyLeavesRoomForTheNextRequestsTwoAnswers)
{
    link.send({OperationName::Rekordy, 3}, recordRequest(1));
    clock.fireNext();
    channel.feed(record(1));
    channel.feed(damaged(record(1))); // the copy arrives damaged: record 2 is asked for again
    channel.feed(record(2));          // record 2's first answer
    channel.feed(record(2));          // and the answer to its re-send
    for (int n = 3; n <= 5; ++n)
        channel.feed(record(n));
    EXPECT_EQ(stored, (QList<int>{1, 2, 3, 4, 5}));
}

TEST_F(LateAnswerTest, NothingIsAssembledOnceTheConversationHasEnded)
{
    link.send({OperationName::Rekordy, 3}, recordRequest(5));
    channel.feed(record(5));
    const int before = writes();
    channel.feed(record(5));
    channel.feed(hex("00"));
    clock.advance(10000);
    EXPECT_EQ(stored, (QList<int>{5}));
    EXPECT_EQ(writes(), before) << "a late copy must not revive the last request";
    EXPECT_EQ(link.counters().badChecksumTotal, 0);
}

TEST_F(LateAnswerTest, ALateAnswerDuringTheQuestionMakesYesMoot)
{
    link.send({OperationName::Rekordy, 3}, recordRequest(1));
    clock.fireNext();
    clock.fireNext();
    prompter.setWhileAsking([this] { channel.feed(record(1)); });
    prompter.queueAnswers({PromptAnswer::Yes});
    clock.fireNext(); // third time-out: the question; record 1 arrives meanwhile
    EXPECT_EQ(stored, (QList<int>{1}));
    EXPECT_EQ(lastPayload(), recordRequest(2)) << "record 1 is not asked for once more";
    for (int n = 2; n <= 5; ++n)
        channel.feed(record(n));
    EXPECT_EQ(stored, (QList<int>{1, 2, 3, 4, 5}));
}
