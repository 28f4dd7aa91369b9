#pragma once

#include "config/recorderconfiguration.h"
#include "download/measurementtables.h"
#include "download/tablestore.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>
#include <memory>

namespace kapstat::fixtures {

// A measurement database laid out on disk as a download leaves it: the selection file, and in
// its "_SP" folder the settings file and the tables, with chosen columns and rows.
class DatabaseFixture
{
public:
    explicit DatabaseFixture(QString name = QStringLiteral("081208-153012_1_Hala 2"));

    QString folder() const { return m_dir.path(); }
    QString selectionFile() const;
    QString base() const; // the tables' path without extension

    // Writes the selection file (six lines) and the settings file of the configuration.
    void writeHeader(const config::RecorderConfiguration& configuration = {});
    // Creates the table with the fixed fields and the named columns of the kind's name list.
    download::TableStore& createTable(download::TableKind kind, const QStringList& columns);
    // Appends one row; fields by name.
    void append(download::TableKind kind, const QVariantMap& values);
    // A record every `minutes` from the start, its Nr counting from 1, War from the list in turn.
    void appendRmsRecords(int count, const QDateTime& start, int minutes,
                          const QList<int>& war = {0}, int station = 1);
    void closeTables();

private:
    QTemporaryDir m_dir;
    QString m_name;
    std::unique_ptr<download::TableStore> m_tables[3];
};

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// The whole content of a file ("" when it cannot be read).
QByteArray fileBytes(const QString& path);
// How many CR LF line ends the file holds.
qsizetype lineCount(const QString& path);

} // namespace kapstat::fixtures
