#pragma once

#include <QColor>
#include <QList>
#include <QTableWidget>

namespace kapstat::link {

// A small read-only grid of texts with fixed column widths, sized to show every cell.
class TextGrid : public QTableWidget
{
    Q_OBJECT

public:
    TextGrid(int rows, const QList<int>& columnWidths, QWidget* parent = nullptr);

    void setCell(int row, int column, const QString& text, const QColor& colour = Qt::black,
                 bool bold = false);
    QString textAt(int row, int column) const;
    // The width the column's longest text needs.
    int contentWidth(int column) const;
    void setColumnWidths(const QList<int>& widths);
    QColor colourAt(int row, int column) const;
};

} // namespace kapstat::link
