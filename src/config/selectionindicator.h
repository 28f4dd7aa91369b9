#pragma once

#include "config/configurationmodel.h"

#include <QAbstractButton>

namespace kapstat::config {

// A round lamp: lit or dark, green, yellow or red, greyed when disabled. It only shows the state
// it is given; a click is reported and the owner decides what it changes.
class SelectionIndicator : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SelectionIndicator(const QString& caption = {}, QWidget* parent = nullptr);

    void setLit(bool lit);
    bool isLit() const { return m_lit; }
    void setColour(IndicatorColour colour);
    IndicatorColour colour() const { return m_colour; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill() const;

    bool m_lit = false;
    IndicatorColour m_colour = IndicatorColour::Green;
};

} // namespace kapstat::config
