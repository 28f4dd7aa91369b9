#include "download/downloadconversation.h"

#include "common/windows1250text.h"
#include "config/configurationmodel.h"
#include "config/configurationreader.h"
#include "config/measuringsystem.h"
#include "config/settingsfile.h"
#include "download/eventrecordwriter.h"
#include "download/measurementrecordwriter.h"
#include "download/tablestore.h"
#include "link/commandtable.h"
#include "link/devicenumbers.h"
#include "link/framecodec.h"
#include "link/prompter.h"
#include "link/recorderlink.h"
#include "link/recorderstatus.h"

#include <QCoreApplication>
#include <QDir>

namespace kapstat::download {

using link::OperationName;
using link::RecorderStatus;

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("DownloadConversation", text);
}

constexpr int StationSlots = 8;

QByteArray numberBytes(int n, int width)
{
    QByteArray bytes;
    for (int i = 0; i < width; ++i)
        bytes.append(static_cast<char>((n >> (8 * i)) & 0xFF));
    return bytes;
}

QString splitFailureMessage(int station)
{
    return tr("Nazwa stacji nr ") + QString::number(station) +
           tr(" w konfiguracji najprawdopodobniej nie jest prawidłową nazwą pliku. ") +
           tr("Wpisz poprawną nazwę stacji w konfiguracji i zaznacz opcję \"...użyj poniższych "
              "opisów...\", po czym ") +
           tr("NIE WYSYŁAJĄC konfiguracji do rejestratora powtórz odbiór danych. Patrz "
              "instrukcja.");
}

} // namespace

DownloadConversation::DownloadConversation(link::RecorderLink& link,
                                           config::ConfigurationModel& model,
                                           config::ConfigurationReader& reader, Clock now,
                                           QObject* parent)
    : QObject(parent), m_link(link), m_model(model), m_now(std::move(now))
{
    registerRows();
    connect(&link.prompter(), &link::Prompter::abortRequested, this,
            &DownloadConversation::requestAbort);
    connect(&reader, &config::ConfigurationReader::imageDamaged, this,
            [this](const link::Operation& op) {
                if (!m_running || op.name != OperationName::Rekordy)
                    return;
                // The reader has told the user; nothing of this download may remain.
                closeTables();
                QDir(m_folders ? m_folders->downloadFolder() : QString()).removeRecursively();
                end(Outcome::Failed, {});
            });
}

DownloadConversation::~DownloadConversation() = default;

void DownloadConversation::registerRows()
{
    link::ResponseRouter& router = m_link.router();
    router.on(link::Command::ReadStatus, OperationName::Rekordy,
              [this](const link::ResponseBytes& r, const link::Operation&) { onStatus(r); });
    router.on(link::Command::ReadConfiguration, OperationName::Rekordy,
              [this](const link::ResponseBytes& r, const link::Operation&) { onConfiguration(r); });
    router.onCode(link::Command::ReadRecord,
                  [this](const link::ResponseBytes& r, const link::Operation&) { onRecord(r); });
    router.onCode(link::Command::ReadEvent,
                  [this](const link::ResponseBytes& r, const link::Operation&) { onEvent(r); });
    // The link gave up and the user said "Nie": the download stops where it is.
    for (const OperationName op : {OperationName::Rekordy, OperationName::Zaniki})
        router.onFinish(op, [this](const link::Operation&) {
            // A download that has already ended keeps its last message on show.
            if (!m_running)
                return;
            m_link.prompter().close();
            end(Outcome::Stopped, {});
        });
}

void DownloadConversation::start(const QString& databaseFolder)
{
    m_databaseFolder = databaseFolder;
    m_running = true;
    m_link.send({OperationName::Rekordy, 1}, link::framecodec::payload(link::Command::ReadStatus));
}

