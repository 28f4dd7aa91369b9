#include "common/settingsstore.h"

namespace kapstat::common {

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("Ondral"), QStringLiteral("KAP 640")))
{
}

SettingsStore::SettingsStore(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

bool SettingsStore::contains(const QString& name) const
{
    return m_settings->contains(name);
}

std::optional<int> SettingsStore::integer(const QString& name) const
{
    bool ok = false;
    const int value = m_settings->value(name).toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<QString> SettingsStore::string(const QString& name) const
{
    if (!contains(name))
        return std::nullopt;
    return m_settings->value(name).toString();
}

std::optional<bool> SettingsStore::boolean(const QString& name) const
{
    if (!contains(name))
        return std::nullopt;
    const QString text = m_settings->value(name).toString().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

void SettingsStore::setInteger(const QString& name, int value)
{
    m_settings->setValue(name, value);
}

void SettingsStore::setString(const QString& name, const QString& value)
{
    m_settings->setValue(name, value);
}

void SettingsStore::setBoolean(const QString& name, bool value)
{
    m_settings->setValue(name, value);
}

void SettingsStore::sync()
{
    m_settings->sync();
}

} // namespace kapstat::common
