#include "download/measurementtables.h"

#include "download/tablestore.h"
#include "link/prompter.h"

#include <QCoreApplication>

namespace kapstat::download {

namespace {

const QStringList StatisticSuffixes{QStringLiteral("min"), QStringLiteral("max"),
                                    QStringLiteral("sr"), QStringLiteral("ch")};

void addStatistics(QStringList& names, const QStringList& quantities)
{
    for (const QString& quantity : quantities)
        for (const QString& suffix : StatisticSuffixes)
            names << quantity + suffix;
}

QStringList numbered(const QString& prefix, int from, int to, const QString& suffix = {})
{
    QStringList names;
    for (int i = from; i <= to; ++i)
        names << prefix + QString::number(i) + suffix;
    return names;
}

QStringList rmsNames()
{
    QStringList names{QStringLiteral("Epplus"), QStringLiteral("Epmin"), QStringLiteral("Eqplus"),
                      QStringLiteral("Eqmin"),  QStringLiteral("Es"),    QStringLiteral("Pav"),
                      QStringLiteral("Qav"),    QStringLiteral("Sav")};
    QStringList quantities =
        QStringLiteral("U I P PF S Q D DF tg f I0 U12 U23 U31").split(QLatin1Char(' '));
    for (const QString& perPhase :
         QStringLiteral("UL IL PL PFL tgL QL SL DL DFL CFUL CFIL UH0L IH0L")
             .split(QLatin1Char(' ')))
        quantities << numbered(perPhase, 1, 3);
    addStatistics(names, quantities);
    names << QStringLiteral("ProbkiUL1") << QStringLiteral("ProbkiUL2")
          << QStringLiteral("ProbkiUL3") << QStringLiteral("ProbkiIL1")
          << QStringLiteral("ProbkiIL2") << QStringLiteral("ProbkiIL3") << QStringLiteral("Licznik")
          << QStringLiteral("Maxi") << numbered(QStringLiteral("WzmNr"), 0, 5)
          << numbered(QStringLiteral("Wzm"), 0, 5);
    return names;
}

QStringList harmNames()
{
    QStringList names;
    addStatistics(names, QStringLiteral("THDU THDI U2 U1 U1U2 U0").split(QLatin1Char(' ')));
    addStatistics(names, numbered(QStringLiteral("UH"), 1, 24));
    addStatistics(names, numbered(QStringLiteral("IH"), 1, 24));
    addStatistics(names, numbered(QStringLiteral("cosH"), 1, 24));
    for (const QString& channel : QStringLiteral("UL1 UL2 UL3 IL1 IL2 IL3").split(QLatin1Char(' ')))
        names << QStringLiteral("B") + channel << QStringLiteral("C") + channel;
    return names;
}

QStringList zanikNames()
{
    QStringList names;
    for (const QString& group :
         QStringLiteral(
             "Przerwa Czas_P Ilosc_uP Czas_uPmax Czas_Przep Max_Przep Probki Adres X WzmZan")
             .split(QLatin1Char(' ')))
        names << numbered(group + QStringLiteral("L"), 1, 3);
    return names;
}

FieldDefinition fixedField(const char* name, FieldType type, bool required, int size = 0)
{
    return {QString::fromLatin1(name), type, required, size};
}

bool showFailure(link::Prompter& prompter, const char* message)
{
    prompter.ask(QCoreApplication::translate("MeasurementTables", message), -1, 0);
    return false;
}

} // namespace

std::vector<bool>& MeasurementSelection::of(TableKind kind)
{
    return kind == TableKind::Rms ? rms : kind == TableKind::Harm ? harm : zanik;
}

const std::vector<bool>& MeasurementSelection::of(TableKind kind) const
{
    return kind == TableKind::Rms ? rms : kind == TableKind::Harm ? harm : zanik;
}

void MeasurementSelection::clear()
{
    for (auto* list : {&rms, &harm, &zanik})
        std::fill(list->begin(), list->end(), false);
}

const QStringList& MeasurementTables::nameList(TableKind kind)
{
    static const QStringList rms = rmsNames();
    static const QStringList harm = harmNames();
    static const QStringList zanik = zanikNames();
    return kind == TableKind::Rms ? rms : kind == TableKind::Harm ? harm : zanik;
}

int MeasurementTables::nameIndex(TableKind kind, const QString& name)
{
    return static_cast<int>(nameList(kind).indexOf(name));
}

FieldType MeasurementTables::typeForName(const QString& name)
{
    if (name.startsWith(QLatin1String("Probki")))
        return FieldType::Bytes;
    const bool integer =
        (name.startsWith(QLatin1String("Czas_P")) && !name.startsWith(QLatin1String("Czas_Pr"))) ||
        name.startsWith(QLatin1String("Ilosc_u")) || name.startsWith(QLatin1String("Przerwa"));
    return integer ? FieldType::Integer : FieldType::Float;
}

TableDefinition MeasurementTables::definition(TableKind kind, const std::vector<bool>& selected)
{
    TableDefinition table;
    const bool harm = kind == TableKind::Harm;
    if (harm)
        table.fields << fixedField("NrRz", FieldType::AutoInc, true);
    table.fields << fixedField("Nr", FieldType::Integer, !harm)
                 << fixedField("NrSt", FieldType::Integer, !harm)
                 << fixedField("DiC", FieldType::DateTime, !harm);
    if (kind != TableKind::Zanik)
        table.fields << fixedField("War", FieldType::Integer, true);
    if (harm)
        table.fields << fixedField("Faza", FieldType::String, true, 6);
    const QStringList& names = nameList(kind);
    for (int i = 0; i < names.size(); ++i)
        if (i < static_cast<int>(selected.size()) && selected[i])
            table.fields << FieldDefinition{names[i], typeForName(names[i]), false, 0};
    table.primaryField = harm ? QStringLiteral("NrRz") : QStringLiteral("Nr");
    return table;
}

bool MeasurementTables::create(TableKind kind, const QString& path,
                               const MeasurementSelection& selection, link::Prompter& prompter)
{
    TableStore table;
    if (!TableStore::create(path, definition(kind, selection.of(kind))) || !table.open(path))
        return showFailure(prompter, "Błąd utworzenia bazy danych");
    table.close();
    return true;
}

bool MeasurementTables::create(const QString& kindName, const QString& path,
                               const MeasurementSelection& selection, link::Prompter& prompter)
{
    const QStringList kinds{QStringLiteral("RMS"), QStringLiteral("HARM"), QStringLiteral("ZANIK")};
    const auto index = kinds.indexOf(kindName);
    if (index < 0)
        return showFailure(prompter, "Próba utworzenia tabeli nieznanego typu");
    return create(static_cast<TableKind>(index), path, selection, prompter);
}

QString tableSuffix(TableKind kind)
{
    switch (kind) {
    case TableKind::Rms:
        return QStringLiteral(".db");
    case TableKind::Harm:
        return QStringLiteral(".HARM.db");
    case TableKind::Zanik:
        break;
    }
    return QStringLiteral(".PRZE.db");
}

QString sanitizeFileName(QString text)
{
    for (const QChar c : QStringLiteral("*?<>\\/:\"|`"))
        text.replace(c, QLatin1Char(' '));
    return text;
}

qint64 secondsBetween(const QDateTime& a, const QDateTime& b)
{
    const qint64 milliseconds = a.time().msecsTo(b.time());
    return milliseconds / 1000 + a.date().daysTo(b.date()) * 86400;
}

} // namespace kapstat::download
