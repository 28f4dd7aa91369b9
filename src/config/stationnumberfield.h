#pragma once

#include <QDoubleSpinBox>

namespace kapstat::config {

// Un and VT primary: a number with one optional decimal, its thousands grouped ("15 000",
// "230,5").
class StationNumberField : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit StationNumberField(QWidget* parent = nullptr);

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& position) const override;
    // A value beyond the range becomes the nearest bound.
    void fixup(QString& text) const override;
};

} // namespace kapstat::config
