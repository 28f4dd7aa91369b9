#include "app/ledindicator.h"

#include <QPainter>
#include <QRadialGradient>

namespace kapstat::app {

LedIndicator::LedIndicator(const QColor& colour, QWidget* parent)
    : QWidget(parent), m_colour(colour)
{
    setFixedSize(sizeHint());
}

void LedIndicator::setLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    update();
}

void LedIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lamp = QRectF(rect()).adjusted(2, 2, -2, -2);
    const QColor body = m_lit ? m_colour : m_colour.darker(350);
    QRadialGradient shine(lamp.center() - QPointF(2, 2), lamp.width() / 1.5);
    shine.setColorAt(0, m_lit ? body.lighter(170) : body.lighter(130));
    shine.setColorAt(1, body);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(shine);
    painter.drawEllipse(lamp);
}

} // namespace kapstat::app
