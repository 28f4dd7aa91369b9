#include "config/quantitypages.h"

#include "config/configurationmodel.h"
#include "config/modelbinding.h"
#include "config/selectiongroupbox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kapstat::config::quantitypages {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::config::QuantityPages", text);
}

// Rows of one quantity for the phases L1, L2, L3: their entries follow each other by four.
QList<SelectionRow> perPhase(const QList<SelectionRow>& firstPhase, int phase)
{
    QList<SelectionRow> rows;
    for (const SelectionRow& row : firstPhase)
        rows.append({row.caption + QString::number(phase), row.entry + 4 * (phase - 1)});
    return rows;
}

// Groups in columns, each column filled from the top.
QWidget* page(const QList<QList<QWidget*>>& columns)
{
    auto* widget = new QWidget;
    auto* layout = new QHBoxLayout(widget);
    for (const QList<QWidget*>& column : columns) {
        auto* stack = new QVBoxLayout;
        for (QWidget* group : column)
            stack->addWidget(group);
        stack->addStretch();
        layout->addLayout(stack);
    }
    layout->addStretch();
    return widget;
}

QWidget* peakPowerPeriod(ConfigurationModel& model, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* list = new QComboBox(row);
    list->setObjectName(QStringLiteral("peakPowerPeriod"));
    for (int i = 0; i < PeakPowerPeriodCount; ++i)
        list->addItem(QString::number(peakPowerMinutes(i)));
    binding::bindChoice(
        list, model, [](const RecorderConfiguration& c) { return c.peakPowerPeriod; },
        [&model](int index) { model.setPeakPowerPeriod(index); });
    layout->addWidget(new QLabel(tr("okres uśredniania:"), row));
    layout->addWidget(list);
    layout->addWidget(new QLabel(tr("min"), row));
    layout->addStretch();
    return row;
}

QWidget* thdBase(ConfigurationModel& model)
{
    auto* box = new QGroupBox(tr("Podstawa THD i harmonicznych"));
    box->setObjectName(QStringLiteral("thdBase"));
    auto* layout = new QHBoxLayout(box);
    auto* buttons = new QButtonGroup(box);
    for (const auto& [caption, base] :
         {std::pair{tr("RMS"), ThdBase::Rms}, std::pair{tr("H1"), ThdBase::H1}}) {
        auto* button = new QRadioButton(caption, box);
        buttons->addButton(button, static_cast<int>(base));
        layout->addWidget(button);
    }
    auto show = [buttons, &model] {
        buttons->button(static_cast<int>(model.configuration().thdBase))->setChecked(true);
    };
    show();
    QObject::connect(buttons, &QButtonGroup::idClicked, box,
                     [&model](int id) { model.setThdBase(static_cast<ThdBase>(id)); });
    QObject::connect(&model, &ConfigurationModel::configurationChanged, box, show);
    binding::followNormLock(box, model);
    return box;
}

} // namespace

QWidget* summary(SelectionIndicators& indicators, ConfigurationModel& model)
{
    auto* totals = new SelectionGroupBox(tr("Pomiary sumaryczne 3-fazowe"), indicators);
    totals->addRowBlock({{tr("U"), 1},
                         {tr("I"), 5},
                         {tr("PF"), 9},
                         {tr("P"), 13},
                         {tr("Q"), 17},
                         {tr("S"), 21},
                         {tr("tg"), 162},
                         {tr("DF"), 166},
                         {tr("D"), 170}});
    auto* energies = new SelectionGroupBox(tr("Energie"), indicators);
    energies->addEntries(
        {{tr("Ep+"), 41}, {tr("Ep-"), 42}, {tr("Eq+"), 43}, {tr("Eq-"), 44}, {tr("Es"), 45}});
    auto* peaks = new SelectionGroupBox(tr("Wartości szczytowe mocy średnich"), indicators);
    peaks->addEntries({{tr("Pav"), 46}, {tr("Qav"), 47}, {tr("Sav"), 48}});
    peaks->addBelow(peakPowerPeriod(model, peaks));
    auto* frequency = new SelectionGroupBox(tr("Częstotliwość"), indicators);
    frequency->addRowBlock({{tr("f"), 49}});
    auto* neutral = new SelectionGroupBox(tr("Prąd w przewodzie zerowym"), indicators);
    neutral->addRowBlock({{tr("I0"), 37}});
    return page({{totals, frequency, neutral}, {energies, peaks}});
}

