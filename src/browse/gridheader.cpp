#include "browse/gridheader.h"

#include <QPainter>
#include <QPolygon>

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
    if (m_bold && m_bold(logicalIndex)) {
        QFont font = painter->font();
        font.setBold(true);
        painter->setFont(font);
    }
    QHeaderView::paintSection(painter, rect, logicalIndex);
    if (orientation() != Qt::Vertical || logicalIndex != m_currentRow)
        return;
    const int h = rect.height() / 3;
    const QPoint centre = rect.center();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    painter->drawPolygon(QPolygon{QPoint(centre.x() - h / 2, centre.y() - h),
                                  QPoint(centre.x() + h, centre.y()),
                                  QPoint(centre.x() - h / 2, centre.y() + h)});
    painter->restore();
}

} // namespace kapstat::browse
