#pragma once

#include "download/measurementtables.h"

#include <QStyledItemDelegate>

namespace kapstat::browse {

class BrowseState;

// Paints a table window's cells: the chart and phase colours, bold print columns, the War
// triangles and the three-phase symbol of the phasor column.
class TableCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    TableCellDelegate(download::TableKind kind, const BrowseState& state,
                      QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    void paintWar(QPainter* painter, const QRect& cell, int war) const;
    void paintThreePhaseSymbol(QPainter* painter, const QRect& cell) const;

    download::TableKind m_kind;
    const BrowseState& m_state;
};

} // namespace kapstat::browse
