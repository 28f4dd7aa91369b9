#include "config/selectionindicators.h"

#include "config/configurationmodel.h"
#include "config/selectionindicator.h"
#include "link/prompter.h"

namespace kapstat::config {

namespace {
constexpr int UntilClosed = -1;
}

SelectionIndicators::SelectionIndicators(ConfigurationModel& model, link::Prompter& prompter,
                                         QObject* parent)
    : QObject(parent), m_model(model), m_prompter(prompter)
{
    connect(&m_model, &ConfigurationModel::indicatorsChanged, this, &SelectionIndicators::refresh);
    connect(&m_model, &ConfigurationModel::configurationChanged, this,
            &SelectionIndicators::refresh);
}

SelectionIndicator* SelectionIndicators::create(int entry, const QString& caption, QWidget* parent)
{
    auto* indicator = new SelectionIndicator(caption, parent);
    m_indicators.insert(entry, indicator);
    connect(indicator, &SelectionIndicator::clicked, this, [this, entry] { click(entry); });
    showState(entry, indicator);
    return indicator;
}

void SelectionIndicators::click(int entry)
{
    if (const auto refusal = m_model.clickIndicator(entry))
        m_prompter.ask(*refusal, UntilClosed, 0);
}

void SelectionIndicators::refresh()
{
    for (auto it = m_indicators.cbegin(); it != m_indicators.cend(); ++it)
        showState(it.key(), it.value());
}

void SelectionIndicators::showState(int entry, SelectionIndicator* indicator) const
{
    indicator->setLit(m_model.isLit(entry));
    indicator->setColour(m_model.colour(entry));
    indicator->setEnabled(m_model.isEnabled(entry));
}

} // namespace kapstat::config
