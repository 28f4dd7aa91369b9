#pragma once

#include "browse/displaycolumn.h"
#include "browse/printselection.h"
#include "browse/recordfilter.h"
#include "print/printoptions.h"
#include "print/recordlimittest.h"
#include "print/shadingsequence.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace kapstat::browse {
class BrowseTable;
}

namespace kapstat::print {

// The table of a measurement printout: which of its ten columns print, under which headers, and
// the rows it prints from the print source, in the table's order under the record filter.
class MeasurementPrintout
{
public:
    enum Column
    {
        Number,
        Time,
        Marks,
        Phase,
        FirstSelected
    };
    static constexpr int ColumnCount = FirstSelected + browse::PrintSelection::SlotCount;

    struct Row
    {
        std::array<QString, ColumnCount> texts; // empty in the columns that are off
        bool shaded = false;
    };

    MeasurementPrintout(browse::BrowseTable& table, const browse::RecordFilter& filter,
                        const browse::PrintSelection& selection, const PrintOptions& options,
                        ShadingSequence& shading, std::optional<RecordLimitTest> limit = {});

    // Empty for the columns that are off: "War." for the events table, "Faza" for all but the
    // harmonics table, and the empty slots of the selection.
    const std::array<QString, ColumnCount>& headers() const { return m_headers; }
    bool isOn(int column) const { return !m_headers[column].isEmpty(); }

    // Visits every row the printout holds: those in the range (unless all records are asked
    // for) that pass the limit test. False when the table could not be read.
    bool forEachRow(const std::function<void(const Row&)>& visit);

private:
    bool inRange(const QString& time) const;
    QString cellText(int column, const QVariant& value) const;

    browse::BrowseTable& m_table;
    browse::RecordFilter m_filter;
    PrintOptions m_options;
    ShadingSequence& m_shading;
    std::optional<RecordLimitTest> m_limit;
    std::array<QString, ColumnCount> m_headers;
    std::array<browse::DisplayColumn, ColumnCount> m_columns;
    QString m_from; // the range as stored times, which compare as texts
    QString m_to;
};

} // namespace kapstat::print
