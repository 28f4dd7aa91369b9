#include "browse/displaycolumn.h"

#include <QCoreApplication>

namespace kapstat::browse {

namespace {

using download::TableKind;

DisplayColumn leadingColumn(const QString& name)
{
    DisplayColumn column{name, name, 8, false, DisplayType::Integer, true};
    if (name == QLatin1String("Nr"))
        column.width = 10;
    else if (name == QLatin1String("NrSt"))
        column.width = 5;
    else if (name == QLatin1String("War"))
        column.width = 7;
    else if (name == QLatin1String("DiC")) {
        column.title = QCoreApplication::translate("DisplayColumn", "Czas Pomiaru");
        column.type = DisplayType::DateTime;
        column.width = 17;
    } else if (name == QLatin1String("NrRz")) {
        column.width = 15;
        column.hidden = true;
        column.type = DisplayType::AutoInc;
    } else if (name == QLatin1String("Faza")) {
        column.width = 5;
        column.type = DisplayType::Text;
    }
    return column;
}

bool startsWithAny(const QString& name, std::initializer_list<const char*> prefixes)
{
    for (const char* prefix : prefixes)
        if (name.startsWith(QLatin1String(prefix)))
            return true;
    return false;
}

bool hiddenQuantity(TableKind kind, const QString& name)
{
    switch (kind) {
    case TableKind::Rms:
        return startsWithAny(name, {"Lic", "Max", "Wzm"});
    case TableKind::Harm:
        return name != QLatin1String("BUL1") && startsWithAny(name, {"B", "C"});
    case TableKind::Zanik:
        return startsWithAny(name, {"Adres", "X", "Wzm", "Probki"});
    }
    return false;
}

DisplayColumn quantityColumn(TableKind kind, const QString& name)
{
    DisplayColumn column{name, name, 8, hiddenQuantity(kind, name), DisplayType::Float, false};
    if (name.startsWith(QLatin1String("Probki")))
        column.type = DisplayType::Samples;
    else if ((name.startsWith(QLatin1String("Czas_P")) &&
              !name.startsWith(QLatin1String("Czas_Pr"))) ||
             startsWithAny(name, {"Ilosc_u", "Przerwa"})) {
        column.type = DisplayType::Integer;
        column.hidden = column.hidden || name.startsWith(QLatin1String("Przerwa"));
    } else if (kind == TableKind::Harm && name == QLatin1String("BUL1"))
        column.title = QCoreApplication::translate("DisplayColumn", "Wskazy UI");
    return column;
}

} // namespace

const QStringList& leadingFields(TableKind kind)
{
    static const QStringList rms{"Nr", "NrSt", "DiC", "War"};
    static const QStringList harm{"NrRz", "Nr", "NrSt", "DiC", "War", "Faza"};
    static const QStringList zanik{"Nr", "NrSt", "DiC"};
    switch (kind) {
    case TableKind::Rms:
        return rms;
    case TableKind::Harm:
        return harm;
    case TableKind::Zanik:
        break;
    }
    return zanik;
}

std::optional<QList<DisplayColumn>>
displayColumns(TableKind kind, const QList<download::FieldDefinition>& fields, QString* error)
{
    const QStringList& leading = leadingFields(kind);
    QList<DisplayColumn> columns;
    for (const download::FieldDefinition& field : fields)
        columns << (leading.contains(field.name) ? leadingColumn(field.name)
                                                 : quantityColumn(kind, field.name));
    for (const QString& name : leading) {
        const bool present = std::any_of(columns.begin(), columns.end(),
                                         [&](const DisplayColumn& c) { return c.name == name; });
        if (!present) {
            if (error)
                *error =
                    QCoreApplication::translate("DisplayColumn", "brak kolumny „%1”").arg(name);
            return std::nullopt;
        }
    }
    return columns;
}

} // namespace kapstat::browse
