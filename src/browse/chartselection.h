#pragma once

#include "download/measurementtables.h"

#include <QString>
#include <QStringList>
#include <array>

namespace kapstat::browse {

// One quantity on the time chart: a column and the phase whose records it takes ("L0" for a
// column of the RMS table).
struct ChartSlot
{
    QString column;
    QString phase = QStringLiteral("L0");

    bool isFilled() const { return !column.isEmpty(); }
};

// Up to four quantities of one table chosen for the time chart.
class ChartSelection
{
public:
    static constexpr int SlotCount = 4;
    static inline const QString RmsPhase = QStringLiteral("L0");

    bool contains(const QString& column, const QString& phase) const;
    // Into the lowest empty slot; false when all four are filled.
    bool add(const QString& column, const QString& phase);
    void remove(const QString& column, const QString& phase);
    // Empties every slot; returns the harmonics phases that were charted.
    QStringList clear();

    int count() const;
    bool isEmpty() const { return count() == 0; }
    download::TableKind table() const { return m_table; }
    void setTable(download::TableKind table) { m_table = table; }
    // 1 when the last quantity added is an RMS one, else the database's phase count code.
    int phaseCount() const { return m_phaseCount; }
    void setSystemPhaseCount(int code) { m_systemPhaseCount = code; }
    const std::array<ChartSlot, SlotCount>& slots() const { return m_slots; }

private:
    std::array<ChartSlot, SlotCount> m_slots{};
    download::TableKind m_table = download::TableKind::Rms;
    int m_phaseCount = 1;
    int m_systemPhaseCount = 3;
};

} // namespace kapstat::browse
