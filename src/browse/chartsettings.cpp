#include "browse/chartsettings.h"

#include "common/settingsstore.h"

#include <algorithm>

namespace kapstat::browse {

namespace {

class Reader
{
public:
    explicit Reader(common::SettingsStore& store) : m_store(store) {}

    void text(const QString& name, QString& value) { value = m_store.string(name).value_or(value); }
    void flag(const QString& name, bool& value) { value = m_store.boolean(name).value_or(value); }
    void number(const QString& name, int& value, int low, int high)
    {
        const auto stored = m_store.integer(name);
        m_ok = m_ok && stored.has_value();
        value = std::clamp(stored.value_or(value), low, high);
    }
    void colour(const QString& name, QColor& value)
    {
        int stored = ChartSettings::windowsColour(value);
        number(name, stored, 0, 0xFFFFFF);
        value = ChartSettings::fromWindowsColour(stored);
    }
    void font(const QString& prefix, ChartFont& value)
    {
        colour(prefix + QStringLiteral("FontColor"), value.colour);
        QString family = value.font.family();
        text(prefix + QStringLiteral("FontNazwa"), family);
        int size = value.font.pointSize();
        number(prefix + QStringLiteral("FontSize"), size, 1, 200);
        value.font = QFont(family, size);
    }
    bool ok() const { return m_ok; }

private:
    common::SettingsStore& m_store;
    bool m_ok = true;
};

void saveFont(common::SettingsStore& store, const QString& prefix, const ChartFont& font)
{
    store.setInteger(prefix + QStringLiteral("FontColor"),
                     ChartSettings::windowsColour(font.colour));
    store.setString(prefix + QStringLiteral("FontNazwa"), font.font.family());
    store.setInteger(prefix + QStringLiteral("FontSize"), font.font.pointSize());
}

const QString MarginNames[] = {QStringLiteral("PrintMargLeft"), QStringLiteral("PrintMargRight"),
                               QStringLiteral("PrintMargTop"), QStringLiteral("PrintMargBottom")};

} // namespace

int ChartSettings::windowsColour(const QColor& colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QColor ChartSettings::fromWindowsColour(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

ChartSettings ChartSettings::load(common::SettingsStore& store)
{
    ChartSettings settings;
    if (!store.contains(QStringLiteral("TytulFontColor"))) {
        settings.save(store);
        return settings;
    }
    Reader read(store);
    read.text(QStringLiteral("Tytul"), settings.title);
    read.font(QStringLiteral("Tytul"), settings.titleFont);
    read.text(QStringLiteral("OsXTytul"), settings.xTitle);
    read.font(QStringLiteral("OsX"), settings.xTitleFont);
    read.flag(QStringLiteral("OsXWidoczna"), settings.xVisible);
    read.font(QStringLiteral("OsXL"), settings.xLabelFont);
    read.number(QStringLiteral("OsXLKat"), settings.xLabelAngle, 0, 90);
    read.text(QStringLiteral("OsYTytul"), settings.yTitle);
    read.font(QStringLiteral("OsY"), settings.yTitleFont);
    read.flag(QStringLiteral("OsYWidoczna"), settings.yVisible);
    read.font(QStringLiteral("OsYL"), settings.yLabelFont);
    read.colour(QStringLiteral("TloColor"), settings.background);
    read.colour(QStringLiteral("MarginesyColor"), settings.margin);
    read.font(QStringLiteral("Legenda"), settings.legendFont);
    read.flag(QStringLiteral("LegendaWidoczna"), settings.legendVisible);
    read.colour(QStringLiteral("LegendaColor"), settings.legendColour);
    for (int i = 0; i < 4; ++i) {
        read.colour(QStringLiteral("Przebieg%1Color").arg(i), settings.seriesColours[i]);
        if (store.contains(QStringLiteral("Przebieg0Kroj")))
            read.number(QStringLiteral("Przebieg%1Kroj").arg(i), settings.lineStyles[i], 0, 4);
        else
            store.setInteger(QStringLiteral("Przebieg%1Kroj").arg(i), 0);
        read.number(MarginNames[i], settings.printMargins[i], 0, 100);
    }
    read.number(QStringLiteral("IloscPktnaStr"), settings.pointsPerPage, 10, 400000);
    if (!read.ok())
        settings.pointsPerPage = 1000;
    return settings;
}

void ChartSettings::save(common::SettingsStore& store) const
{
    store.setString(QStringLiteral("Tytul"), title);
    saveFont(store, QStringLiteral("Tytul"), titleFont);
    store.setString(QStringLiteral("OsXTytul"), xTitle);
    saveFont(store, QStringLiteral("OsX"), xTitleFont);
    store.setBoolean(QStringLiteral("OsXWidoczna"), xVisible);
    saveFont(store, QStringLiteral("OsXL"), xLabelFont);
    store.setInteger(QStringLiteral("OsXLKat"), xLabelAngle);
    store.setString(QStringLiteral("OsYTytul"), yTitle);
    saveFont(store, QStringLiteral("OsY"), yTitleFont);
    store.setBoolean(QStringLiteral("OsYWidoczna"), yVisible);
    saveFont(store, QStringLiteral("OsYL"), yLabelFont);
    store.setInteger(QStringLiteral("TloColor"), windowsColour(background));
    store.setInteger(QStringLiteral("MarginesyColor"), windowsColour(margin));
    saveFont(store, QStringLiteral("Legenda"), legendFont);
    store.setBoolean(QStringLiteral("LegendaWidoczna"), legendVisible);
    store.setInteger(QStringLiteral("LegendaColor"), windowsColour(legendColour));
    for (int i = 0; i < 4; ++i) {
        store.setInteger(QStringLiteral("Przebieg%1Color").arg(i), windowsColour(seriesColours[i]));
        store.setInteger(QStringLiteral("Przebieg%1Kroj").arg(i), lineStyles[i]);
        store.setInteger(MarginNames[i], printMargins[i]);
    }
    store.setInteger(QStringLiteral("IloscPktnaStr"), pointsPerPage);
}

} // namespace kapstat::browse