void DownloadConversation::onStatus(const link::ResponseBytes& response)
{
    if (!m_running)
        return;
    m_recordTotal = link::numbers::decodeUnsigned(response, 5, 3);
    m_eventTotal = link::numbers::decodeUnsigned(response, 8, 2);
    if (m_recordTotal == 0 && m_eventTotal == 0) {
        const QString message = tr("W rejestratorze nie zgromadzono żadnych rekordów pomiarowych!");
        m_link.prompter().ask(message, -1, 0);
        end(Outcome::Empty, message);
        return;
    }
    m_recordsReceived = m_eventsReceived = 0;
    m_stations = {};
    // A "Przerwij" pressed from here on stops the download at its first record.
    m_abortRequested = false;
    if (m_databaseFolder.isEmpty() || m_databaseFolder.startsWith(QLatin1String("Prosz"))) {
        const QString message = tr("Prosze wybrać bazę danych pomiarów!");
        m_link.prompter().ask(message, -1, 0);
        end(Outcome::Failed, message);
        return;
    }
    Q_EMIT aboutToDownload();
    closeTables();
    if (!prepareFolders(response))
        return;
    m_link.prompter().show(tr("Odbiór danych pomiarowych: odbiór konfiguracji"), 0,
                           link::PromptButton::Abort);
    m_link.send({OperationName::Rekordy, 2},
                link::framecodec::payload(link::Command::ReadConfiguration));
}

bool DownloadConversation::prepareFolders(const link::ResponseBytes& status)
{
    const RecorderStatus shown =
        RecorderStatus::decode(status, m_model.configuration().measuringSystem);
    const QDateTime now = m_now();
    m_folders.emplace(m_databaseFolder, now, shown.values[RecorderStatus::SerialNumber]);
    m_information = downloadInformation(
        shown.values[RecorderStatus::TotalMemory], shown.values[RecorderStatus::CalibrationDate],
        shown.values[RecorderStatus::SerialNumber], now, shown.values[RecorderStatus::RecordCount],
        shown.values[RecorderStatus::EventCount]);
    if (QDir().mkpath(m_folders->temporaryFolder()) &&
        common::Windows1250Text::writeLines(m_folders->temporaryFile(QStringLiteral(".txt")),
                                            m_information))
        return true;
    abandon(tr("Nie można utworzyć bazy danych w folderze %1. Odbiór danych niemożliwy.")
                .arg(QDir::toNativeSeparators(m_folders->downloadFolder())));
    return false;
}

void DownloadConversation::onConfiguration(const link::ResponseBytes& response)
{
    if (!m_running)
        return;
    const int phases = config::phaseCount(m_model.configuration().measuringSystem);
    m_layout = RecordLayout::fromConfigurationResponse(response, phases);
    m_link.setComputedResponseLength(link::Command::ReadRecord, m_layout.length);
    // The first record is asked for at once: writing the settings file and creating the tables
    // then overlap its line time.
    if (m_recordTotal > 0) {
        showProgressText(tr("Odbiór danych pomiarowych: rekord 1 z ") +
                         QString::number(m_recordTotal));
        requestRecord(1);
    }
    if (const auto error = config::SettingsFile::save(
            m_model.configuration(), m_folders->temporaryFile(QStringLiteral(".CONF.ust")))) {
        abandon(*error);
        return;
    }
    if (createTables() && m_recordTotal == 0)
        startEvents(false);
}

bool DownloadConversation::createTables()
{
    link::Prompter& prompter = m_link.prompter();
    auto open = [this, &prompter](TableKind kind, std::unique_ptr<TableStore>& table) {
        const QString path = m_folders->temporaryFile(tableSuffix(kind));
        table = std::make_unique<TableStore>();
        return MeasurementTables::create(kind, path, m_layout.selection, prompter) &&
               table->open(path) && table->beginTransaction();
    };
    bool ok = true;
    if (m_recordTotal > 0) {
        ok = open(TableKind::Rms, m_rms) &&
             (!m_layout.hasHarmonics() || open(TableKind::Harm, m_harm));
        m_recordWriter = std::make_unique<MeasurementRecordWriter>(m_layout, *m_rms, m_harm.get());
    }
    if (ok && m_eventTotal > 0) {
        auto& zanik = m_layout.selection.zanik;
        for (int g = 0; g < 10; ++g)
            for (int f = 0; f < m_layout.phases; ++f)
                zanik[3 * g + f] = true;
        m_link.setComputedResponseLength(link::Command::ReadEvent,
                                         EventRecordWriter::recordLength(m_layout.phases));
        ok = open(TableKind::Zanik, m_events);
        m_eventWriter = std::make_unique<EventRecordWriter>(m_layout.phases, *m_events);
    }
    if (!ok)
        abandon(tr("Błąd utworzenia bazy danych"));
    return ok;
}

