#include "print/measurementprintout.h"

#include "browse/browsetable.h"
#include "browse/pagedtablemodel.h"
#include "common/datetimetext.h"
#include "print/conditionmarks.h"

#include <QCoreApplication>
#include <QVector>

namespace kapstat::print {

namespace {

using download::TableKind;

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::print::MeasurementPrintout", text);
}

browse::DisplayColumn displayColumn(const browse::BrowseTable& table, const QString& name)
{
    if (const int index = table.columnIndex(name); index >= 0)
        return table.columns()[index];
    browse::DisplayColumn missing;
    missing.name = name;
    missing.title = name;
    return missing;
}

} // namespace

MeasurementPrintout::MeasurementPrintout(browse::BrowseTable& table,
                                         const browse::RecordFilter& filter,
                                         const browse::PrintSelection& selection,
                                         const PrintOptions& options, ShadingSequence& shading,
                                         std::optional<RecordLimitTest> limit)
    : m_table(table), m_filter(filter), m_options(options), m_shading(shading),
      m_limit(std::move(limit)), m_from(common::DateTimeText::dateTime(options.from)),
      m_to(common::DateTimeText::dateTime(options.to))
{
    const TableKind kind = table.kind();
    m_headers[Number] = tr("Nr");
    m_columns[Number] = displayColumn(table, QStringLiteral("Nr"));
    m_headers[Time] = tr("Data i czas");
    m_columns[Time] = displayColumn(table, QStringLiteral("DiC"));
    if (kind != TableKind::Zanik) {
        m_headers[Marks] = tr("War.");
        m_columns[Marks] = displayColumn(table, QStringLiteral("War"));
    }
    if (kind == TableKind::Harm) {
        m_headers[Phase] = tr("Faza");
        m_columns[Phase] = displayColumn(table, QStringLiteral("Faza"));
    }
    for (int slot = 0; slot < browse::PrintSelection::SlotCount; ++slot) {
        const QString& name = selection.slots()[slot];
        if (name.isEmpty())
            continue;
        m_columns[FirstSelected + slot] = displayColumn(table, name);
        m_headers[FirstSelected + slot] = m_columns[FirstSelected + slot].title;
    }
}

bool MeasurementPrintout::inRange(const QString& time) const
{
    return m_options.allRecords || (m_from <= time && time <= m_to);
}

QString MeasurementPrintout::cellText(int column, const QVariant& value) const
{
    if (column == Marks)
        return value.isNull() ? QString() : conditionMarks(value.toInt());
    return browse::PagedTableModel::displayText(m_columns[column], value);
}

bool MeasurementPrintout::forEachRow(const std::function<void(const Row&)>& visit)
{
    // The query reads the printed columns first, then what the limit test needs.
    QStringList names;
    std::array<int, ColumnCount> queryIndex{};
    for (int column = 0; column < ColumnCount; ++column) {
        queryIndex[column] = isOn(column) ? static_cast<int>(names.size()) : -1;
        if (isOn(column))
            names << m_columns[column].name;
    }
    const int limitStart = static_cast<int>(names.size());
    if (m_limit)
        names << m_limit->columns;
    return m_table.forEachRow(m_filter, names, [&](const download::SqliteStatement& record) {
        if (!inRange(record.column(queryIndex[Time]).toString()))
            return true;
        if (m_limit) {
            QVector<QVariant> values;
            for (int i = 0; i < m_limit->columns.size(); ++i)
                values << record.column(limitStart + i);
            if (!m_limit->accepts(values))
                return true;
        }
        Row row;
        for (int column = 0; column < ColumnCount; ++column)
            if (queryIndex[column] >= 0)
                row.texts[column] = cellText(column, record.column(queryIndex[column]));
        row.shaded = m_options.shading && m_shading.next();
        visit(row);
        return true;
    });
}

} // namespace kapstat::print
