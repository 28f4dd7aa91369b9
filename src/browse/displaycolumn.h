#pragma once

#include "download/measurementtables.h"
#include "download/tabledefinition.h"

#include <QList>
#include <QString>
#include <optional>

namespace kapstat::browse {

enum class DisplayType
{
    Integer,
    Float,
    DateTime,
    Text,
    Samples,
    AutoInc
};

// How one stored column is shown in the table windows.
struct DisplayColumn
{
    QString name;
    QString title;
    int width = 8; // characters
    bool hidden = false;
    DisplayType type = DisplayType::Float;
    bool leading = false; // one of the fixed leading columns; frozen in the grid
};

// The display columns of a table, one per stored field in stored order; nullopt with a message
// when a fixed leading field is missing (not a table of this program).
std::optional<QList<DisplayColumn>> displayColumns(download::TableKind kind,
                                                   const QList<download::FieldDefinition>& fields,
                                                   QString* error);

// The leading fields every table of the kind must have, in order.
const QStringList& leadingFields(download::TableKind kind);

} // namespace kapstat::browse