void DownloadConversation::requestRecord(int n)
{
    m_link.send({OperationName::Rekordy, 3},
                link::framecodec::payload(link::Command::ReadRecord, numberBytes(n, 3)));
}

bool DownloadConversation::acceptStation(const link::ResponseBytes& response, bool event)
{
    const int index = response.at(RecordLayout::StationPosition);
    if (index >= StationSlots)
        return false;
    StationRecord& station = m_stations[index];
    (event ? station.seenInEvents : station.seenInRecords) = true;
    if (!station.firstRecord.isValid())
        station.firstRecord =
            link::numbers::decodeBcdDateTime(response, RecordLayout::TimePosition).value;
    return true;
}

void DownloadConversation::onRecord(const link::ResponseBytes& response)
{
    if (!m_running || !m_recordWriter)
        return;
    if (m_abortRequested || !acceptStation(response, false)) {
        abandon(tr("Odbiór danych przerwany!"));
        return;
    }
    const int n = ++m_recordsReceived;
    const bool stored = storeAndAskNext(
        {0, n, m_recordTotal},
        [&](QString* error) { return m_recordWriter->write(response, n, error); },
        [&] { requestRecord(n + 1); }, tr("Odbiór danych pomiarowych: rekord "));
    if (stored && n == m_recordTotal)
        finishRecords();
}

bool DownloadConversation::storeAndAskNext(Progress at, const std::function<bool(QString*)>& store,
                                           const std::function<void()>& askNext,
                                           const QString& nextText)
{
    // The next request goes out first: storing this record then overlaps the next exchange's
    // line time instead of adding to it.
    const bool more = at.done < at.total;
    if (more)
        askNext();
    QString error;
    if (!store(&error)) {
        abandon(tr("Błąd zapisu na dysk (%1). Odbiór danych przerwany!").arg(error));
        return false;
    }
    Q_EMIT progress(at.phase, at.done, at.total);
    m_link.prompter().showProgress(at.done, at.total);
    if (more)
        showProgressText(nextText + QString::number(at.done + 1) + tr(" z ") +
                         QString::number(at.total));
    return true;
}

void DownloadConversation::finishRecords()
{
    for (int i = 0; i < StationSlots; ++i) {
        if (!m_stations[i].seenInRecords)
            continue;
        if (!splitStation(TableKind::Rms, *m_rms, i + 1, true) ||
            (m_harm && !splitStation(TableKind::Harm, *m_harm, i + 1, false))) {
            abandon(splitFailureMessage(i + 1));
            return;
        }
    }
    m_rms.reset();
    m_harm.reset();
    m_recordWriter.reset();
    if (m_eventTotal == 0) {
        if (!writeEntryFiles())
            return;
        QDir(m_folders->temporaryFolder()).removeRecursively();
        const QString message = tr("Dane pomiarowe odebrane i zapisane na dysku w pliku   ") +
                                QDir::toNativeSeparators(m_folders->downloadFolder());
        m_link.prompter().show(message, -1, 0);
        end(Outcome::Completed, message);
        return;
    }
    startEvents(true);
}

void DownloadConversation::startEvents(bool afterRecords)
{
    const QString first = afterRecords ? tr("Odbiór danych zaników i przepięć: rekord 1 z ")
                                       : tr("Odbiór danych przerw i przepięć: rekord 1 z ");
    showProgressText(first + QString::number(m_eventTotal));
    requestEvent(1);
}

void DownloadConversation::requestEvent(int n)
{
    m_link.send({OperationName::Zaniki, 2},
                link::framecodec::payload(link::Command::ReadEvent, numberBytes(n, 2)));
}

