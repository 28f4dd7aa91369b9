#pragma once

#include "browse/chartsettings.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <utility>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kapstat::browse {

// "Opcje wykresu": the time chart's title, axes, fonts, colours, legend, curves, points per page
// and print margins. OK hands back the edited settings; Cancel changes nothing.
class ChartOptionsWindow : public QDialog
{
    Q_OBJECT

public:
    // The font dialog: the chosen font, or nullopt when cancelled.
    using FontChooser = std::function<std::optional<QFont>(QWidget* parent, const QFont& font)>;

    explicit ChartOptionsWindow(QWidget* parent = nullptr);

    // Shows the settings; the result when the user pressed OK.
    std::optional<ChartSettings> edit(const ChartSettings& settings);
    void setFontChooser(FontChooser chooser) { m_chooseFont = std::move(chooser); }

    // The controls, for tests.
    QPushButton* fontButton(int index) const { return m_fontButtons[index]; }
    QSpinBox* pointsPerPage() const { return m_points; }
    QCheckBox* verticalLabels() const { return m_vertical; }
    // The settings as the controls hold them now.
    ChartSettings collected() const;

private:
    void load(const ChartSettings& settings);
    QPushButton* colourButton(QColor& colour);
    QPushButton* fontButton(ChartFont& font);

    ChartSettings m_working;
    QLineEdit* m_title;
    QLineEdit* m_xTitle;
    QLineEdit* m_yTitle;
    QCheckBox* m_xVisible;
    QCheckBox* m_yVisible;
    QCheckBox* m_vertical;
    QCheckBox* m_legendVisible;
    std::array<QComboBox*, 4> m_styles{};
    QSpinBox* m_points;
    std::array<QSpinBox*, 4> m_margins{};
    QList<QPushButton*> m_fontButtons;
    // Each swatch with the working colour it edits.
    QList<std::pair<QPushButton*, const QColor*>> m_colourButtons;
    FontChooser m_chooseFont;
};

} // namespace kapstat::browse
