#pragma once

#include "config/normparameters.h"

#include <QDoubleSpinBox>

namespace kapstat::config {

// The number editor a double click opens over a norm label: the field's range as limits, one
// optional decimal for the fields stepped by tenths, none for the others.
class NormInlineEditor : public QDoubleSpinBox
{
    Q_OBJECT

public:
    NormInlineEditor(NormField field, const QString& text, QWidget* parent = nullptr);

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& position) const override;
    // A value beyond the range becomes the nearest bound.
    void fixup(QString& text) const override;

Q_SIGNALS:
    void committed(double value); // Enter
    void cancelled();             // Esc
    void left();                  // the focus went elsewhere

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace kapstat::config
