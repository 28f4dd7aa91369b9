#include "config/selectionindicator.h"

#include <QPainter>

namespace kapstat::config {

namespace {

constexpr int Diameter = 14;
constexpr int TextGap = 5;

} // namespace

SelectionIndicator::SelectionIndicator(const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
{
    setText(caption);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SelectionIndicator::setLit(bool lit)
{
    if (m_lit == lit)
        return;
    m_lit = lit;
    update();
}

void SelectionIndicator::setColour(IndicatorColour colour)
{
    if (m_colour == colour)
        return;
    m_colour = colour;
    update();
}

QSize SelectionIndicator::sizeHint() const
{
    const int textWidth = text().isEmpty() ? 0 : TextGap + fontMetrics().horizontalAdvance(text());
    return {Diameter + 2 + textWidth, qMax(Diameter + 2, fontMetrics().height())};
}

QColor SelectionIndicator::fill() const
{
    if (!isEnabled())
        return m_lit ? QColor(0xa0, 0xa0, 0xa0) : QColor(0xd8, 0xd8, 0xd8);
    switch (m_colour) {
    case IndicatorColour::Yellow:
        return m_lit ? QColor(0xff, 0xe0, 0x00) : QColor(0x70, 0x60, 0x00);
    case IndicatorColour::Red:
        return m_lit ? QColor(0xff, 0x20, 0x20) : QColor(0x70, 0x00, 0x00);
    case IndicatorColour::Green:
        break;
    }
    return m_lit ? QColor(0x20, 0xe0, 0x20) : QColor(0x00, 0x50, 0x00);
}

void SelectionIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lamp(1, (height() - Diameter) / 2.0, Diameter, Diameter);
    painter.setPen(QPen(isEnabled() ? QColor(0x30, 0x30, 0x30) : QColor(0xa0, 0xa0, 0xa0), 1));
    painter.setBrush(fill());
    painter.drawEllipse(lamp);
    if (m_lit && isEnabled()) {
        // A highlight makes a lit lamp read as lit also in grey-scale prints of the window.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 150));
        painter.drawEllipse(lamp.adjusted(3, 3, -7, -7));
    }
    if (text().isEmpty())
        return;
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRect textArea(Diameter + 2 + TextGap, 0, width() - Diameter - 2 - TextGap, height());
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft, text());
}

} // namespace kapstat::config
