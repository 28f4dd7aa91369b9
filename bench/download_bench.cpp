// Figures of the download: program time per record against an in-process recorder, records per
// second against kapstat-sim over a pseudo-terminal, the ratio to the line-time floor when the
// emulator paces the line at 19 200 baud both ways (a request takes its line time before the
// answer starts), and the peak memory as the record count grows.
//   download_bench [records]   (default 20000)
#include "benchdatabase.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "download/downloadconversation.h"
#include "download/eventrecordwriter.h"
#include "link/bytechannel.h"
#include "link/commandtable.h"
#include "link/framecodec.h"
#include "link/manualclock.h"
#include "link/prompter.h"
#include "link/qttimer.h"
#include "link/recorderlink.h"
#include "link/serialchannel.h"
#include "sim/recorderemulator.h"
#include "sim/simoptions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

using namespace kapstat;

namespace {

// A line that keeps nothing: what the link writes waits to be answered, then is gone.
class BenchLine : public link::ByteChannel
{
public:
    bool open(const QString&) override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    QString errorText() const override { return {}; }
    bool write(const QByteArray& bytes) override
    {
        m_written.append(bytes);
        return true;
    }
    QByteArray read(qint64 maxBytes) override
    {
        const QByteArray chunk = m_input.left(maxBytes);
        m_input.remove(0, chunk.size());
        return chunk;
    }
    void discardInput() override { m_input.clear(); }

    QList<QByteArray> takeWritten() { return std::exchange(m_written, {}); }
    void feed(const QByteArray& bytes)
    {
        m_input.append(bytes);
        Q_EMIT bytesArrived();
    }

private:
    QList<QByteArray> m_written;
    QByteArray m_input;
};

// A message window that shows nothing and remembers nothing.
class SilentPrompter : public link::Prompter
{
public:
    link::PromptAnswer ask(const QString&, int, int) override { return link::PromptAnswer::Yes; }
    void show(const QString&, int, int) override {}
    void updateText(const QString&) override {}
    void close() override {}
    bool isShown() const override { return true; }
};

// The emulator's default image with only Pav and Umin recorded: the small layout of the budget.
QByteArray smallLayoutImage(QByteArray image)
{
    image[481] = static_cast<char>(image[481] & 0x03);
    for (int offset = 742; offset <= 776; ++offset)
        image[offset] = 0;
    image[742] = 0x04;
    image[744] = static_cast<char>(0x80);
    return image;
}

struct InProcessResult
{
    double totalMs = 0;
    double recorderMs = 0;
    int length = 0;
};

// The whole download on one thread: every command answered at once by the emulator, so what is
// measured is the program (and, timed apart, the emulator).
InProcessResult downloadInProcess(int records)
{
    QTemporaryDir dir;
    BenchLine channel;
    link::ManualClock clock;
    link::ManualTimer timer(clock);
    SilentPrompter prompter;
    link::RecorderLink recorderLink(channel, timer, prompter);
    config::ConfigurationModel model;
    config::ConfigurationReader reader(recorderLink, model);
    download::DownloadConversation conversation(recorderLink, model, reader);
    auto options = sim::SimOptions::parse({QStringLiteral("--records"), QString::number(records)});
    sim::RecorderEmulator recorder(options->recorderState());
    recorder.setConfigurationImage(smallLayoutImage(recorder.state().configurationImage));

    InProcessResult result;
    QElapsedTimer total;
    QElapsedTimer inRecorder;
    qint64 recorderNs = 0;
    total.start();
    conversation.start(dir.path());
    for (QList<QByteArray> written = channel.takeWritten(); !written.isEmpty();
         written = channel.takeWritten()) {
        for (const QByteArray& frame : written) {
            inRecorder.start();
            const QList<QByteArray> responses = recorder.receive(frame);
            recorderNs += inRecorder.nsecsElapsed();
            for (const QByteArray& response : responses)
                channel.feed(response);
        }
    }
    result.totalMs = static_cast<double>(total.nsecsElapsed()) / 1e6;
    result.recorderMs = static_cast<double>(recorderNs) / 1e6;
    result.length = recorder.recordLength();
    return result;
}

// kapstat-sim as its own process; the download runs here over the pseudo-terminal.
double downloadOverLine(int records, const QStringList& pace, int* recordLength)
{
    QProcess sim;
    sim.start(QStringLiteral(KAPSTAT_SIM_PATH),
              QStringList{QStringLiteral("--records"), QString::number(records)} + pace);
    if (!sim.waitForReadyRead(5000))
        return -1;
    const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();

    QTemporaryDir dir;
    link::SerialChannel channel;
    link::QtTimer timer;
    SilentPrompter prompter;
    link::RecorderLink recorderLink(channel, timer, prompter);
    config::ConfigurationModel model;
    config::ConfigurationReader reader(recorderLink, model);
    download::DownloadConversation conversation(recorderLink, model, reader);
    if (!channel.open(port))
        return -1;
    // The small layout goes to the emulator first, as a user would send it.
    recorderLink.send(
        {link::OperationName::Konfiguracja, 2},
        link::framecodec::payload(link::Command::WriteConfiguration,
                                  smallLayoutImage(sim::RecorderState{}.configurationImage)));
    bool done = false;
    bool started = false;
    QElapsedTimer elapsed;
    QObject::connect(&conversation, &download::DownloadConversation::finished,
                     [&] { done = true; });
    recorderLink.router().onCode(link::Command::WriteConfiguration,
                                 [&](const link::ResponseBytes&, const link::Operation&) {
                                     started = true;
                                     elapsed.start();
                                     conversation.start(dir.path());
                                 });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double ms = static_cast<double>(elapsed.nsecsElapsed()) / 1e6;
    *recordLength = recorderLink.commands().responseLength(link::Command::ReadRecord).value_or(0);
    sim.kill();
    sim.waitForFinished();
    return started ? ms : -1;
}

// Request and response bytes of the download, ten bits each at 19 200 baud: the status, the
// configuration image and every record.
double lineFloorMs(int records, int recordLength)
{
    const qint64 bytes = (5 + 43) + (5 + 1028) + static_cast<qint64>(records) * (8 + recordLength);
    return static_cast<double>(bytes) * 10 / 19200 * 1000;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 20000;

    for (const int n : {records, 10 * records}) {
        const InProcessResult r = downloadInProcess(n);
        std::printf("in process, %d records of %d bytes: %.1f µs per record of program time "
                    "(%.1f µs with the emulator), peak memory %ld kB\n",
                    n, r.length, (r.totalMs - r.recorderMs) * 1000 / n, r.totalMs * 1000 / n,
                    bench::peakMemoryKilobytes());
    }

    int length = 0;
    const double unpaced = downloadOverLine(records, {}, &length);
    std::printf("over a pseudo-terminal, unpaced: %d records in %.0f ms = %.0f records/s\n",
                records, unpaced, records / unpaced * 1000);

    const int pacedRecords = records / 10;
    const double paced = downloadOverLine(
        pacedRecords, {QStringLiteral("--pace-baud"), QStringLiteral("19200")}, &length);
    const double floor = lineFloorMs(pacedRecords, length);
    std::printf("paced at 19200 baud both ways: %d records in %.0f ms; line-time floor of the "
                "requests and responses %.0f ms (ratio %.3f)\n",
                pacedRecords, paced, floor, paced / floor);
    return 0;
}
