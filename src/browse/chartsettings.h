#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <array>

namespace kapstat::common {
class SettingsStore;
}

namespace kapstat::browse {

// A font as the settings keep it: colour, name and size (its style lasts only while the program
// runs).
struct ChartFont
{
    QFont font = QFont(QStringLiteral("Arial"), 8);
    QColor colour = Qt::black;
};

// The time chart's look, kept in the settings under the names the recorder's users know.
struct ChartSettings
{
    QString title;
    ChartFont titleFont;
    QString xTitle = QStringLiteral("Data i czas rejestracji pomiaru");
    ChartFont xTitleFont;
    bool xVisible = true;
    ChartFont xLabelFont;
    int xLabelAngle = 0; // 0 or 90
    QString yTitle;
    ChartFont yTitleFont;
    bool yVisible = true;
    ChartFont yLabelFont;
    QColor background = Qt::white;
    QColor margin = Qt::white;
    ChartFont legendFont;
    bool legendVisible = true;
    QColor legendColour = Qt::white;
    std::array<QColor, 4> seriesColours{QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255),
                                        QColor(0, 255, 0)};
    std::array<int, 4> lineStyles{};                 // 0 solid .. 4 dash-dot-dot
    int pointsPerPage = 1000;                        // 10..400000
    std::array<int, 4> printMargins{15, 15, 15, 15}; // left, right, top, bottom, percent

    // The stored settings; the first run writes the defaults and returns them. Values that cannot
    // be read leave 1000 points per page.
    static ChartSettings load(common::SettingsStore& store);
    void save(common::SettingsStore& store) const;

    // Colours as the settings store them: 0x00BBGGRR.
    static int windowsColour(const QColor& colour);
    static QColor fromWindowsColour(int value);
};

} // namespace kapstat::browse
