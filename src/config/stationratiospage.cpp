#include "config/stationratiospage.h"

#include "common/decimaltext.h"
#include "config/ctsecondaryfield.h"
#include "config/modelbinding.h"
#include "config/stationedit.h"
#include "config/stationnumberfield.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

namespace kapstat::config {

namespace {

constexpr int HeaderRows = 3; // group captions, column captions, copy buttons
constexpr int FieldWidth = 90;

enum Column
{
    StationColumnNumber,
    UnColumn,
    VtPrimaryColumn,
    VtSecondaryColumn,
    CtPrimaryColumn,
    CtSecondaryColumn
};

// A number field showing one value of a station and changing it as the user types. The model's
// value is shown only when it differs, so typing is not disturbed.
template <typename Field, typename Value>
void bindStationValue(Field* field, ConfigurationModel& model, int station,
                      Value StationSettings::*member)
{
    auto show = [field, &model, station, member] {
        const Value shown = model.configuration().stations[station].*member;
        if (field->value() != shown) {
            const QSignalBlocker quiet(field);
            field->setValue(shown);
        }
    };
    show();
    QObject::connect(&model, &ConfigurationModel::configurationChanged, field, show);
    QObject::connect(field, &Field::valueChanged, field, [&model, station, member](Value value) {
        editStation(model, station, [&](StationSettings& s) { s.*member = value; });
    });
}

} // namespace

StationRatiosPage::StationRatiosPage(ConfigurationModel& model, link::Prompter& prompter,
                                     QWidget* parent)
    : QWidget(parent), m_model(model)
{
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    addHeaders(grid);
    for (int station = 0; station < StationCount; ++station)
        addStation(grid, station, prompter);
    grid->setColumnStretch(CtSecondaryColumn + 1, 1);
    layout->addLayout(grid);
    layout->addStretch();
}

void StationRatiosPage::addHeaders(QGridLayout* grid)
{
    grid->addWidget(new QLabel(tr("Napięcie znamionowe Un"), this), 0, UnColumn);
    grid->addWidget(new QLabel(tr("Przekładniki napięciowe"), this), 0, VtPrimaryColumn, 1, 2);
    grid->addWidget(new QLabel(tr("Przekładniki prądowe"), this), 0, CtPrimaryColumn, 1, 2);
    const QString captions[] = {tr("[V]:"), tr("pierwotna [V]:"), tr("wtórna [V]:"),
                                tr("pierwotna [A]:"), tr("wtórna [V]:")};
    const StationColumn copied[] = {StationColumn::Un, StationColumn::VtPrimary,
                                    StationColumn::VtSecondary, StationColumn::CtPrimary,
                                    StationColumn::CtSecondary};
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(new QLabel(captions[i], this), 1, UnColumn + i);
        auto* copy = new QPushButton(QStringLiteral("↓"), this);
        copy->setObjectName(QStringLiteral("copyColumn%1").arg(i));
        copy->setToolTip(tr("Skopiuj wartość stacji 1 do stacji 2-8"));
        copy->setFixedSize(28, 20);
        copy->setAutoDefault(false);
        connect(copy, &QPushButton::clicked, this,
                [this, column = copied[i]] { m_model.copyStation1(column); });
        grid->addWidget(copy, 2, UnColumn + i, Qt::AlignLeft);
    }
}

void StationRatiosPage::addStation(QGridLayout* grid, int station, link::Prompter& prompter)
{
    const int row = HeaderRows + station;
    const QString suffix = QString::number(station + 1);
    grid->addWidget(new QLabel(tr("Stacja %1").arg(station + 1), this), row, StationColumnNumber);

    auto* un = new StationNumberField(this);
    un->setObjectName(QStringLiteral("un") + suffix);
    bindStationValue(un, m_model, station, &StationSettings::un);
    auto* vtPrimary = new StationNumberField(this);
    vtPrimary->setObjectName(QStringLiteral("vtPrimary") + suffix);
    bindStationValue(vtPrimary, m_model, station, &StationSettings::vtPrimary);

    auto* vtSecondary = new QComboBox(this);
    vtSecondary->setObjectName(QStringLiteral("vtSecondary") + suffix);
    for (int i = 0; i < VtSecondaryChoiceCount; ++i)
        vtSecondary->addItem(common::DecimalText::general(vtSecondaryVolts(i)));
    binding::bindChoice(
        vtSecondary, m_model,
        [station](const RecorderConfiguration& c) { return c.stations[station].vtSecondary; },
        [this, station](int index) {
            editStation(m_model, station, [index](StationSettings& s) { s.vtSecondary = index; });
        });

    auto* ctPrimary = new QSpinBox(this);
    ctPrimary->setObjectName(QStringLiteral("ctPrimary") + suffix);
    ctPrimary->setRange(0, std::numeric_limits<int>::max());
    ctPrimary->setButtonSymbols(QAbstractSpinBox::NoButtons);
    bindStationValue(ctPrimary, m_model, station, &StationSettings::ctPrimary);

    auto* ctSecondary = new CtSecondaryField(prompter, this);
    ctSecondary->setObjectName(QStringLiteral("ctSecondary") + suffix);
    binding::bindText(
        ctSecondary, m_model,
        [station](const RecorderConfiguration& c) { return c.stations[station].ctSecondary; },
        [](const QString&) {}); // stored only once the field is left with a valid value
    connect(ctSecondary, &CtSecondaryField::accepted, this, [this, station](const QString& text) {
        editStation(m_model, station, [&text](StationSettings& s) { s.ctSecondary = text; });
    });

    const QList<QWidget*> fields{un, vtPrimary, vtSecondary, ctPrimary, ctSecondary};
    for (int i = 0; i < fields.size(); ++i) {
        fields[i]->setFixedWidth(FieldWidth);
        grid->addWidget(fields[i], row, UnColumn + i);
    }
}

} // namespace kapstat::config
