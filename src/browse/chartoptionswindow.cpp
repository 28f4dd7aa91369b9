#include "browse/chartoptionswindow.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace kapstat::browse {

namespace {

void paintSwatch(QPushButton* button, const QColor& colour)
{
    button->setStyleSheet(QStringLiteral("background: %1").arg(colour.name()));
}

} // namespace

ChartOptionsWindow::ChartOptionsWindow(QWidget* parent)
    : QDialog(parent), m_title(new QLineEdit(this)), m_xTitle(new QLineEdit(this)),
      m_yTitle(new QLineEdit(this)), m_xVisible(new QCheckBox(tr("oznaczenia:"), this)),
      m_yVisible(new QCheckBox(tr("oznaczenia:"), this)),
      m_vertical(new QCheckBox(tr("oznaczenia pionowo"), this)),
      m_legendVisible(new QCheckBox(this)), m_points(new QSpinBox(this))
{
    setWindowTitle(tr("Opcje wykresu"));
    m_chooseFont = [](QWidget* parent, const QFont& font) -> std::optional<QFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, parent);
        return ok ? std::optional<QFont>(chosen) : std::nullopt;
    };
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(new QLabel(tr("Tytuł wykresu:"), this), row, 0);
    grid->addWidget(m_title, row, 1);
    grid->addWidget(fontButton(m_working.titleFont), row++, 2);
    grid->addWidget(new QLabel(tr("Oś X:"), this), row, 0);
    grid->addWidget(m_xTitle, row, 1);
    grid->addWidget(fontButton(m_working.xTitleFont), row++, 2);
    grid->addWidget(m_xVisible, row, 1);
    grid->addWidget(fontButton(m_working.xLabelFont), row++, 2);
    grid->addWidget(m_vertical, row++, 1);
    grid->addWidget(new QLabel(tr("Oś Y:"), this), row, 0);
    grid->addWidget(m_yTitle, row, 1);
    grid->addWidget(fontButton(m_working.yTitleFont), row++, 2);
    grid->addWidget(m_yVisible, row, 1);
    grid->addWidget(fontButton(m_working.yLabelFont), row++, 2);
    grid->addWidget(new QLabel(tr("Tło:"), this), row, 0);
    grid->addWidget(colourButton(m_working.background), row++, 1);
    grid->addWidget(new QLabel(tr("Margines:"), this), row, 0);
    grid->addWidget(colourButton(m_working.margin), row++, 1);
    grid->addWidget(new QLabel(tr("Legenda:"), this), row, 0);
    auto* legend = new QHBoxLayout;
    legend->addWidget(m_legendVisible);
    legend->addWidget(colourButton(m_working.legendColour));
    grid->addLayout(legend, row, 1);
    grid->addWidget(fontButton(m_working.legendFont), row++, 2);
    const QStringList styles{tr("Ciągła"), QStringLiteral("- - - - -"), QStringLiteral("........."),
                             QStringLiteral("-.-.-.-.-"), QStringLiteral("--.--.--.")};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(tr("Przebieg:") + QStringLiteral(" %1").arg(i + 1), this), row,
                        0);
        m_styles[i] = new QComboBox(this);
        m_styles[i]->addItems(styles);
        grid->addWidget(m_styles[i], row, 1);
        grid->addWidget(colourButton(m_working.seriesColours[i]), row++, 2);
    }
    m_points->setRange(10, 400000);
    grid->addWidget(new QLabel(tr("Maksymalna ilosć punktów na stronie wykresu:"), this), row, 0, 1,
                    2);
    grid->addWidget(m_points, row++, 2);
    auto* margins = new QHBoxLayout;
    margins->addWidget(new QLabel(tr("Marginesy wydruku [%]:"), this));
    const QString marginNames[] = {tr("lewy:"), tr("prawy:"), tr("górny:"), tr("dolny:")};
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = new QSpinBox(this);
        m_margins[i]->setRange(0, 100);
        margins->addWidget(new QLabel(marginNames[i], this));
        margins->addWidget(m_margins[i]);
    }
    grid->addLayout(margins, row++, 0, 1, 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Anuluj"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

QPushButton* ChartOptionsWindow::fontButton(ChartFont& font)
{
    auto* button = new QPushButton(tr("Czcionka..."), this);
    m_fontButtons << button;
    // Each button edits its working copy; a cancelled dialog leaves it as it was.
    connect(button, &QPushButton::clicked, this, [this, &font] {
        if (const auto chosen = m_chooseFont(this, font.font))
            font.font = *chosen;
    });
    return button;
}

QPushButton* ChartOptionsWindow::colourButton(QColor& colour)
{
    auto* button = new QPushButton(this);
    button->setFixedWidth(48);
    m_colourButtons.append({button, &colour});
    connect(button, &QPushButton::clicked, this, [this, button, &colour] {
        const QColor chosen = QColorDialog::getColor(colour, this);
        if (chosen.isValid()) {
            colour = chosen;
            paintSwatch(button, colour);
        }
    });
    return button;
}

void ChartOptionsWindow::load(const ChartSettings& settings)
{
    m_working = settings;
    m_title->setText(settings.title);
    m_xTitle->setText(settings.xTitle);
    m_yTitle->setText(settings.yTitle);
    m_xVisible->setChecked(settings.xVisible);
    m_yVisible->setChecked(settings.yVisible);
    m_vertical->setChecked(settings.xLabelAngle == 90);
    m_legendVisible->setChecked(settings.legendVisible);
    for (int i = 0; i < 4; ++i) {
        m_styles[i]->setCurrentIndex(settings.lineStyles[i]);
        m_margins[i]->setValue(settings.printMargins[i]);
    }
    m_points->setValue(settings.pointsPerPage);
    for (const auto& [button, colour] : m_colourButtons)
        paintSwatch(button, *colour);
}

ChartSettings ChartOptionsWindow::collected() const
{
    ChartSettings settings = m_working;
    settings.title = m_title->text();
    settings.xTitle = m_xTitle->text();
    settings.yTitle = m_yTitle->text();
    settings.xVisible = m_xVisible->isChecked();
    settings.yVisible = m_yVisible->isChecked();
    settings.xLabelAngle = m_vertical->isChecked() ? 90 : 0;
    settings.legendVisible = m_legendVisible->isChecked();
    for (int i = 0; i < 4; ++i) {
        settings.lineStyles[i] = m_styles[i]->currentIndex();
        settings.printMargins[i] = m_margins[i]->value();
    }
    settings.pointsPerPage = m_points->value();
    return settings;
}

std::optional<ChartSettings> ChartOptionsWindow::edit(const ChartSettings& settings)
{
    load(settings);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return collected();
}

} // namespace kapstat::browse
