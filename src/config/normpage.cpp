#include "config/normpage.h"

#include "config/configurationmodel.h"
#include "config/normparameterlabel.h"
#include "link/prompter.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kapstat::config {

namespace {

using F = NormField;

constexpr int HarmonicColumns = 4;

} // namespace

NormPage::NormPage(ConfigurationModel& model, link::Prompter& prompter, QWidget* parent)
    : QTabWidget(parent), m_model(model), m_prompter(prompter)
{
    addTab(frequencyAndVoltage(), tr("Częstotliwość, napięcie"));
    addTab(harmonics(), tr("Harmoniczne"));
    addTab(dipsAndInterruptions(), tr("Zapady i przerwy"));
    addTab(overvoltages(), tr("Przepięcia"));
    addTab(standard(), tr("PN-EN 50160"));
    showMirrors();
    connect(&m_model, &ConfigurationModel::mirrorsChanged, this, &NormPage::showMirrors);
}

QWidget* NormPage::line(const QList<Piece>& pieces)
{
    auto* widget = new QWidget;
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (const Piece& piece : pieces) {
        if (const auto* text = std::get_if<QString>(&piece)) {
            layout->addWidget(new QLabel(*text, widget));
        } else if (const auto* field = std::get_if<NormField>(&piece)) {
            auto* label = new NormParameterLabel(*field, m_model, widget);
            m_labels.insert(*field, label);
            layout->addWidget(label);
        } else {
            auto* mirror = new QLabel(widget);
            mirror->setStyleSheet(QStringLiteral("font-weight: bold;"));
            m_mirrors.insert(std::get<Mirror>(piece), mirror);
            layout->addWidget(mirror);
        }
    }
    layout->addStretch();
    return widget;
}

QWidget* NormPage::group(const QString& title, const QList<QWidget*>& lines)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    for (QWidget* each : lines)
        layout->addWidget(each);
    return box;
}

QWidget* NormPage::subPage(const QList<QWidget*>& groups)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (QWidget* each : groups)
        layout->addWidget(each);
    layout->addStretch();
    return page;
}

QWidget* NormPage::frequencyAndVoltage()
{
    const QString percentOfWeek = tr("% tygodnia;");
    return subPage(
        {group(tr("Częstotliwość"),
               {line({tr("częstotliwość w przedziale 50 Hz -"), F::FreqNarrowMinus, tr("% / +"),
                      F::FreqNarrowPlus, tr("% przez"), F::FreqNarrowShare, percentOfWeek}),
                line({tr("częstotliwość w przedziale 50 Hz -"), F::FreqWideMinus, tr("% / +"),
                      F::FreqWidePlus, tr("% przez"), F::FreqWideShare, percentOfWeek})}),
         group(tr("Napięcie"), {line({tr("wartość skuteczna napięcia w przedziale Un -"),
                                      F::VoltageMinus, tr("% / +"), F::VoltagePlus, tr("% przez"),
                                      F::VoltageShare, percentOfWeek})}),
         group(tr("Asymetria napięcia"),
               {line({tr("składowa przeciwna U2 nie większa niż"), F::UnbalanceLimit,
                      tr("% składowej zgodnej U1 przez"), F::UnbalanceShare, percentOfWeek})})});
}

QWidget* NormPage::harmonics()
{
    auto* limits = new QGroupBox(tr("Dopuszczalne wartości harmonicznych napięcia [% UH1]"));
    auto* grid = new QGridLayout(limits);
    // The odd orders in rows, the even ones on a row of their own.
    const QList<std::pair<QString, NormField>> odd{
        {tr("H3"), F::Harmonic3},   {tr("H5"), F::Harmonic5},   {tr("H7"), F::Harmonic7},
        {tr("H9"), F::Harmonic9},   {tr("H11"), F::Harmonic11}, {tr("H13"), F::Harmonic13},
        {tr("H15"), F::Harmonic15}, {tr("H17"), F::Harmonic17}, {tr("H19"), F::Harmonic19},
        {tr("H21"), F::Harmonic21}, {tr("H23"), F::Harmonic23}};
    const QList<std::pair<QString, NormField>> even{
        {tr("H2"), F::Harmonic2}, {tr("H4"), F::Harmonic4}, {tr("H6 - H24"), F::HarmonicEven}};
    for (int i = 0; i < odd.size(); ++i)
        grid->addWidget(line({odd[i].first, odd[i].second, tr("%")}), i / HarmonicColumns,
                        i % HarmonicColumns);
    const int evenRow = static_cast<int>(odd.size() + HarmonicColumns - 1) / HarmonicColumns;
    for (int i = 0; i < even.size(); ++i)
        grid->addWidget(line({even[i].first, even[i].second, tr("%")}), evenRow, i);
    return subPage(
        {group(tr("Harmoniczne"),
               {line({tr("każda harmoniczna napięcia nie większa niż jej wartość dopuszczalna "
                         "przez"),
                      F::HarmonicShare, tr("% tygodnia;")}),
                line({tr("współczynnik THD napięcia nie większy niż"), F::ThdLimit, tr("%")})}),
         limits});
}

QWidget* NormPage::dipsAndInterruptions()
{
    return subPage(
        {group(tr("Zapady"), {line({tr("zapad: napięcie od"), Mirror::DipUpper, tr("% do"),
                                    Mirror::DipLower, tr("% Un")})}),
         group(tr("Przerwy w zasilaniu"),
               {line({tr("przerwa: napięcie poniżej"), F::InterruptionThreshold, tr("% Un")}),
                line({tr("przerwy krótkie: trwające do"), F::LongInterruption, tr("s")}),
                line({tr("przerwy długie: trwające dłużej niż"), Mirror::LongInterruption,
                      tr("s")})})});
}

QWidget* NormPage::overvoltages()
{
    return subPage({group(
        tr("Przepięcia"),
        {line({tr("przepięcie: napięcie powyżej Un +"), Mirror::OvervoltageTolerance, tr("%")}),
         line({tr("rejestrator zapisuje zdarzenie przepięcia, gdy napięcie przekroczy"),
               F::OvervoltageThreshold, tr("% Un")})})});
}

QWidget* NormPage::standard()
{
    auto* note = new QLabel(tr("Czas uśedniania przy pomiarach wartości skutecznych, symetrycznych "
                               "składowych i harmonicznych napięcia jest równy okresowi "
                               "zapamiętywania pomiarów ustawionemu na stronie SET-UP."));
    note->setWordWrap(true);
    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    for (const QString& caption : {tr("dla niskiego napięcia"), tr("dla średniego napięcia")}) {
        auto* button = new QPushButton(caption, buttons);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, &NormPage::resetDefaults);
        row->addWidget(button);
    }
    row->addStretch();
    return subPage({note, group(tr("Przywróć parametry normy PN-EN 50160"), {buttons})});
}

void NormPage::showMirrors()
{
    const NormMirrors& values = m_model.mirrors();
    m_mirrors[Mirror::OvervoltageTolerance]->setText(values.overvoltageTolerance);
    m_mirrors[Mirror::DipUpper]->setText(values.dipUpper);
    m_mirrors[Mirror::DipLower]->setText(values.dipLower);
    m_mirrors[Mirror::LongInterruption]->setText(values.longInterruption);
}

void NormPage::resetDefaults()
{
    const auto answer = m_prompter.ask(ConfigurationModel::resetNormQuestion(), 0,
                                       link::PromptButton::Yes | link::PromptButton::No);
    if (answer == link::PromptAnswer::Yes)
        m_model.resetNormDefaults();
}

} // namespace kapstat::config
