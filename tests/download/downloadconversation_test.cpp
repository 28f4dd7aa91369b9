#include "calib/calibrationset.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "config/defaultconfigurationimage.h"
#include "download/downloadconversation.h"
#include "download/eventrecordwriter.h"
#include "download/recordlayout.h"
#include "download/tablestore.h"
#include "link/commandtable.h"
#include "link/devicenumbers.h"
#include "link/fakechannel.h"
#include "link/manualclock.h"
#include "link/recorderlink.h"
#include "link/scriptedprompter.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::download;

namespace {

const QDateTime DownloadTime(QDate(2026, 12, 10), QTime(12, 0, 5));
const QDateTime FirstRecord(QDate(2026, 3, 1), QTime(8, 0));
const QByteArray Serial = QByteArray("KAP-640 nr 12345/6789").leftJustified(27, ' ');

// A recorder that answers from what the test sets: status counts, the configuration image,
// records of the layout that image implies, and event records.
class TestRecorder
{
public:
    int records = 0;
    int events = 0;
    QByteArray image = config::defaultConfigurationImage(calib::CalibrationSet{});
    std::function<int(int)> stationOf = [](int) { return 0; };
    std::function<quint8(int)> eventFlags = [](int) { return quint8{0}; };
    bool repeatStampOfRecord2 = false;

    QByteArray answer(const QByteArray& frame)
    {
        const quint8 code = static_cast<quint8>(frame[1]);
        const link::ResponseBytes command(frame);
        switch (code) {
        case link::Command::ReadStatus:
            return respond(code, status());
        case link::Command::ReadConfiguration:
            return respond(code, image);
        case link::Command::ReadRecord:
            return respond(code, record(link::numbers::decodeUnsigned(command, 5, 3)));
        case link::Command::ReadEvent:
            return respond(code, event(link::numbers::decodeUnsigned(command, 5, 2)));
        default:
            return {};
        }
    }

    RecordLayout layout() const
    {
        return RecordLayout::fromConfigurationResponse(link::ResponseBytes::withData(0x0A, image),
                                                       3);
    }

private:
    static QByteArray respond(quint8 code, const QByteArray& data)
    {
        return link::ResponseBytes::withData(code, data).frame();
    }

    QByteArray status() const
    {
        QByteArray data(38, '\0');
        data[0] = static_cast<char>(records & 0xFF);
        data[1] = static_cast<char>(records >> 8 & 0xFF);
        data[3] = static_cast<char>(events & 0xFF);
        data[10] = 0x16;
        data.replace(11, 27, Serial);
        return data;
    }

    QByteArray record(int n) const
    {
        const RecordLayout l = layout();
        QByteArray data(l.length - 5, '\0');
        data[0] = static_cast<char>(stationOf(n));
        const QDateTime time = FirstRecord.addSecs(600 * (n - 1));
        data.replace(1, 6, link::numbers::encodeBcdDateTime(time));
        data[7] = static_cast<char>(n % 4);
        if (!l.valueFields.isEmpty())
            data.replace(l.valuesPosition() - 5, 3, *link::numbers::encodeDecFloat(n, 3));
        if (l.hasHarmonics()) {
            const int stampOf = repeatStampOfRecord2 && n == 2 ? 1 : n;
            data.replace(
                l.stampPosition() - 5, 6,
                link::numbers::encodeBcdDateTime(FirstRecord.addSecs(600 * (stampOf - 1))));
        }
        return data;
    }

    QByteArray event(int n) const
    {
        QByteArray data(EventRecordWriter::recordLength(3) - 5, '\0');
        data[0] = static_cast<char>(stationOf(n));
        data.replace(1, 6, link::numbers::encodeBcdDateTime(FirstRecord.addSecs(10 * n)));
        data[24 + 1 - 5] = static_cast<char>(eventFlags(n));
        return data;
    }
};

class DownloadTest : public ::testing::Test
{
public:
    DownloadTest()
    {
        channel.open(QStringLiteral("test"));
        QObject::connect(&download, &DownloadConversation::finished,
                         [this](DownloadConversation::Outcome o, const QString& m) {
                             outcome = o;
                             message = m;
                         });
    }

