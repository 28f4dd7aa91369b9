#include "browse/gridheader.h"

#include <QPainter>

namespace kapstat::browse {

GridHeader::GridHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent)
{
    setSectionsClickable(true);
}

void GridHeader::setCurrentRow(int row)
{
    if (row == m_currentRow)
        return;
    m_currentRow = row;
    viewport()->update();
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (orientation() == Qt::Vertical) {
        paintRowIndicator(painter, rect, logicalIndex == m_currentRow);
        return;
    }
    if (m_bold && m_bold(logicalIndex)) {
        QFont font = painter->font();
        font.setBold(true);
        painter->setFont(font);
    }
    QHeaderView::paintSection(painter, rect, logicalIndex);
}

void GridHeader::paintRowIndicator(QPainter* painter, const QRect& rect, bool current) const
{
    painter->save();
    painter->fillRect(rect, palette().button());
    painter->setPen(palette().mid().color());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (current) {
        const int h = rect.height() / 4;
        const QPoint centre = rect.center();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(palette().windowText());
        const QPoint points[] = {QPoint(centre.x() - h / 2, centre.y() - h),
                                 QPoint(centre.x() + h, centre.y()),
                                 QPoint(centre.x() - h / 2, centre.y() + h)};
        painter->drawPolygon(points, 3);
    }
    painter->restore();
}

} // namespace kapstat::browse
