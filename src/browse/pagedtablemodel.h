#pragma once

#include "browse/browsetable.h"
#include "browse/recordpreview.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QMap>

namespace kapstat::browse {

// The rows of one table under the record filter in force, for a grid. Rows are fetched a page
// at a time, starting from the nearest page whose bounds are known, and only a few pages are
// kept: the table is never loaded whole.
class PagedTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int PageSize = 200;
    static constexpr int CachedPages = 6;
    // The value behind a cell, unformatted.
    static constexpr int ValueRole = Qt::UserRole;

    PagedTableModel(BrowseTable& table, const RecordFilter& filter, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    BrowseTable& table() const { return m_table; }
    const DisplayColumn& column(int index) const { return m_table.columns()[index]; }
    int columnOf(const QString& name) const { return m_table.columnIndex(name); }
    QVariant value(int row, const QString& column) const;
    // Every field of the row by name, for the previews.
    RecordValues recordValues(int row) const;
    // The records again, under a new filter.
    void setFilter(const RecordFilter& filter);
    const RecordFilter& filter() const { return m_filter; }
    // Pages held now (for the benchmark and tests: never more than CachedPages).
    int cachedPageCount() const { return static_cast<int>(m_pages.size()); }

    static QString displayText(const DisplayColumn& column, const QVariant& value);

private:
    const TableRow* rowAt(int row) const;
    const QVector<TableRow>& page(int index) const;
    QVector<TableRow> fetchPage(int index) const;
    void remember(int index, const QVector<TableRow>& rows) const;

    BrowseTable& m_table;
    RecordFilter m_filter;
    qint64 m_count = 0;
    mutable QHash<int, QVector<TableRow>> m_pages;
    mutable QList<int> m_recent; // most recently used page last
    mutable QMap<int, RowKey> m_pageFirst;
    mutable QMap<int, RowKey> m_pageLast;
};

} // namespace kapstat::browse
