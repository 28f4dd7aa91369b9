#pragma once

#include <QList>
#include <QString>

namespace kapstat::download {

enum class FieldType
{
    Integer,
    Float,
    DateTime,
    String,
    AutoInc,
    Bytes
};

struct FieldDefinition
{
    QString name;
    FieldType type = FieldType::Float;
    bool required = false;
    int size = 0; // characters of a String field

    bool operator==(const FieldDefinition&) const = default;
};

// One table: its fields in order, the primary index field and the secondary index "Nrst" on NrSt.
struct TableDefinition
{
    QList<FieldDefinition> fields;
    QString primaryField;

    static constexpr auto SecondaryIndex = "Nrst";
    static constexpr auto StationField = "NrSt";
};

} // namespace kapstat::download