    // Starts the download and answers every command until the conversation rests.
    void run(const QString& folder)
    {
        download.start(folder);
        for (qsizetype answered = 0; answered < channel.written().size(); ++answered) {
            if (answered == abortAfterWrites)
                prompter.abortRequested();
            const QByteArray response = recorder.answer(channel.written()[answered]);
            if (!response.isEmpty())
                channel.feed(response);
        }
    }
    QString downloadFolder() const
    {
        return dir.filePath(QStringLiteral("261210-120005_1235 67/"));
    }
    void describeStation1(const QString& description)
    {
        config::StationSettings station = model.configuration().stations[0];
        station.description = description;
        model.setStation(0, station);
        recorder.image.replace(0, 60, description.left(60).toLatin1().leftJustified(60, ' '));
    }
    QStringList entries(const QString& folder) const
    {
        QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }
    qint64 rows(const QString& path, std::optional<int> station = std::nullopt)
    {
        TableStore table;
        if (!table.open(path))
            return -1;
        table.setStationFilter(station);
        return table.recordCount();
    }

    link::FakeChannel channel;
    link::ManualClock clock;
    link::ManualTimer timer{clock};
    link::ScriptedPrompter prompter;
    link::RecorderLink link{channel, timer, prompter};
    config::ConfigurationModel model;
    config::ConfigurationReader reader{link, model};
    DownloadConversation download{link, model, reader, [] { return DownloadTime; }};
    TestRecorder recorder;
    QTemporaryDir dir;
    std::optional<DownloadConversation::Outcome> outcome;
    QString message;
    qsizetype abortAfterWrites = -1;
};

} // namespace

TEST_F(DownloadTest, RecordsAndEventsOfTwoStationsBecomeTwoDatabases)
{
    recorder.image[481] = static_cast<char>(recorder.image[481] | 0xC0); // phasors: HARM rows too
    recorder.records = 6;
    recorder.events = 4;
    recorder.stationOf = [](int n) { return n <= 4 ? 0 : 2; }; // stations 1 and 3
    recorder.eventFlags = [](int n) {
        return n == 1 ? quint8{0x80} : n == 4 ? quint8{0x40} : quint8{0};
    };
    describeStation1(QStringLiteral("Rozdzielnia A/B:C"));
    run(dir.path());

    ASSERT_EQ(outcome, DownloadConversation::Outcome::Completed) << message.toStdString();
    EXPECT_EQ(message, QStringLiteral("Dane pomiarowe odebrane i zapisane na dysku w pliku:  ") +
                           QDir::toNativeSeparators(downloadFolder()));
    const QString station1 = QStringLiteral("260301-080000_1_Rozdzielnia A B C");
    const QString station3 = QStringLiteral("260301-084000_3_Stacja 3");
    EXPECT_EQ(entries(downloadFolder()), (QStringList{station1 + ".POM", station1 + "_SP",
                                                      station3 + ".POM", station3 + "_SP"}))
        << "no temporary folder left";
    const QString folder1 = downloadFolder() + station1 + "_SP/";
    EXPECT_EQ(entries(folder1), (QStringList{station1 + ".CONF.ust", station1 + ".HARM.db",
                                             station1 + ".PRZE.db", station1 + ".db"}))
        << "sorted";
    EXPECT_EQ(rows(folder1 + station1 + ".db"), 4);
    EXPECT_EQ(rows(downloadFolder() + station3 + "_SP/" + station3 + ".db"), 2);
    EXPECT_EQ(rows(folder1 + station1 + ".HARM.db"), 4 * 3) << "a row per phase";
    EXPECT_EQ(rows(folder1 + station1 + ".PRZE.db"), 4);

    TableStore events;
    ASSERT_TRUE(events.open(folder1 + station1 + ".PRZE.db"));
    events.last();
    EXPECT_EQ(events.value(QStringLiteral("Czas_PL1")).toInt(), 31);
}

TEST_F(DownloadTest, RepeatedHarmonicsStampsAddNoRowsButKeepTheNumbering)
{
    recorder.image[481] = static_cast<char>(recorder.image[481] | 0xC0);
    recorder.records = 3;
    recorder.repeatStampOfRecord2 = true;
    run(dir.path());
    ASSERT_EQ(outcome, DownloadConversation::Outcome::Completed) << message.toStdString();
    TableStore harm;
    const QString name = QStringLiteral("260301-080000_1_Stacja 1");
    ASSERT_TRUE(harm.open(downloadFolder() + name + "_SP/" + name + ".HARM.db"));
    QList<int> numbers;
    for (harm.first(); !harm.isEof(); harm.next())
        numbers << harm.value(QStringLiteral("Nr")).toInt();
    EXPECT_EQ(numbers, (QList<int>{1, 1, 1, 3, 3, 3}));
    EXPECT_EQ(message.left(54),
              QStringLiteral("Dane pomiarowe odebrane i zapisane na dysku w pliku   "));
}

