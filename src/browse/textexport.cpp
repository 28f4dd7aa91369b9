#include "browse/textexport.h"

#include "browse/browsestate.h"
#include "browse/browsetable.h"
#include "browse/displaycolumn.h"
#include "common/decimaltext.h"
#include "common/linefilewriter.h"
#include "common/windows1250text.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <algorithm>
#include <charconv>

namespace kapstat::browse {

namespace {

using download::SqliteStatement;
using download::TableKind;
using ValueType = download::SqliteStatement::ValueType;

constexpr char Separator = ';';

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::browse::TextExport", text);
}

// Where the extension of the file name starts ("" has none).
qsizetype extensionStart(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > path.lastIndexOf(QLatin1Char('/')) ? dot : path.size();
}

QString withoutExtension(const QString& path)
{
    return path.left(extensionStart(path));
}

QString exportSuffix(TableKind kind)
{
    switch (kind) {
    case TableKind::Rms:
        return QStringLiteral(".prn");
    case TableKind::Harm:
        return QStringLiteral(".HARM.prn");
    case TableKind::Zanik:
        break;
    }
    return QStringLiteral(".PRZE.prn");
}

bool isExported(TableKind kind, const DisplayColumn& column)
{
    if (column.hidden || column.type == DisplayType::Samples)
        return false;
    // The phasor components (BUL1 … CIL3) go; the power factors (cosH1sr …) stay.
    const bool phasor =
        column.name.startsWith(QLatin1Char('B')) || column.name.startsWith(QLatin1Char('C'));
    return !(kind == TableKind::Harm && phasor);
}

QByteArray headerLine(const QList<DisplayColumn>& columns)
{
    QStringList titles;
    for (const DisplayColumn& column : columns)
        titles << QLatin1Char('"') + column.title + QLatin1Char('"');
    return common::Windows1250Text::encode(titles.join(QLatin1Char(Separator)));
}

void appendInteger(std::string& line, qint64 value)
{
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    line.append(digits, written.ptr);
}

// "2026-03-01 00:00:00" is written "2026-03-01": the date alone at midnight.
void appendTime(std::string& line, QByteArrayView stored)
{
    constexpr QByteArrayView midnight(" 00:00:00");
    if (stored.size() == 19 && stored.endsWith(midnight))
        stored.chop(midnight.size());
    line.append(stored.data(), static_cast<size_t>(stored.size()));
}

// A separator or a line break inside a stored text would shift the columns of every reader.
void appendText(std::string& line, QByteArrayView utf8)
{
    const size_t start = line.size();
    const bool ascii =
        std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<uchar>(c) < 0x80; });
    if (ascii)
        line.append(utf8.data(), static_cast<size_t>(utf8.size()));
    else
        line.append(common::Windows1250Text::encode(QString::fromUtf8(utf8)).toStdString());
    for (size_t i = start; i < line.size(); ++i)
        if (line[i] == Separator || line[i] == '\r' || line[i] == '\n')
            line[i] = ' ';
}

void appendValue(std::string& line, const SqliteStatement& row, int position, bool isTime)
{
    switch (row.columnType(position)) {
    case ValueType::Integer:
        appendInteger(line, row.columnInt(position));
        break;
    case ValueType::Float:
        common::DecimalText::appendGeneral(line, row.columnDouble(position));
        break;
    case ValueType::Text:
        if (isTime)
            appendTime(line, row.columnText(position));
        else
            appendText(line, row.columnText(position));
        break;
    case ValueType::Null:
    case ValueType::Blob:
        break;
    }
}

// The files of one export: the requested one and its numbered continuations.
class SplitFile
{
public:
    SplitFile(QString path, QByteArray header)
        : m_path(std::move(path)), m_header(std::move(header))
    {
    }

    bool start() { return openPart(m_path); }

