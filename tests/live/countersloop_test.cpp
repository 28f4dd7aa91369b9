#include "../link/linkfixture.h"
#include "config/configurationmodel.h"
#include "link/devicenumbers.h"
#include "live/countersframe.h"
#include "live/countersloop.h"
#include "live/instantframe.h"
#include "live/instantframereader.h"
#include "norm/pccounterslots.h"

using namespace kapstat;
using kapstat::link::Command::InstantFrame;
using kapstat::link::Command::ReadCounters;

namespace {

class CountersLoopTest : public LinkFixture
{
protected:
    CountersLoopTest()
    {
        QObject::connect(&loop, &live::CountersLoop::countersShown,
                         [this](const QStringList& lines) { shown.append(lines); });
    }

    // An instantaneous frame with the voltages in range 2 at 0.5 V a count.
    static QByteArray instantFrame()
    {
        QByteArray data(live::frame::Length - 5, '\0');
        for (int c = 0; c < 3; ++c) {
            data[live::frame::RangePosition - 5 + c] = 2;
            data.replace(live::frame::scalePosition(c) - 5, 4,
                         *link::numbers::encodeDecFloat(0.5, 5));
        }
        return answer(InstantFrame, data);
    }
    static QByteArray counters(quint8 f1Count)
    {
        QByteArray data(live::CountersFrame::Length - 5, '\0');
        data[0] = static_cast<char>(f1Count);
        return answer(ReadCounters, data);
    }
    quint8 lastCode() const { return static_cast<quint8>(lastPayload().at(0)); }
    link::Operation outstanding() const { return link.outstanding(); }

    config::ConfigurationModel model;
    calib::RangeScale scale;
    live::LiveStore store;
    norm::PcCounterSlots pc;
    live::InstantFrameReader reader{link, model, scale, store};
    live::CountersLoop loop{link, pc, scale, store};
    QList<QStringList> shown;
};

} // namespace

TEST_F(CountersLoopTest, OneFrameThenCountersAgainAndAgainUnderLiczniki)
{
    pc.set(158, 100);
    loop.start();
    EXPECT_EQ(lastCode(), InstantFrame);
    EXPECT_EQ(outstanding(), (link::Operation{link::OperationName::Liczniki, 1}));
    channel.feed(instantFrame());
    EXPECT_EQ(lastCode(), ReadCounters);
    EXPECT_EQ(outstanding(), (link::Operation{link::OperationName::Liczniki, 2}));
    for (quint8 n = 1; n <= 3; ++n)
        channel.feed(counters(n));
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown[2][0].contains(QStringLiteral("F1NUM=        3 / 0")));
    // The frame's own scale is taken before its samples, so the counters already use it.
    EXPECT_TRUE(shown[2][44].contains(QStringLiteral("L1NAJW=        - / 200,00")));
    EXPECT_EQ(writes(), 5);
    EXPECT_EQ(lastCode(), ReadCounters);
}

TEST_F(CountersLoopTest, FrozenResponsesAreDroppedAndAskedForAgain)
{
    loop.start();
    channel.feed(instantFrame());
    channel.feed(counters(1));
    loop.setFrozen(true);
    const int writesBefore = writes();
    channel.feed(counters(2));
    channel.feed(counters(3));
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(writes(), writesBefore + 2);
    EXPECT_EQ(lastCode(), ReadCounters);
    loop.setFrozen(false);
    channel.feed(counters(4));
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[1][0].contains(QStringLiteral("F1NUM=        4 / 0")));
}

TEST_F(CountersLoopTest, ClosingDuringATransferWaitsForTheAnswerThenEnds)
{
    int finished = 0;
    QObject::connect(&loop, &live::CountersLoop::finished, [&finished] { ++finished; });
    loop.start();
    channel.feed(instantFrame());
    EXPECT_FALSE(loop.requestClose());
    EXPECT_TRUE(prompter.isShown());
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Proszę czekać na zakończenie transmisji..."));
    const int writesBefore = writes();
    channel.feed(counters(1));
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(prompter.isShown());
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(writes(), writesBefore);
    EXPECT_FALSE(loop.isRunning());
}

TEST_F(CountersLoopTest, ClosingBetweenExchangesEndsAtOnceAndALateAnswerSendsNothing)
{
    loop.start();
    channel.feed(instantFrame());
    link.requestAbort(); // the link gives the exchange up: nothing outstanding any more
    channel.feed(counters(1));
    EXPECT_TRUE(loop.requestClose());
    const int writesBefore = writes();
    link.send({link::OperationName::Stan, 1}, link::framecodec::payload(ReadCounters));
    channel.feed(counters(2));
    EXPECT_EQ(writes(), writesBefore + 1);
}
