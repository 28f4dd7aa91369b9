#include "databasefixture.h"

#include "common/windows1250text.h"
#include "config/settingsfile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace kapstat::fixtures {

using download::TableKind;

QDateTime at(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

DatabaseFixture::DatabaseFixture(QString name) : m_name(std::move(name))
{
    QDir(m_dir.path()).mkpath(m_name + QStringLiteral("_SP"));
}

QString DatabaseFixture::selectionFile() const
{
    return m_dir.filePath(m_name + QStringLiteral(".POM"));
}

QString DatabaseFixture::base() const
{
    return m_dir.filePath(m_name + QStringLiteral("_SP/") + m_name);
}

void DatabaseFixture::writeHeader(const config::RecorderConfiguration& configuration)
{
    ASSERT_TRUE(common::Windows1250Text::writeLines(
        selectionFile(),
        {"512 kB", "2026-01-02", "KAP-640 nr 0001234 / 2026", "2026-12-10 12:00:00", "10", "2"}));
    ASSERT_FALSE(config::SettingsFile::save(configuration, base() + QStringLiteral(".CONF.ust")));
}

download::TableStore& DatabaseFixture::createTable(TableKind kind, const QStringList& columns)
{
    std::vector<bool> selected(download::MeasurementTables::nameList(kind).size());
    for (const QString& column : columns) {
        const int index = download::MeasurementTables::nameIndex(kind, column);
        EXPECT_GE(index, 0) << column.toStdString();
        if (index >= 0)
            selected[index] = true;
    }
    const QString path = base() + download::tableSuffix(kind);
    EXPECT_TRUE(download::TableStore::create(
        path, download::MeasurementTables::definition(kind, selected)));
    auto& table = m_tables[static_cast<int>(kind)];
    table = std::make_unique<download::TableStore>();
    EXPECT_TRUE(table->open(path));
    table->beginTransaction();
    return *table;
}

void DatabaseFixture::append(TableKind kind, const QVariantMap& values)
{
    download::TableStore& table = *m_tables[static_cast<int>(kind)];
    table.append();
    for (auto it = values.begin(); it != values.end(); ++it)
        EXPECT_TRUE(table.setField(it.key(), it.value())) << it.key().toStdString();
    EXPECT_TRUE(table.post()) << table.errorText().toStdString();
}

void DatabaseFixture::appendRmsRecords(int count, const QDateTime& start, int minutes,
                                       const QList<int>& war, int station)
{
    for (int i = 0; i < count; ++i)
        append(TableKind::Rms, {{"Nr", i + 1},
                                {"NrSt", station},
                                {"DiC", start.addSecs(qint64(i) * minutes * 60)},
                                {"War", war[i % war.size()]},
                                {"Pav", i * 0.5}});
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qsizetype lineCount(const QString& path)
{
    return fileBytes(path).count("\r\n");
}

void DatabaseFixture::closeTables()
{
    for (auto& table : m_tables)
        if (table) {
            table->commit();
            table.reset();
        }
}

} // namespace kapstat::fixtures
