#include "config/setuppage.h"

#include "config/conditionquantities.h"
#include "config/configurationmodel.h"
#include "config/modelbinding.h"
#include "config/selectionindicator.h"
#include "config/selectionindicators.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kapstat::config {

namespace {
constexpr int BoundWidth = 70;
}

SetupPage::SetupPage(ConfigurationModel& model, SelectionIndicators& indicators, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    auto* layout = new QVBoxLayout(this);
    auto* normMode = indicators.create(
        entries::NormMode, tr("ustaw pomiary pod kątem badania zgodności z normą"), this);
    normMode->setObjectName(QStringLiteral("normMode"));
    layout->addWidget(normMode);
    layout->addSpacing(8);
    layout->addWidget(storageGroup());
    layout->addStretch();
}

QWidget* SetupPage::storageGroup()
{
    auto* box = new QGroupBox(tr("Okres zapamiętywania pomiarów "), this);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(new QLabel(tr("Jeżeli warunek:"), box));
    auto* conditionsArea = new QWidget(box);
    auto* grid = new QGridLayout(conditionsArea);
    grid->setContentsMargins(16, 0, 0, 0);
    for (int i = 0; i < ConditionCount; ++i)
        addCondition(grid, i);
    grid->setColumnStretch(5, 1);
    layout->addWidget(conditionsArea);
    layout->addWidget(periodRow(
        tr("jest spełniony lub wyłączony to zapamiętuj pomiary co "),
        QStringLiteral("storagePeriod"),
        [](const RecorderConfiguration& c) { return c.storagePeriod; },
        [this](int minutes) { m_model.setStoragePeriod(minutes); }));
    layout->addWidget(periodRow(
        tr("w przeciwnym wypadku zapamiętuj pomiary co "), QStringLiteral("alternatePeriod"),
        [](const RecorderConfiguration& c) { return c.alternatePeriod; },
        [this](int minutes) { m_model.setAlternatePeriod(minutes); }));
    layout->addWidget(
        new QLabel(tr("* 0 minut oznacza zapamiętywanie co najmniej co 1 sekundę"), box));
    return box;
}

// lower <= quantity <= upper, the rows joined by "i".
void SetupPage::addCondition(QGridLayout* grid, int index)
{
    QWidget* area = grid->parentWidget();
    const int row = 2 * index;
    auto edit = [this, index](auto change) {
        StorageCondition condition = m_model.configuration().conditions[index];
        change(condition);
        m_model.setCondition(index, condition);
    };
    // A bound of the condition as typed.
    auto bound = [this, area, index, edit](const QString& name, QString StorageCondition::*member) {
        auto* field = new QLineEdit(area);
        field->setObjectName(name + QString::number(index + 1));
        field->setFixedWidth(BoundWidth);
        binding::bindText(
            field, m_model,
            [index, member](const RecorderConfiguration& c) { return c.conditions[index].*member; },
            [edit, member](const QString& text) {
                edit([&](StorageCondition& c) { c.*member = text; });
            });
        return field;
    };
    auto* lower = bound(QStringLiteral("conditionLower"), &StorageCondition::lower);
    auto* quantity = new QComboBox(area);
    quantity->setObjectName(QStringLiteral("conditionQuantity%1").arg(index + 1));
    for (int entry = 0; entry < conditions::Count; ++entry)
        quantity->addItem(conditions::name(entry));
    quantity->setMaxVisibleItems(20);
    binding::bindChoice(
        quantity, m_model,
        [index](const RecorderConfiguration& c) { return c.conditions[index].quantity; },
        [edit](int entry) { edit([entry](StorageCondition& c) { c.quantity = entry; }); });
    auto* upper = bound(QStringLiteral("conditionUpper"), &StorageCondition::upper);
    for (QWidget* control : {static_cast<QWidget*>(lower), static_cast<QWidget*>(quantity),
                             static_cast<QWidget*>(upper)})
        binding::followNormLock(control, m_model);
    grid->addWidget(lower, row, 0);
    grid->addWidget(new QLabel(QStringLiteral("<="), area), row, 1);
    grid->addWidget(quantity, row, 2);
    grid->addWidget(new QLabel(QStringLiteral("<="), area), row, 3);
    grid->addWidget(upper, row, 4);
    if (index + 1 < ConditionCount)
        grid->addWidget(new QLabel(tr("i"), area), row + 1, 2, Qt::AlignHCenter);
}

QWidget* SetupPage::periodRow(const QString& caption, const QString& name,
                              std::function<int(const RecorderConfiguration&)> period,
                              std::function<void(int)> choose)
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* list = new QComboBox(row);
    list->setObjectName(name);
    // The list position is the number of minutes.
    for (int minutes = 0; minutes <= MaxPeriodMinutes; ++minutes)
        list->addItem(QString::number(minutes));
    list->setMaxVisibleItems(20);
    binding::bindChoice(list, m_model, std::move(period), std::move(choose));
    binding::followNormLock(list, m_model);
    layout->addWidget(new QLabel(caption, row));
    layout->addWidget(list);
    layout->addWidget(new QLabel(tr("minut*"), row));
    layout->addStretch();
    return row;
}

} // namespace kapstat::config
