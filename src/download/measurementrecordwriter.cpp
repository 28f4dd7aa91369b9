#include "download/measurementrecordwriter.h"

#include "download/measurementtables.h"
#include "download/tablestore.h"
#include "link/devicenumbers.h"

namespace kapstat::download {

using namespace link::numbers;

namespace {

const QString& rmsName(int position)
{
    return MeasurementTables::nameList(TableKind::Rms)[position];
}

const QString& harmName(int position)
{
    return MeasurementTables::nameList(TableKind::Harm)[position];
}

} // namespace

MeasurementRecordWriter::MeasurementRecordWriter(const RecordLayout& layout, TableStore& rms,
                                                 TableStore* harm)
    : m_layout(layout), m_rms(rms), m_harm(harm)
{
}

bool MeasurementRecordWriter::write(const link::ResponseBytes& record, int number, QString* error)
{
    const int station = record.at(RecordLayout::StationPosition) + 1;
    const int condition = record.at(RecordLayout::ConditionPosition);
    m_rms.append();
    m_rms.setField(QStringLiteral("Nr"), number);
    m_rms.setField(QStringLiteral("NrSt"), station);
    m_rms.setField(QStringLiteral("DiC"),
                   decodeBcdDateTime(record, RecordLayout::TimePosition).value);
    m_rms.setField(QStringLiteral("War"), condition);
    writeSamples(record);
    writeSampleBlock(record);
    writeValues(record);
    if (m_layout.hasHarmonics()) {
        ++m_harmonicsRow;
        if (!writeHarmonics(record, station, condition, error))
            return false;
    }
    if (!m_rms.post()) {
        *error = m_rms.errorText();
        return false;
    }
    return true;
}

void MeasurementRecordWriter::writeSamples(const link::ResponseBytes& record)
{
    const int channels = m_layout.waveformChannels();
    for (int c = 0; c < channels; ++c) {
        QByteArray samples(RecordLayout::SampleBytesPerChannel, '\0');
        for (int s = 0; s < RecordLayout::SampleBytesPerChannel / 2; ++s) {
            const int position = RecordLayout::SamplesPosition + 2 * (s * channels + c);
            samples[2 * s] = static_cast<char>(record.at(position));
            samples[2 * s + 1] = static_cast<char>(record.at(position + 1));
        }
        m_rms.setField(rmsName(m_layout.waveformFields[c]), samples);
    }
}

void MeasurementRecordWriter::writeSampleBlock(const link::ResponseBytes& record)
{
    if (!m_layout.sampleBlock)
        return;
    const int p = m_layout.sampleBlockPosition();
    for (int i = 0; i < 6; ++i) {
        m_rms.setField(QStringLiteral("WzmNr%1").arg(i), record.at(p + i));
        m_rms.setField(QStringLiteral("Wzm%1").arg(i),
                       decodeDecFloat4(record, p + 6 + 4 * i).value);
    }
    m_rms.setField(QStringLiteral("Licznik"), decodeUnsigned(record, p + 30, 2));
    m_rms.setField(QStringLiteral("Maxi"), decodeUnsigned(record, p + 32, 2));
}

void MeasurementRecordWriter::writeValues(const link::ResponseBytes& record)
{
    int p = m_layout.energiesPosition();
    for (const int field : m_layout.energyFields) {
        m_rms.setField(rmsName(field), decodeDecFloat5(record, p).value);
        p += 5;
    }
    for (const int field : m_layout.valueFields) {
        m_rms.setField(rmsName(field), decodeDecFloat3(record, p).value);
        p += 3;
    }
}

bool MeasurementRecordWriter::writeHarmonics(const link::ResponseBytes& record, int station,
                                             int condition, QString* error)
{
    const QByteArray stamp = record.bytes(m_layout.stampPosition(), RecordLayout::StampBytes);
    if (stamp == m_lastStamp || !m_harm)
        return true;
    m_lastStamp = stamp;
    const QDateTime time = decodeBcdDateTime(record, m_layout.stampPosition()).value;
    for (int f = 0; f < m_layout.phases; ++f) {
        m_harm->append();
        m_harm->setField(QStringLiteral("Nr"), m_harmonicsRow);
        m_harm->setField(QStringLiteral("NrSt"), station);
        m_harm->setField(QStringLiteral("DiC"), time);
        m_harm->setField(QStringLiteral("War"), condition);
        m_harm->setField(QStringLiteral("Faza"), QStringLiteral("L%1").arg(f + 1));
        for (int g = 0; g < HarmonicsGroupCount; ++g) {
            const QList<int>& fields = m_layout.groups[g].fields;
            for (int i = 0; i < fields.size(); ++i)
                m_harm->setField(harmName(fields[i]), harmonicsValue(record, g, i, f));
        }
        for (int i = 0; i < m_layout.bcFields.size(); ++i)
            m_harm->setField(harmName(m_layout.bcFields[i]),
                             decodeDecFloat4(record, m_layout.bcPosition() + 4 * i).value);
        if (!m_harm->post()) {
            *error = m_harm->errorText();
            return false;
        }
    }
    return true;
}

double MeasurementRecordWriter::harmonicsValue(const link::ResponseBytes& record, int group,
                                               int item, int phase) const
{
    const HarmonicsGroup& g = m_layout.groups[group];
    const int offset = g.perPhase ? g.count() * phase + item : item;
    return decodeDecFloat3(record, m_layout.groupPosition(group) + 3 * offset).value;
}

} // namespace kapstat::download
