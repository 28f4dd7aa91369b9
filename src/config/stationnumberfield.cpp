#include "config/stationnumberfield.h"

#include "common/decimaltext.h"

#include <algorithm>
#include <cmath>

namespace kapstat::config {

namespace {

using common::DecimalText;

constexpr double Largest = 9999999.9;
const QChar GroupSeparator(0x00A0); // a space that never breaks a number apart

QString withoutGroups(QString text)
{
    return text.remove(GroupSeparator).remove(QLatin1Char(' '));
}

} // namespace

StationNumberField::StationNumberField(QWidget* parent) : QDoubleSpinBox(parent)
{
    setDecimals(1);
    setRange(0, Largest);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
}

QString StationNumberField::textFromValue(double value) const
{
    QString text = DecimalText::general(std::round(value * 10) / 10);
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    for (qsizetype position = (comma < 0 ? text.size() : comma) - 3; position > 0; position -= 3)
        text.insert(position, GroupSeparator);
    return text;
}

double StationNumberField::valueFromText(const QString& text) const
{
    return DecimalText::parse(withoutGroups(text)).value_or(0);
}

QValidator::State StationNumberField::validate(QString& text, int&) const
{
    const QString plain = withoutGroups(text);
    if (plain.isEmpty() || plain.endsWith(QLatin1Char(',')))
        return QValidator::Intermediate;
    const auto value = DecimalText::parse(plain);
    const qsizetype comma = plain.indexOf(QLatin1Char(','));
    if (!value || *value < 0 || (comma >= 0 && plain.size() - comma - 1 > decimals()))
        return QValidator::Invalid;
    return *value <= Largest ? QValidator::Acceptable : QValidator::Intermediate;
}

void StationNumberField::fixup(QString& text) const
{
    if (const auto value = DecimalText::parse(withoutGroups(text)))
        text = textFromValue(std::clamp(*value, minimum(), maximum()));
}

} // namespace kapstat::config
