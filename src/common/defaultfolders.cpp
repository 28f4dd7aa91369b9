#include "common/defaultfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kapstat::common {

DefaultFolders DefaultFolders::ofThisProgram()
{
    const QString program = QCoreApplication::applicationDirPath();
    return DefaultFolders({QDir::toNativeSeparators(program + QLatin1Char('/')),
                           QFileInfo(program).isWritable(),
                           QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation),
                           QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)});
}

QString DefaultFolders::databaseFolder(const std::optional<QString>& stored) const
{
    if (stored && !stored->isEmpty())
        return *stored;
    if (m_places.programWritable)
        return m_places.program + QStringLiteral("DB");
    return QDir::toNativeSeparators(m_places.userData + QStringLiteral("/DB"));
}

QString DefaultFolders::dialogFolder() const
{
    return m_places.programWritable ? m_places.program : m_places.documents;
}

} // namespace kapstat::common
