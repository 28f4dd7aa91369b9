#include "print/printsourcetimes.h"

#include "browse/browsestate.h"
#include "common/datetimetext.h"

namespace kapstat::print {

namespace {

QDateTime timeOf(const browse::BrowseTable& table, const browse::TableRow& row)
{
    const int dic = table.columnIndex(QStringLiteral("DiC"));
    if (dic < 0 || dic >= row.values.size())
        return {};
    return common::DateTimeText::parseDateTime(row.values[dic].toString());
}

} // namespace

std::optional<RecordTimes> printSourceTimes(const browse::BrowseState& state)
{
    browse::BrowseTable* table = state.table(state.printSelection().source());
    if (!table)
        return std::nullopt;
    const browse::RecordFilter filter = state.filter();
    const auto first = table->firstRow(filter);
    const auto last = table->lastRow(filter);
    if (!first || !last)
        return std::nullopt;
    return RecordTimes{timeOf(*table, *first), timeOf(*table, *last)};
}

} // namespace kapstat::print
