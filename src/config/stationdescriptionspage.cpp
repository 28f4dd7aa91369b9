#include "config/stationdescriptionspage.h"

#include "config/modelbinding.h"
#include "config/stationedit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kapstat::config {

namespace {
constexpr int DescriptionWidth = 420;
}

StationDescriptionsPage::StationDescriptionsPage(ConfigurationModel& model, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Opis stacji:"), this), 0, 1);
    grid->addWidget(new QLabel(tr("(maks. długość 60 znaków)"), this), 0, 2);
    for (int station = 0; station < StationCount; ++station) {
        grid->addWidget(new QLabel(tr("Stacja %1").arg(station + 1), this), station + 1, 0);
        // No length limit here: the recorder's image cuts the text, a settings file keeps it.
        auto* description = new QLineEdit(this);
        description->setObjectName(QStringLiteral("description%1").arg(station + 1));
        description->setFixedWidth(DescriptionWidth);
        binding::bindText(
            description, model,
            [station](const RecorderConfiguration& c) { return c.stations[station].description; },
            [&model, station](const QString& text) {
                editStation(model, station, [&text](StationSettings& s) { s.description = text; });
            });
        grid->addWidget(description, station + 1, 1, 1, 2);
    }
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);

    auto* keep = new QCheckBox(tr("podczas odbioru danych pomiarowych użyj poniższych opisów "
                                  "zamiast opisów odebranych z rejestratora"),
                               this);
    keep->setObjectName(QStringLiteral("keepLocalDescriptions"));
    auto show = [keep, &model] { keep->setChecked(model.configuration().keepLocalDescriptions); };
    show();
    connect(&model, &ConfigurationModel::configurationChanged, keep, show);
    connect(keep, &QCheckBox::clicked, &model, &ConfigurationModel::setKeepLocalDescriptions);
    layout->insertWidget(0, keep);
    layout->addStretch();
}

} // namespace kapstat::config
