#include "config/norminlineeditor.h"

#include "common/decimaltext.h"

#include <QKeyEvent>
#include <algorithm>

namespace kapstat::config {

using common::DecimalText;

NormInlineEditor::NormInlineEditor(NormField field, const QString& text, QWidget* parent)
    : QDoubleSpinBox(parent)
{
    setToolTip(tr("Podaj wartość."));
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setDecimals(normedit::editorDecimals(field));
    setRange(traits(field).minimum, traits(field).maximum);
    setValue(DecimalText::parse(text).value_or(traits(field).minimum));
}

QString NormInlineEditor::textFromValue(double value) const
{
    // The decimal is shown only when there is one: 1 reads "1", 1.5 reads "1,5".
    return decimals() == 0 ? DecimalText::fixed(value, 0) : DecimalText::general(value);
}

double NormInlineEditor::valueFromText(const QString& text) const
{
    return DecimalText::parse(text).value_or(minimum());
}

QValidator::State NormInlineEditor::validate(QString& text, int&) const
{
    if (text.isEmpty())
        return QValidator::Intermediate;
    const auto value = DecimalText::parse(text);
    if (!value) {
        // A sign or a comma typed first is on its way to a number.
        const bool started = text == QStringLiteral("-") || text.endsWith(QLatin1Char(','));
        return started && decimals() > 0 ? QValidator::Intermediate : QValidator::Invalid;
    }
    const int comma = static_cast<int>(text.indexOf(QLatin1Char(',')));
    if (comma >= 0 && text.size() - comma - 1 > decimals())
        return QValidator::Invalid;
    return *value >= minimum() && *value <= maximum() ? QValidator::Acceptable
                                                      : QValidator::Intermediate;
}

void NormInlineEditor::fixup(QString& text) const
{
    if (const auto value = DecimalText::parse(text))
        text = textFromValue(std::clamp(*value, minimum(), maximum()));
}

void NormInlineEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        interpretText();
        Q_EMIT committed(value());
        return;
    case Qt::Key_Escape:
        Q_EMIT cancelled();
        return;
    default:
        QDoubleSpinBox::keyPressEvent(event);
    }
}

void NormInlineEditor::focusOutEvent(QFocusEvent* event)
{
    QDoubleSpinBox::focusOutEvent(event);
    Q_EMIT left();
}

} // namespace kapstat::config
