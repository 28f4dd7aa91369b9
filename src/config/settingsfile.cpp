#include "config/settingsfile.h"

#include "common/windows1250text.h"
#include "config/configurationmodel.h"
#include "config/settingslines.h"

#include <QCoreApplication>
#include <QStringList>

namespace kapstat::config {

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("SettingsFile", text);
}
} // namespace

std::optional<QString> SettingsFile::save(const RecorderConfiguration& configuration,
                                          const QString& path)
{
    QStringList lines;
    for (const SettingsLine& line : settingsLines())
        lines << line.write(configuration);
    QString error;
    if (common::Windows1250Text::writeLines(path, lines, &error))
        return std::nullopt;
    return error;
}

std::optional<QString> SettingsFile::load(ConfigurationModel& model, const QString& path)
{
    QString error;
    const auto text = common::Windows1250Text::readLines(path, &error);
    if (!text)
        return error;
    const QList<SettingsLine>& lines = settingsLines();
    for (int i = 0; i < lines.size(); ++i) {
        if (i >= text->size())
            return tr("Plik ustawień %1 jest niekompletny: brak wiersza %2.").arg(path).arg(i + 1);
        if (!lines[i].read(model, text->at(i)))
            return tr("Błąd w wierszu %1 pliku ustawień %2: „%3” nie jest poprawną wartością.")
                .arg(i + 1)
                .arg(path, text->at(i));
    }
    model.applyStoragePeriodRules();
    return std::nullopt;
}

} // namespace kapstat::config
