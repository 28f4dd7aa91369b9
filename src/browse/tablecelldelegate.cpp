#include "browse/tablecelldelegate.h"

#include "browse/browsestate.h"
#include "browse/cellstyle.h"
#include "browse/pagedtablemodel.h"

#include <QPainter>

namespace kapstat::browse {

namespace {

QColor colourOf(SymbolColour colour)
{
    switch (colour) {
    case SymbolColour::Blue:
        return Qt::blue;
    case SymbolColour::Green:
        return Qt::green;
    case SymbolColour::Red:
        break;
    }
    return Qt::red;
}

std::optional<QColor> background(CellShade shade)
{
    switch (shade) {
    case CellShade::Window:
        return std::nullopt;
    case CellShade::White:
        return QColor(Qt::white);
    case CellShade::Red:
        return QColor(Qt::red);
    case CellShade::LightYellow:
        return QColor(255, 255, 196);
    case CellShade::Yellow:
        return QColor(255, 255, 0);
    case CellShade::Aqua:
        break;
    }
    return QColor(0, 255, 255);
}

} // namespace

TableCellDelegate::TableCellDelegate(download::TableKind kind, const BrowseState& state,
                                     QObject* parent)
    : QStyledItemDelegate(parent), m_kind(kind), m_state(state)
{
}

void TableCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const auto* model = qobject_cast<const PagedTableModel*>(index.model());
    if (!model) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QString column = model->column(index.column()).name;
    const bool highlighted = option.state & QStyle::State_Selected;
    QStyleOptionViewItem cell = option;
    if (isPrintColumn(m_kind, column, m_state.printSelection()))
        cell.font.setBold(true);
    if (column == QLatin1String("War")) {
        // The number is not shown: the triangles stand for it.
        painter->fillRect(option.rect, highlighted ? option.palette.highlight() : Qt::white);
        paintWar(painter, option.rect, model->data(index, PagedTableModel::ValueRole).toInt());
        return;
    }
    if (m_kind == download::TableKind::Harm && column == QLatin1String("BUL1")) {
        painter->fillRect(option.rect, highlighted ? option.palette.highlight() : Qt::white);
        paintThreePhaseSymbol(painter, option.rect);
        return;
    }
    if (!highlighted) {
        const QString flag = interruptionFlagColumn(column);
        const CellShade shade =
            cellShade(m_kind, column, m_state.chartSelection(),
                      m_kind == download::TableKind::Harm
                          ? model->value(index.row(), QStringLiteral("Faza")).toString()
                          : QString(),
                      flag.isEmpty() ? QVariant() : model->value(index.row(), flag));
        if (const auto colour = background(shade))
            painter->fillRect(option.rect, *colour);
    }
    QStyledItemDelegate::paint(painter, cell, index);
}

void TableCellDelegate::paintWar(QPainter* painter, const QRect& cell, int war) const
{
    painter->save();
    for (const WarTriangle& triangle : warTriangles(cell, war)) {
        painter->setPen(QPen(colourOf(triangle.colour), 2));
        painter->drawPolygon(triangle.points.data(), 3);
    }
    painter->restore();
}

void TableCellDelegate::paintThreePhaseSymbol(QPainter* painter, const QRect& cell) const
{
    painter->save();
    for (const SymbolLine& line : threePhaseSymbol(cell)) {
        painter->setPen(QPen(colourOf(line.colour), 2));
        painter->drawLine(line.from, line.to);
    }
    painter->restore();
}

} // namespace kapstat::browse
