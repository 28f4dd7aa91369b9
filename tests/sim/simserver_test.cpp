#include "link/commandtable.h"
#include "link/fakechannel.h"
#include "link/framecodec.h"
#include "sim/responsesender.h"
#include "sim/simserver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

using namespace kapstat;
using namespace kapstat::sim;

namespace {

const QByteArray StatusCommand = QByteArray::fromHex("1b0b000010");
constexpr qint64 ByteNs = 520833; // ten bit times at 19 200 baud

QByteArray joined(const QList<QByteArray>& writes)
{
    QByteArray bytes;
    for (const QByteArray& w : writes)
        bytes += w;
    return bytes;
}

// Runs the event loop until the condition holds or the milliseconds pass.
template <typename Condition> bool processUntil(Condition done, int milliseconds = 500)
{
    QDeadlineTimer deadline(milliseconds);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

struct FakeLine
{
    link::FakeChannel* channel = new link::FakeChannel;
    std::unique_ptr<link::ByteChannel> owned{channel};
};

} // namespace

TEST(SimServer, AnswersWhatArrivesOnItsLine)
{
    FakeLine line;
    SimServer server(SimOptions{}, std::move(line.owned));
    ASSERT_TRUE(server.start());
    line.channel->feed(StatusCommand.first(2));
    line.channel->feed(StatusCommand.sliced(2));
    const QByteArray answer = joined(line.channel->written());
    EXPECT_EQ(answer.size(), link::ResponseLength::Status);
    EXPECT_TRUE(link::framecodec::hasValidChecksum(answer));
    EXPECT_EQ(server.emulator().commandCount(link::Command::ReadStatus), 1);
    EXPECT_EQ(server.commandStatistics(), QStringLiteral("0x0B 1\n"));
}

TEST(SimServer, ADelayedAnswerIsHeldBack)
{
    FakeLine line;
    SimOptions options;
    options.faults.delay = 1;
    SimServer server(options, std::move(line.owned));
    ASSERT_TRUE(server.start());
    line.channel->feed(StatusCommand);
    EXPECT_TRUE(line.channel->written().isEmpty());
    EXPECT_TRUE(server.isSending());
}

// 19 200 baud: the five bytes of the status request take 2.6 ms on the line, its 43-byte answer
// 22.4 ms more, and the answer starts only when the whole request is in.
TEST(SimServer, APacedLineAnswersOnlyAfterTheRequestHasCrossedIt)
{
    FakeLine line;
    SimOptions options;
    options.baud = 19200;
    SimServer server(options, std::move(line.owned));
    ASSERT_TRUE(server.start());
    QElapsedTimer elapsed;
    elapsed.start();
    line.channel->feed(StatusCommand);
    EXPECT_TRUE(line.channel->written().isEmpty());
    EXPECT_TRUE(server.isSending());
    ASSERT_TRUE(processUntil([&] { return !line.channel->written().isEmpty(); }));
    EXPECT_GE(elapsed.nsecsElapsed(), (StatusCommand.size() + 1) * ByteNs);
    ASSERT_TRUE(processUntil([&] { return !server.isSending(); }));
    EXPECT_GE(elapsed.nsecsElapsed(),
              (StatusCommand.size() + link::ResponseLength::Status) * ByteNs);
    EXPECT_EQ(joined(line.channel->written()).size(), link::ResponseLength::Status);
}

// The recorder answers in order: a response behind a late one waits for it.
TEST(ResponseSender, SendsDeliveriesInOrderAfterTheirDelays)
{
    link::FakeChannel line;
    ResponseSender sender(line, std::nullopt);
    sender.send({{3, "late"}});
    sender.send({{0, "next"}, {1, "+"}});
    EXPECT_TRUE(line.written().isEmpty());
    ASSERT_TRUE(processUntil([&] { return sender.isIdle(); }));
    EXPECT_EQ(joined(line.written()), QByteArray("latenext+"));
}

TEST(ResponseSender, PacedBytesGoOutInPiecesAtTheLineRate)
{
    link::FakeChannel line;
    ResponseSender sender(line, 115200);
    const QByteArray response(100, '\x55'); // about 8.7 ms at 115200 baud
    QElapsedTimer elapsed;
    elapsed.start();
    sender.send({{0, response}});
    EXPECT_LT(joined(line.written()).size(), response.size());
    ASSERT_TRUE(processUntil([&] { return sender.isIdle(); }));
    // Never ahead of the line: the last byte is handed over once it could have crossed.
    EXPECT_GE(elapsed.nsecsElapsed(), response.size() * 86'805);
    EXPECT_EQ(joined(line.written()), response);
    EXPECT_GT(line.written().size(), 2);
}

// The PC's side, with nothing but POSIX calls: it opens the terminal, asks, closes and reopens.
TEST(PtyPort, APcOnTheSlaveGetsAnswersAcrossReopening)
{
    SimServer server{SimOptions{}};
    QString error;
    ASSERT_TRUE(server.start(&error)) << error.toStdString();
    const QByteArray path = server.portPath().toLocal8Bit();
    ASSERT_TRUE(path.startsWith("/dev/"));
    for (int opening = 0; opening < 2; ++opening) {
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        termios settings{};
        tcgetattr(fd, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd, TCSANOW, &settings);
        ASSERT_EQ(::write(fd, StatusCommand.constData(), StatusCommand.size()),
                  StatusCommand.size());
        QByteArray answer;
        processUntil([&] {
            char buffer[64];
            const ssize_t count = ::read(fd, buffer, sizeof buffer);
            if (count > 0)
                answer.append(buffer, count);
            return answer.size() >= link::ResponseLength::Status;
        });
        ::close(fd);
        EXPECT_EQ(answer.size(), link::ResponseLength::Status) << "opening " << opening;
        EXPECT_TRUE(link::framecodec::hasValidChecksum(answer)) << "opening " << opening;
    }
}

TEST(KapstatSim, PrintsItsPortFirstAndEndsWhenStandardInputCloses)
{
    QProcess sim;
    sim.start(QStringLiteral(KAPSTAT_SIM_PATH),
              {QStringLiteral("--stdin-exit"), QStringLiteral("--stats")});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    EXPECT_TRUE(QFile::exists(QString::fromLocal8Bit(sim.readLine()).trimmed()));
    sim.closeWriteChannel();
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST(KapstatSim, RefusesABadOptionOrScenarioWithStatusTwo)
{
    QTemporaryDir folder;
    const QString scenario = folder.filePath(QStringLiteral("bad.txt"));
    QFile file(scenario);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("records 5\nevents many\n");
    file.close();
    const struct
    {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{QStringLiteral("--x")}, QStringLiteral("Nieznana opcja: --x")},
        {{QStringLiteral("--scenario"), scenario},
         QStringLiteral("Plik scenariusza %1, wiersz 2: ").arg(scenario)},
    };
    for (const auto& c : cases) {
        QProcess sim;
        sim.start(QStringLiteral(KAPSTAT_SIM_PATH), c.arguments);
        ASSERT_TRUE(sim.waitForFinished(5000));
        EXPECT_EQ(sim.exitCode(), 2);
        EXPECT_TRUE(QString::fromLocal8Bit(sim.readAllStandardError()).startsWith(c.message))
            << c.message.toStdString();
        EXPECT_TRUE(sim.readAllStandardOutput().isEmpty());
    }
}

TEST(KapstatSim, TerminationEndsCleanlyAndReportsTheCommandsReceived)
{
    QProcess sim;
    sim.start(QStringLiteral(KAPSTAT_SIM_PATH), {QStringLiteral("--stats")});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    const QByteArray path = sim.readLine().trimmed();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(::write(fd, StatusCommand.constData(), StatusCommand.size()),
                  StatusCommand.size());
    ::tcdrain(fd);
    ::close(fd);
    // Let the emulator read the commands before it is told to stop.
    QThread::msleep(20);
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_EQ(sim.readAllStandardError(), QByteArray("0x0B 2\n"));
}
