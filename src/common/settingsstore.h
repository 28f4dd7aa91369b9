#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

namespace kapstat::common {

// The per-user settings of the program, under the organisation "Ondral" and the application
// "KAP 640", with the value names the recorder's users know.
class SettingsStore
{
public:
    // The names of the values; each subsystem reads and writes its own.
    struct Name
    {
        static inline const QString Port = QStringLiteral("Port");
        static inline const QString DatabaseFolder = QStringLiteral("Baza");
        static inline const QString MeasurementsPath = QStringLiteral("SciezkaPomiarow");
        static inline const QString ExportPath = QStringLiteral("SciezkaExportu");
        static inline const QString SettingsFilePath = QStringLiteral("SciezkaUst");
        static inline const QString PrintTitle = QStringLiteral("TytulWydruku");
        static inline const QString PrintCompany = QStringLiteral("FirmaWydruku");
        static inline const QString PrintGridLines = QStringLiteral("LiniowaniePom");
    };

    // The user's own store.
    SettingsStore();
    // A store in the given file, for tests.
    explicit SettingsStore(const QString& iniFile);
    ~SettingsStore();

    bool contains(const QString& name) const;
    // nullopt when the value is missing or not of the type.
    std::optional<int> integer(const QString& name) const;
    std::optional<QString> string(const QString& name) const;
    std::optional<bool> boolean(const QString& name) const;

    void setInteger(const QString& name, int value);
    void setString(const QString& name, const QString& value);
    void setBoolean(const QString& name, bool value);
    void sync();

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace kapstat::common
