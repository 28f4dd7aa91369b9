#pragma once

#include "download/downloadfolders.h"
#include "download/measurementtables.h"
#include "download/recordlayout.h"
#include "link/operation.h"
#include "link/responsebytes.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace kapstat::config {
class ConfigurationModel;
class ConfigurationReader;
} // namespace kapstat::config
namespace kapstat::link {
class RecorderLink;
}

namespace kapstat::download {

class EventRecordWriter;
class MeasurementRecordWriter;
class TableStore;

// The download of the recorder's memory into a new measurement database: status, configuration,
// the measurement records one by one, the split by station, then the interruption and
// over-voltage records.
class DownloadConversation : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Completed,
        Empty,   // the recorder holds no records
        Stopped, // "Przerwij", or the link gave up and the user said "Nie"
        Failed
    };
    Q_ENUM(Outcome)

    using Clock = std::function<QDateTime()>;

    DownloadConversation(link::RecorderLink& link, config::ConfigurationModel& model,
                         config::ConfigurationReader& reader,
                         Clock now = &QDateTime::currentDateTime, QObject* parent = nullptr);
    ~DownloadConversation() override;

    // "Odbierz dane pomiarowe" into the database folder the main window shows.
    void start(const QString& databaseFolder);
    // "Przerwij": the download stops at the next record.
    void requestAbort() { m_abortRequested = true; }
    bool isRunning() const { return m_running; }
    QString downloadFolder() const { return m_folders ? m_folders->downloadFolder() : QString(); }

Q_SIGNALS:
    // The open database's tables and windows are to be closed before the download writes.
    void aboutToDownload();
    // Phase 0 measurement records, 1 events; done of total.
    void progress(int phase, int done, int total);
    void finished(kapstat::download::DownloadConversation::Outcome outcome, const QString& message);

private:
    struct StationRecord
    {
        bool seenInRecords = false;
        bool seenInEvents = false;
        QDateTime firstRecord;
    };

    void registerRows();
    void onStatus(const link::ResponseBytes& response);
    bool prepareFolders(const link::ResponseBytes& status);
    void onConfiguration(const link::ResponseBytes& response);
    bool createTables();
    void requestRecord(int n);
    void onRecord(const link::ResponseBytes& response);
    // Where a phase stands: phase 0 measurement records, 1 events; done of total.
    struct Progress
    {
        int phase = 0;
        int done = 0;
        int total = 0;
    };
    // Asks for the next record of the phase, if there is one, then stores this one and shows
    // the progress ("nextText N z total"). False when storing failed and the download ended.
    bool storeAndAskNext(Progress at, const std::function<bool(QString*)>& store,
                         const std::function<void()>& askNext, const QString& nextText);
    void finishRecords();
    void startEvents(bool afterRecords);
    void requestEvent(int n);
    void onEvent(const link::ResponseBytes& response);
    void finishEvents();

    bool acceptStation(const link::ResponseBytes& response, bool event);
    bool splitStation(TableKind kind, TableStore& source, int station, bool emptyFolder);
    bool writeEntryFiles();
    void showProgressText(const QString& text);
    void closeTables();
    void abandon(const QString& message);
    void end(Outcome outcome, const QString& message);
    QString stationName(int station) const;

    link::RecorderLink& m_link;
    config::ConfigurationModel& m_model;
    Clock m_now;

    bool m_running = false;
    bool m_abortRequested = false;
    QString m_databaseFolder;
    int m_recordTotal = 0;
    int m_eventTotal = 0;
    int m_recordsReceived = 0;
    int m_eventsReceived = 0;
    std::array<StationRecord, 8> m_stations;
    QStringList m_information;
    std::optional<DownloadFolders> m_folders;
    RecordLayout m_layout;
    std::unique_ptr<TableStore> m_rms;
    std::unique_ptr<TableStore> m_harm;
    std::unique_ptr<TableStore> m_events;
    std::unique_ptr<MeasurementRecordWriter> m_recordWriter;
    std::unique_ptr<EventRecordWriter> m_eventWriter;
};

} // namespace kapstat::download
