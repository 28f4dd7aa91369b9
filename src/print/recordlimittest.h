#pragma once

#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

namespace kapstat::print {

// A test a printout narrowed by the time chart applies to every record in its range: the
// record's values of `columns`, in that order, decide whether it is printed. Without one every
// record passes.
struct RecordLimitTest
{
    QStringList columns;
    std::function<bool(const QVector<QVariant>& values)> accepts;
};

} // namespace kapstat::print