void DownloadConversation::onEvent(const link::ResponseBytes& response)
{
    if (!m_running || !m_eventWriter)
        return;
    if (m_abortRequested || !acceptStation(response, true)) {
        abandon(tr("Odbiór danych przerwany!"));
        return;
    }
    const int n = ++m_eventsReceived;
    const bool stored = storeAndAskNext(
        {1, n, m_eventTotal},
        [&](QString* error) { return m_eventWriter->write(response, n, error); },
        [&] { requestEvent(n + 1); }, tr("Odbiór danych przerw i przepięć: rekord "));
    if (stored && n == m_eventTotal)
        finishEvents();
}

void DownloadConversation::finishEvents()
{
    for (int i = 0; i < StationSlots; ++i) {
        if (m_stations[i].seenInEvents &&
            !splitStation(TableKind::Zanik, *m_events, i + 1, !m_stations[i].seenInRecords)) {
            abandon(splitFailureMessage(i + 1));
            return;
        }
    }
    m_events.reset();
    m_eventWriter.reset();
    if (!writeEntryFiles())
        return;
    QDir(m_folders->temporaryFolder()).removeRecursively();
    const QString message = tr("Dane pomiarowe odebrane i zapisane na dysku w pliku:  ") +
                            QDir::toNativeSeparators(m_folders->downloadFolder());
    m_link.prompter().show(message, -1, 0);
    end(Outcome::Completed, message);
}

QString DownloadConversation::stationName(int station) const
{
    return DownloadFolders::stationName(m_stations[station - 1].firstRecord, station,
                                        m_model.configuration().stations[station - 1].description);
}

bool DownloadConversation::splitStation(TableKind kind, TableStore& source, int station,
                                        bool emptyFolder)
{
    const QString name = stationName(station);
    const QString folder = m_folders->stationFolder(name);
    if (emptyFolder && !prepareEmptyFolder(folder))
        return false;
    const QString path = folder + name + tableSuffix(kind);
    TableStore target;
    if (!MeasurementTables::create(kind, path, m_layout.selection, m_link.prompter()) ||
        !target.open(path))
        return false;
    source.setStationFilter(station);
    bool ok = target.beginTransaction() && source.copyVisibleRowsTo(target);
    source.setStationFilter(std::nullopt);
    QString error;
    if (ok && kind == TableKind::Zanik)
        ok = EventRecordWriter::completeInterruptions(target, m_layout.phases, &error);
    ok = target.commit() && ok;
    target.close();
    return ok && copyReplacing(m_folders->temporaryFile(QStringLiteral(".CONF.ust")),
                               folder + name + QStringLiteral(".CONF.ust"));
}

// The entries that make the stations' databases visible are written last, so that a download
// stopped half-way never looks complete.
bool DownloadConversation::writeEntryFiles()
{
    for (int i = 0; i < StationSlots; ++i) {
        const StationRecord& station = m_stations[i];
        if (!station.seenInRecords && !station.seenInEvents)
            continue;
        if (!copyReplacing(m_folders->temporaryFile(QStringLiteral(".txt")),
                           m_folders->entryFile(stationName(i + 1)))) {
            abandon(tr("Nie można zapisać pliku %1. Odbiór danych przerwany!")
                        .arg(QDir::toNativeSeparators(m_folders->entryFile(stationName(i + 1)))));
            return false;
        }
    }
    return true;
}

void DownloadConversation::showProgressText(const QString& text)
{
    link::Prompter& prompter = m_link.prompter();
    if (prompter.isShown())
        prompter.updateText(text);
    else
        prompter.show(text, 0, link::PromptButton::Abort);
}

void DownloadConversation::closeTables()
{
    m_recordWriter.reset();
    m_eventWriter.reset();
    m_rms.reset();
    m_harm.reset();
    m_events.reset();
}

void DownloadConversation::abandon(const QString& message)
{
    // A request already sent is answered unseen: its answer ends the link's operation.
    if (m_link.isBusy())
        m_link.requestAbort();
    closeTables();
    if (m_folders)
        QDir(m_folders->downloadFolder()).removeRecursively();
    m_link.prompter().show(message, -1, 0);
    end(m_abortRequested ? Outcome::Stopped : Outcome::Failed, message);
}

void DownloadConversation::end(Outcome outcome, const QString& message)
{
    m_running = false;
    Q_EMIT finished(outcome, message);
}

} // namespace kapstat::download