TEST_F(DownloadTest, EventsOnlyStartTheEventPhaseAfterTheConfiguration)
{
    recorder.events = 5;
    run(dir.path());
    ASSERT_EQ(outcome, DownloadConversation::Outcome::Completed) << message.toStdString();
    const bool progressShown =
        std::any_of(prompter.calls().cbegin(), prompter.calls().cend(), [](const auto& c) {
            return c.text == QStringLiteral("Odbiór danych przerw i przepięć: rekord 1 z 5");
        });
    EXPECT_TRUE(progressShown);
    const QString name = QStringLiteral("260301-080010_1_Stacja 1");
    EXPECT_EQ(entries(downloadFolder() + name + "_SP/"),
              (QStringList{name + ".CONF.ust", name + ".PRZE.db"}));
}

TEST_F(DownloadTest, NothingIsLeftOnDiskWhenTheDownloadCannotFinish)
{
    const struct
    {
        const char* name;
        std::function<void(DownloadTest&)> setUp;
        const char* message;
        DownloadConversation::Outcome outcome;
    } cases[] = {
        {"Przerwij", [](DownloadTest& t) { t.abortAfterWrites = 4; }, "Odbiór danych przerwany!",
         DownloadConversation::Outcome::Stopped},
        {"station index 8",
         [](DownloadTest& t) { t.recorder.stationOf = [](int n) { return n == 3 ? 8 : 0; }; },
         "Odbiór danych przerwany!", DownloadConversation::Outcome::Failed},
        {"damaged configuration", [](DownloadTest& t) { t.recorder.image[743] = 9; },
         "W rejestratorze jest uszkodzona konfiguracja! Odbiór danych niemożliwy.",
         DownloadConversation::Outcome::Failed},
        {"unusable description",
         [](DownloadTest& t) {
             t.model.setKeepLocalDescriptions(true); // too long for a file name
             t.describeStation1(QString(300, QLatin1Char('x')));
         },
         "Nazwa stacji nr 1 w konfiguracji", DownloadConversation::Outcome::Failed},
    };
    for (const auto& c : cases) {
        DownloadTest& t = *this;
        QDir(downloadFolder()).removeRecursively();
        t.recorder = TestRecorder{};
        t.recorder.records = 5;
        t.abortAfterWrites = -1;
        c.setUp(t);
        t.run(dir.path());
        EXPECT_EQ(t.outcome, c.outcome) << c.name;
        EXPECT_TRUE(prompter.lastText().startsWith(QString::fromUtf8(c.message)))
            << c.name << ": " << prompter.lastText().toStdString();
        EXPECT_FALSE(QDir(downloadFolder()).exists()) << c.name;
    }
}

TEST_F(DownloadTest, ADatabaseFolderThatCannotBeWrittenIsReported)
{
    QFile blocker(dir.filePath(QStringLiteral("plik")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    recorder.records = 3;
    run(dir.filePath(QStringLiteral("plik/baza")));
    EXPECT_EQ(outcome, DownloadConversation::Outcome::Failed);
    EXPECT_TRUE(
        prompter.lastText().startsWith(QStringLiteral("Nie można utworzyć bazy danych w folderze")))
        << prompter.lastText().toStdString();
    EXPECT_EQ(channel.written().size(), 1) << "nothing is asked of the recorder after the status";
}

// The first record is asked for before the settings file is written, so a failure there finds a
// request on the line: its answer must end the operation without touching the failure's message.
TEST_F(DownloadTest, AnAnswerToARequestSentBeforeAFailureKeepsTheFailureOnShow)
{
    recorder.records = 3;
    ASSERT_TRUE(QDir().mkpath(downloadFolder() + "_tymczasowy_SP/_tymczasowy.CONF.ust"));
    run(dir.path());
    EXPECT_EQ(outcome, DownloadConversation::Outcome::Failed);
    ASSERT_EQ(channel.written().size(), 3) << "status, configuration, record 1 and no more";
    const QString failure = prompter.lastText();
    EXPECT_FALSE(failure.isEmpty());
    EXPECT_TRUE(prompter.isShown()) << failure.toStdString();
    EXPECT_FALSE(link.isBusy());
    EXPECT_FALSE(QDir(downloadFolder()).exists());
}

TEST_F(DownloadTest, RefusesToStartWithoutADatabaseFolderOrRecords)
{
    recorder.records = 3;
    run(QStringLiteral("Proszę wybrać bazę danych..."));
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Prosze wybrać bazę danych pomiarów!"));
    EXPECT_EQ(prompter.calls().last().seconds, -1);

    recorder.records = 0;
    run(dir.path());
    EXPECT_EQ(outcome, DownloadConversation::Outcome::Empty);
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("W rejestratorze nie zgromadzono żadnych rekordów pomiarowych!"));
    EXPECT_TRUE(entries(dir.path()).isEmpty());
}
