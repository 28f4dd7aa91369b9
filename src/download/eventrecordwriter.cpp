#include "download/eventrecordwriter.h"

#include "download/measurementtables.h"
#include "download/tablestore.h"
#include "link/devicenumbers.h"

namespace kapstat::download {

using namespace link::numbers;

namespace {

constexpr quint8 StartsHere = 0x80;
constexpr quint8 EndsHere = 0x40;
constexpr int InsideBit = 1;
constexpr int EndBit = 2;

QString field(const char* group, int phase)
{
    return QString::fromLatin1(group) + QStringLiteral("L%1").arg(phase + 1);
}

int blockPosition(int phase)
{
    return 24 + 210 * phase;
}

} // namespace

EventRecordWriter::EventRecordWriter(int phases, TableStore& table)
    : m_phases(phases), m_table(table)
{
}

bool EventRecordWriter::write(const link::ResponseBytes& record, int number, QString* error)
{
    const QDateTime time = decodeBcdDateTime(record, 6).value;
    m_table.append();
    m_table.setField(QStringLiteral("Nr"), number);
    m_table.setField(QStringLiteral("NrSt"), record.at(5) + 1);
    m_table.setField(QStringLiteral("DiC"), time);
    for (int f = 0; f < m_phases; ++f)
        writePhase(record, f, time);
    if (m_table.post())
        return true;
    *error = m_table.errorText();
    return false;
}

void EventRecordWriter::writePhase(const link::ResponseBytes& record, int phase,
                                   const QDateTime& time)
{
    const int b = blockPosition(phase);
    const double scale = decodeDecFloat4(record, 12 + 4 * phase).value;
    const quint8 flags = record.at(b + 1);
    PhaseState& state = m_state[phase];
    int marker = state.inProgress && !(flags & EndsHere) ? InsideBit : 0;
    QVariant duration;
    if (flags & StartsHere) {
        if (state.inProgress)
            duration = 0;
        marker |= InsideBit;
        state.inProgress = true;
        state.start = time;
    }
    if (flags & EndsHere) {
        marker |= EndBit;
        state.end = time;
        duration = state.inProgress ? secondsBetween(state.start, state.end) + 1 : 0;
        state.inProgress = false;
    }
    m_table.setField(field("WzmZan", phase), scale);
    m_table.setField(field("Przerwa", phase), marker);
    m_table.setField(field("Czas_P", phase), duration);
    m_table.setField(field("Ilosc_uP", phase), record.at(b + 2));
    m_table.setField(field("Czas_uPmax", phase), (record.at(b) + 256 * (flags & 0x3F)) * 0.4);
    m_table.setField(field("Czas_Przep", phase), decodeUnsigned(record, b + 3, 2) * 0.4);
    m_table.setField(field("Max_Przep", phase), scale * decodeUnsigned(record, b + 5, 2));
    m_table.setField(field("Probki", phase), record.bytes(b + 7, 200));
    m_table.setField(field("Adres", phase), decodeUnsigned(record, b + 207, 2));
    m_table.setField(field("X", phase), record.at(b + 209));
}

bool EventRecordWriter::completeInterruptions(TableStore& table, int phases, QString* error)
{
    std::array<bool, 3> done{};
    std::array<bool, 3> beforeEnd{};
    for (table.last(); table.hasRow() && !table.isBof(); table.prior()) {
        bool changed = false;
        table.edit();
        for (int f = 0; f < phases; ++f) {
            const QString marker = field("Przerwa", f);
            const QString duration = field("Czas_P", f);
            int value = table.value(marker).toInt();
            if (!done[f] && value == InsideBit) {
                done[f] = true;
                table.setField(duration, 0);
                changed = true;
            }
            if (beforeEnd[f] && !(value & InsideBit)) {
                value |= InsideBit;
                table.setField(marker, value);
                changed = true;
            }
            if (value & EndBit) {
                done[f] = true;
                beforeEnd[f] = beforeEnd[f] || table.value(duration).toInt() == 0;
            }
        }
        if (changed && !table.post()) {
            *error = table.errorText();
            return false;
        }
    }
    return true;
}

} // namespace kapstat::download
