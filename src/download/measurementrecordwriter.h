#pragma once

#include "download/recordlayout.h"
#include "link/responsebytes.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kapstat::download {

class TableStore;

// Stores one measurement record as an RMS row and, when the record carries a new harmonics block,
// one HARM row per phase.
class MeasurementRecordWriter
{
public:
    MeasurementRecordWriter(const RecordLayout& layout, TableStore& rms, TableStore* harm);

    // False with the store's error when a row could not be stored. number is the record's Nr.
    bool write(const link::ResponseBytes& record, int number, QString* error);

private:
    void writeSamples(const link::ResponseBytes& record);
    void writeSampleBlock(const link::ResponseBytes& record);
    void writeValues(const link::ResponseBytes& record);
    bool writeHarmonics(const link::ResponseBytes& record, int station, int condition,
                        QString* error);
    double harmonicsValue(const link::ResponseBytes& record, int group, int item, int phase) const;

    const RecordLayout& m_layout;
    TableStore& m_rms;
    TableStore* m_harm;
    int m_harmonicsRow = 0;
    QByteArray m_lastStamp; // a block repeated from the record before carries no new rows
};

} // namespace kapstat::download
