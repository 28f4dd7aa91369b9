#pragma once

#include "download/measurementtables.h"

#include <QString>
#include <array>

namespace kapstat::browse {

enum class PrintKind
{
    Measurements, // "pomiary"
    Norm          // "norma"
};

// Up to six columns of one table chosen for printing.
class PrintSelection
{
public:
    static constexpr int SlotCount = 6;

    bool contains(const QString& column) const;
    // Into the lowest empty slot; false, changing nothing, when all six are filled.
    bool add(const QString& column);
    void remove(const QString& column);
    void clear();

    int count() const;
    bool isEmpty() const { return count() == 0; }
    // Empty texts for empty slots, in slot order.
    const std::array<QString, SlotCount>& slots() const { return m_slots; }

    download::TableKind source() const { return m_source; }
    void setSource(download::TableKind source) { m_source = source; }
    PrintKind kind() const { return m_kind; }
    void setKind(PrintKind kind) { m_kind = kind; }

private:
    std::array<QString, SlotCount> m_slots{};
    download::TableKind m_source = download::TableKind::Rms;
    PrintKind m_kind = PrintKind::Measurements;
};

} // namespace kapstat::browse