QWidget* phases(SelectionIndicators& indicators)
{
    auto* measurements = new SelectionGroupBox(tr("Pomiary"), indicators);
    const QList<SelectionRow> first{{tr("UL"), 53}};
    const QList<SelectionRow> line{{tr("U12"), 65}, {tr("U23"), 69}, {tr("U31"), 73}};
    measurements->addRowBlock(perPhase(first, 1) + perPhase(first, 2) + perPhase(first, 3));
    measurements->addRowBlock(line);
    const QList<SelectionRow> current{{tr("IL"), 77}};
    measurements->addRowBlock(perPhase(current, 1) + perPhase(current, 2) + perPhase(current, 3));
    auto* events = new SelectionGroupBox(tr("Przerwy i przepięcia faz L1, L2, L3"), indicators);
    events->addEntries({{tr("napięć"), entries::FirstEventRecording}});
    auto* waveforms = new SelectionGroupBox(tr("Kształty przebiegów faz L1, L2, L3"), indicators);
    waveforms->addEntries(
        {{tr("napięć"), entries::VoltageWaveforms}, {tr("prądów"), entries::CurrentWaveforms}});
    auto* phasors = new SelectionGroupBox(tr("Wykresy wskazowe"), indicators);
    phasors->addEntries({{tr("napięć i prądów"), entries::Phasors}});
    return page({{measurements}, {events, waveforms, phasors}});
}

QWidget* powers(SelectionIndicators& indicators)
{
    auto* powers = new SelectionGroupBox(tr("Moce i współczynniki"), indicators);
    const QList<SelectionRow> firstPhase{{tr("PFL"), 89}, {tr("PL"), 101}, {tr("QL"), 113},
                                         {tr("SL"), 125}, {tr("DL"), 174}, {tr("tgL"), 186},
                                         {tr("DFL"), 198}};
    for (int phase = 1; phase <= 3; ++phase)
        powers->addRowBlock(perPhase(firstPhase, phase));
    return page({{powers}});
}

QWidget* harmonics(SelectionIndicators& indicators, ConfigurationModel& model)
{
    auto* harmonics = new SelectionGroupBox(tr("Harmoniczne dla faz L1, L2, L3"), indicators);
    harmonics->addRowBlock({{tr("UH0"), 210},
                            {tr("UH1 [V]"), 214},
                            {tr("UH2 - UH24 [%]"), 218},
                            {tr("IH0"), 222},
                            {tr("IH1 [A]"), 226},
                            {tr("IH2 - IH24 [%]"), 230},
                            {tr("cosH1"), 234},
                            {tr("cosH2 - cosH24"), 238}});
    auto* distortions = new SelectionGroupBox(tr("Zniekształcenia dla faz L1, L2, L3"), indicators);
    distortions->addRowBlock(
        {{tr("THDU"), 137}, {tr("THDI"), 141}, {tr("CFU"), 145}, {tr("CFI"), 149}});
    auto* symmetrical = new SelectionGroupBox(tr("Składowe symetryczne napięcia"), indicators);
    symmetrical->addRowBlock({{tr("U0"), 25}, {tr("U2"), 29}, {tr("U1"), 33}, {tr("U2/U1"), 242}});
    return page({{harmonics, thdBase(model)}, {distortions, symmetrical}});
}

} // namespace kapstat::config::quantitypages
