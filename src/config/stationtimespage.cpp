#include "config/stationtimespage.h"

#include "config/selectionindicator.h"
#include "config/stationedit.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace kapstat::config {

namespace {

constexpr int DateWidth = 115;

enum Column
{
    NameColumn,
    StartColumn,
    EndColumn,
    ChangeStationColumn,
    ConditionValidColumn
};

bool flagOf(const StationSettings& station, StationFlag flag)
{
    switch (flag) {
    case StationFlag::StartEnabled:
        return station.startEnabled;
    case StationFlag::EndEnabled:
        return station.endEnabled;
    case StationFlag::ChangeStation:
        return station.changeStation;
    case StationFlag::ConditionValid:
        break;
    }
    return station.conditionValid;
}

} // namespace

StationTimesPage::StationTimesPage(ConfigurationModel& model, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->addWidget(new QLabel(tr("Czas rozpoczęcia rejestracji:"), this), 0, StartColumn);
    grid->addWidget(new QLabel(tr("Czas zakończenia rejestracji:"), this), 0, EndColumn);
    grid->addWidget(new QLabel(tr("zmień stację"), this), 0, ChangeStationColumn);
    grid->addWidget(new QLabel(tr("warunek ważny"), this), 0, ConditionValidColumn);
    for (int station = 0; station < StationCount; ++station)
        addStation(grid, station);
    grid->setColumnStretch(ConditionValidColumn + 1, 1);
    layout->addLayout(grid);
    layout->addStretch();
}

void StationTimesPage::addStation(QGridLayout* grid, int station)
{
    const int row = station + 1;
    grid->addWidget(new QLabel(tr("Stacja %1").arg(station + 1), this), row, NameColumn);
    grid->addWidget(moment(station, true), row, StartColumn);
    grid->addWidget(moment(station, false), row, EndColumn);
    grid->addWidget(flag(station, StationFlag::ChangeStation, QStringLiteral("changeStation")), row,
                    ChangeStationColumn, Qt::AlignHCenter);
    grid->addWidget(flag(station, StationFlag::ConditionValid, QStringLiteral("conditionValid")),
                    row, ConditionValidColumn, Qt::AlignHCenter);
}

QWidget* StationTimesPage::flag(int station, StationFlag flag, const QString& name)
{
    auto* indicator = new SelectionIndicator({}, this);
    indicator->setObjectName(name + QString::number(station + 1));
    indicator->setColour(IndicatorColour::Yellow);
    auto show = [this, indicator, station, flag] {
        indicator->setLit(flagOf(m_model.configuration().stations[station], flag));
    };
    show();
    connect(&m_model, &ConfigurationModel::configurationChanged, indicator, show);
    connect(indicator, &SelectionIndicator::clicked, this,
            [this, station, flag] { m_model.toggleStationFlag(station, flag); });
    return indicator;
}

// The switch, the date and the time of the programmed start or end.
QWidget* StationTimesPage::moment(int station, bool isStart)
{
    auto* area = new QWidget(this);
    auto* layout = new QHBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString suffix = QString::number(station + 1);
    layout->addWidget(isStart ? flag(station, StationFlag::StartEnabled, QStringLiteral("start"))
                              : flag(station, StationFlag::EndEnabled, QStringLiteral("end")));
    auto* date = new QDateEdit(area);
    date->setObjectName((isStart ? QStringLiteral("startDate") : QStringLiteral("endDate")) +
                        suffix);
    date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    date->setCalendarPopup(true);
    date->setMinimumWidth(DateWidth);
    auto* time = new QTimeEdit(area);
    time->setObjectName((isStart ? QStringLiteral("startTime") : QStringLiteral("endTime")) +
                        suffix);
    time->setDisplayFormat(QStringLiteral("hh:mm:ss"));
    auto momentOf = [isStart](StationSettings& s) -> QDateTime& {
        return isStart ? s.start : s.end;
    };
    auto show = [this, date, time, station, momentOf] {
        StationSettings settings = m_model.configuration().stations[station];
        const QDateTime shown = momentOf(settings);
        const QSignalBlocker quietDate(date);
        const QSignalBlocker quietTime(time);
        date->setDate(shown.date());
        time->setTime(shown.time());
    };
    show();
    connect(&m_model, &ConfigurationModel::configurationChanged, area, show);
    auto edit = [this, date, time, station, momentOf] {
        editStation(m_model, station, [&](StationSettings& s) {
            momentOf(s) = QDateTime(date->date(), time->time());
        });
    };
    connect(date, &QDateEdit::dateChanged, area, edit);
    connect(time, &QTimeEdit::timeChanged, area, edit);
    layout->addWidget(date);
    layout->addWidget(time);
    return area;
}

} // namespace kapstat::config
