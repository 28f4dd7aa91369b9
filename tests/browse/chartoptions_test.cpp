#include "browse/chartoptionswindow.h"
#include "browse/chartsettings.h"
#include "common/settingsstore.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kapstat;
using browse::ChartOptionsWindow;
using browse::ChartSettings;

namespace {

// Edits the settings in the window: `act` runs once the window is open, then OK is pressed.
std::optional<ChartSettings> editWith(ChartOptionsWindow& window, const ChartSettings& settings,
                                      const std::function<void()>& act, bool confirm = true)
{
    QTimer::singleShot(0, &window, [&] {
        act();
        confirm ? window.accept() : window.reject();
    });
    return window.edit(settings);
}

} // namespace

TEST(ChartOptionsTest, AFontDialogCancelledKeepsTheOldFontAndOkKeepsTheChosenOne)
{
    ChartOptionsWindow window;
    const ChartSettings before;
    window.setFontChooser([](QWidget*, const QFont&) { return std::nullopt; });
    auto edited = editWith(window, before, [&] { window.fontButton(0)->click(); });
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->titleFont.font, before.titleFont.font);

    const QFont chosen(QStringLiteral("DejaVu Sans"), 14);
    window.setFontChooser([&](QWidget*, const QFont&) { return chosen; });
    edited = editWith(window, before, [&] { window.fontButton(0)->click(); });
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->titleFont.font, chosen);

    EXPECT_FALSE(editWith(
        window, before, [&] { window.fontButton(0)->click(); }, false))
        << "Cancel changes nothing";
}

TEST(ChartOptionsTest, PointsPerPageStayWithinTheirRangeAndLabelsLieFlat)
{
    ChartOptionsWindow window;
    ChartSettings vertical;
    vertical.xLabelAngle = 90;
    struct Case
    {
        int typed;
        int kept;
    };
    for (const Case c : {Case{5, 10}, Case{400001, 400000}, Case{2500, 2500}}) {
        const auto edited = editWith(window, vertical, [&] {
            window.pointsPerPage()->setValue(c.typed);
            window.verticalLabels()->setChecked(false);
        });
        ASSERT_TRUE(edited);
        EXPECT_EQ(edited->pointsPerPage, c.kept);
        EXPECT_EQ(edited->xLabelAngle, 0);
    }
}

TEST(ChartSettingsTest, FirstRunWritesTheDefaultsAndLaterRunsReadThemBack)
{
    QTemporaryDir folder;
    common::SettingsStore store(folder.filePath(QStringLiteral("kap640.ini")));
    const ChartSettings first = ChartSettings::load(store);
    EXPECT_EQ(store.integer(QStringLiteral("TytulFontColor")), 0);
    EXPECT_EQ(store.integer(QStringLiteral("Przebieg0Color")), 255) << "red as 0x00BBGGRR";
    EXPECT_EQ(store.integer(QStringLiteral("Przebieg2Color")), 0xFF0000) << "blue";
    EXPECT_EQ(store.integer(QStringLiteral("IloscPktnaStr")), 1000);
    EXPECT_EQ(store.string(QStringLiteral("OsXTytul")),
              QStringLiteral("Data i czas rejestracji pomiaru"));
    EXPECT_EQ(store.integer(QStringLiteral("OsXLKat")), 0);

    ChartSettings changed = first;
    changed.pointsPerPage = 2500;
    changed.seriesColours[1] = QColor(1, 2, 3);
    changed.lineStyles[3] = 4;
    changed.save(store);
    const ChartSettings read = ChartSettings::load(store);
    EXPECT_EQ(read.pointsPerPage, 2500);
    EXPECT_EQ(read.seriesColours[1], QColor(1, 2, 3));
    EXPECT_EQ(read.lineStyles[3], 4);
    EXPECT_EQ(store.integer(QStringLiteral("Przebieg1Color")), 0x030201);

    store.setString(QStringLiteral("IloscPktnaStr"), QStringLiteral("dużo"));
    EXPECT_EQ(ChartSettings::load(store).pointsPerPage, 1000) << "a value that cannot be read";
}
