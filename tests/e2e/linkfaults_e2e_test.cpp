// The real link over a real pseudo-terminal against kapstat-sim with every fault switched on:
// every request must end with its own answer, handled exactly once.
#include "calib/calibrationblock.h"
#include "link/commandtable.h"
#include "link/devicenumbers.h"
#include "link/framecodec.h"
#include "link/qttimer.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"
#include "link/serialchannel.h"
#include "sim/recordstore.h"
#include "simprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::link;

namespace {

constexpr int RecordCount = 300;
constexpr int RecordLength = 40;
constexpr int CalibrationRounds = 60;

const QStringList FaultOptions{
    QStringLiteral("--seed"),  QStringLiteral("640"),       QStringLiteral("--drop"),
    QStringLiteral("0.04"),    QStringLiteral("--corrupt"), QStringLiteral("0.04"),
    QStringLiteral("--split"), QStringLiteral("0.5"),       QStringLiteral("--delay"),
    QStringLiteral("0.04"),    QStringLiteral("--stray"),   QStringLiteral("0.04")};

// Requests records 1..RecordCount, then alternates writing a generator correction of i with
// reading the block back, checking every answer against what it must be.
class Conversation
{
public:
    explicit Conversation(RecorderLink& link) : m_link(link)
    {
        link.setComputedResponseLength(Command::ReadRecord, RecordLength);
        link.router().onCode(Command::ReadRecord,
                             [this](const ResponseBytes& r, const Operation&) { onRecord(r); });
        link.router().onCode(Command::WriteCalibration,
                             [this](const ResponseBytes&, const Operation&) {
                                 m_link.send({OperationName::Kalibracja, 5},
                                             framecodec::payload(Command::ReadCalibration));
                             });
        link.router().onCode(
            Command::ReadCalibration,
            [this](const ResponseBytes& r, const Operation&) { onCalibration(r); });
        QObject::connect(&link, &RecorderLink::frameWritten, [this](const QByteArray& frame) {
            ++m_written[static_cast<quint8>(frame[1])];
        });
    }

    void start() { requestRecord(1); }
    bool isDone() const { return m_done; }
    QStringList mismatches;
    int recordsHandled = 0;
    int calibrationsHandled = 0;
    QMap<int, int> written() const { return m_written; }

private:
    void requestRecord(int n)
    {
        QByteArray number;
        number.append(static_cast<char>(n & 0xFF))
            .append(static_cast<char>(n >> 8 & 0xFF))
            .append('\0');
        m_link.send({OperationName::Rekordy, 3}, framecodec::payload(Command::ReadRecord, number));
    }

    void onRecord(const ResponseBytes& r)
    {
        const int n = ++recordsHandled;
        const QByteArray expected = *sim::RecordStore(RecordLength, 1).recordData(n, RecordCount);
        if (r.bytes(5, RecordLength - 5) != expected)
            mismatches << QStringLiteral("record %1 came with the data of another").arg(n);
        if (n < RecordCount)
            requestRecord(n + 1);
        else
            writeCorrection(1);
    }

    void writeCorrection(int value)
    {
        m_correction = value;
        m_set.generatorCorrection = value;
        m_link.send(
            {OperationName::Kalibracja, 4},
            framecodec::payload(Command::WriteCalibration,
                                calib::calibrationblock::encode(m_set, QDate(2026, 12, 10)).data));
    }

    void onCalibration(const ResponseBytes& r)
    {
        ++calibrationsHandled;
        calib::CalibrationSet read;
        calib::RangeScale scale;
        calib::calibrationblock::decode(r, read, scale);
        if (read.generatorCorrection != m_correction)
            mismatches << QStringLiteral("read %1 after writing %2")
                              .arg(read.generatorCorrection)
                              .arg(m_correction);
        if (m_correction < CalibrationRounds)
            writeCorrection(m_correction + 1);
        else
            m_done = true;
    }

    RecorderLink& m_link;
    calib::CalibrationSet m_set;
    int m_correction = 0;
    bool m_done = false;
    QMap<int, int> m_written;
};

} // namespace

TEST(LinkUnderFaults, EveryRequestEndsWithItsOwnAnswerHandledOnce)
{
    SimProcess sim(FaultOptions +
                   QStringList{QStringLiteral("--records"), QString::number(RecordCount),
                               QStringLiteral("--record-length"), QString::number(RecordLength)});
    ASSERT_FALSE(sim.portPath().isEmpty()) << "kapstat-sim did not start";

    SerialChannel channel;
    QtTimer timer;
    ScriptedPrompter prompter;
    prompter.setDefaultAnswer(PromptAnswer::Yes);
    RecorderLink link(channel, timer, prompter);
    ASSERT_TRUE(channel.open(sim.portPath())) << channel.errorText().toStdString();

    Conversation conversation(link);
    conversation.start();
    QElapsedTimer elapsed;
    elapsed.start();
    while (!conversation.isDone() && elapsed.elapsed() < 240000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    channel.close();
    const QMap<int, int> received = sim.stopAndCountCommands();

    ASSERT_TRUE(conversation.isDone()) << "stopped at record " << conversation.recordsHandled
                                       << ", calibration " << conversation.calibrationsHandled;
    EXPECT_TRUE(conversation.mismatches.isEmpty())
        << conversation.mismatches.join(QStringLiteral("; ")).toStdString();
    EXPECT_EQ(conversation.recordsHandled, RecordCount);
    EXPECT_EQ(conversation.calibrationsHandled, CalibrationRounds);

    const LinkCounters& counters = link.counters();
    const int requests = RecordCount + 2 * CalibrationRounds;
    const QMap<int, int> written = conversation.written();
    int writtenTotal = 0;
    for (const int count : written)
        writtenTotal += count;
    EXPECT_EQ(writtenTotal, requests + counters.resends)
        << "each write is a request or one of its re-sends";
    // Every time-out and bad checksum re-sends once, unless the late answer came while the
    // three-strikes question was open.
    EXPECT_LE(counters.resends, counters.timeoutTotal + counters.badChecksumTotal);
    EXPECT_GE(counters.resends,
              counters.timeoutTotal + counters.badChecksumTotal - prompter.questionCount());
    EXPECT_EQ(received.value(Command::ReadRecord), written.value(Command::ReadRecord));
    EXPECT_EQ(received.value(Command::ReadCalibration), written.value(Command::ReadCalibration));
    EXPECT_GT(counters.timeoutTotal, 0) << "the faults did strike";
    EXPECT_GT(counters.badChecksumTotal, 0);
    // Whether a late answer and its copy arrive apart depends on the line's timing; the unit tests
    // of the link cover that path deterministically, this run only reports how often it struck.
    std::printf("requests %d, re-sends %d (time-outs %d, bad checksums %d), late second answers "
                "dropped %d\n",
                requests, counters.resends, counters.timeoutTotal, counters.badChecksumTotal,
                counters.repeatedAnswersDropped);
}