    bool writeRecord(QByteArrayView line)
    {
        if (m_records > 0 && m_records % TextExport::RecordsPerFile == 0)
            if (!closePart() || !openPart(TextExport::partPath(m_path, ++m_part)))
                return false;
        ++m_records;
        m_file.writeLine(line);
        return !failedWriting();
    }

    void finish()
    {
        if (failed())
            m_file.close(); // what was written before the failure stays on disk
        else
            closePart();
    }

    void fail(const QString& message) { m_outcome.error = message; }
    bool failed() const { return m_outcome.error.has_value(); }
    const ExportOutcome& outcome() const { return m_outcome; }

private:
    bool openPart(const QString& path)
    {
        if (!m_file.open(path)) {
            fail(m_file.errorText());
            return false;
        }
        m_file.writeLine(m_header);
        return !failedWriting();
    }

    bool closePart()
    {
        if (!m_file.close()) {
            fail(m_file.errorText());
            return false;
        }
        m_outcome.files << m_file.path();
        return true;
    }

    bool failedWriting()
    {
        if (m_file.failed())
            fail(m_file.errorText());
        return m_file.failed();
    }

    QString m_path;
    QByteArray m_header;
    common::LineFileWriter m_file;
    int m_part = 0;
    qint64 m_records = 0;
    ExportOutcome m_outcome;
};

} // namespace

ExportOutcome TextExport::exportTable(BrowseTable& table, const RecordFilter& filter,
                                      const QString& path,
                                      const std::optional<ExportLimits>& limits)
{
    const QList<DisplayColumn> columns = exportedColumns(table.kind(), table.columns());
    QStringList names;
    QHash<QString, int> positions;
    std::vector<bool> isTime;
    for (const DisplayColumn& column : columns) {
        positions.insert(column.name, static_cast<int>(names.size()));
        names << column.name;
        isTime.push_back(column.type == DisplayType::DateTime);
    }
    SplitFile file(path, headerLine(columns));
    if (!file.start())
        return file.outcome();
    std::string line;
    const bool read = table.forEachRow(filter, names, [&](const SqliteStatement& row) {
        if (limits && !limits->admits(ExportRecord(row, positions)))
            return true;
        line.clear();
        for (int i = 0; i < static_cast<int>(isTime.size()); ++i) {
            if (i > 0)
                line += Separator;
            appendValue(line, row, i, isTime[i]);
        }
        return file.writeRecord(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
    });
    if (!read && !file.failed())
        file.fail(tr("Nie można odczytać tabeli „%1”: %2.")
                      .arg(QDir::toNativeSeparators(table.path()), table.database().errorText()));
    file.finish();
    return file.outcome();
}

ExportOutcome TextExport::exportTables(const BrowseState& state, const QList<TableKind>& kinds,
                                       const QString& chosenName)
{
    ExportOutcome all;
    for (TableKind kind : kinds) {
        BrowseTable* table = state.table(kind);
        if (!table)
            continue;
        const ExportOutcome one =
            exportTable(*table, state.filter(), fileForAllTables(chosenName, kind));
        all.files += one.files;
        all.error = one.error;
        if (all.error)
            break;
    }
    return all;
}

QList<DisplayColumn> TextExport::exportedColumns(TableKind kind,
                                                 const QList<DisplayColumn>& columns)
{
    QList<DisplayColumn> exported;
    for (const DisplayColumn& column : columns)
        if (isExported(kind, column))
            exported << column;
    return exported;
}

QString TextExport::fileForAllTables(const QString& chosenName, TableKind kind)
{
    return withoutExtension(chosenName) + exportSuffix(kind);
}

QString TextExport::fileForOneTable(const QString& chosenName, TableKind kind)
{
    return kind == TableKind::Rms ? chosenName : fileForAllTables(chosenName, kind);
}

QString TextExport::partPath(const QString& path, int part)
{
    const qsizetype extension = extensionStart(path);
    return path.left(extension) + QString::number(part) + path.mid(extension);
}

} // namespace kapstat::browse
