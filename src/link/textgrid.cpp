#include "link/textgrid.h"

#include <QHeaderView>

namespace kapstat::link {

namespace {
constexpr int RowHeight = 22;
}

TextGrid::TextGrid(int rows, const QList<int>& columnWidths, QWidget* parent)
    : QTableWidget(rows, static_cast<int>(columnWidths.size()), parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int width = 0;
    for (int column = 0; column < columnWidths.size(); ++column) {
        setColumnWidth(column, columnWidths[column]);
        width += columnWidths[column];
    }
    for (int row = 0; row < rows; ++row) {
        setRowHeight(row, RowHeight);
        for (int column = 0; column < columnCount(); ++column)
            setItem(row, column, new QTableWidgetItem);
    }
    const int frame = 2 * frameWidth();
    setFixedSize(width + frame, rows * RowHeight + frame);
}

void TextGrid::setCell(int row, int column, const QString& text, const QColor& colour, bool bold)
{
    QTableWidgetItem* cell = item(row, column);
    cell->setText(text);
    cell->setForeground(colour);
    QFont font = cell->font();
    font.setBold(bold);
    cell->setFont(font);
}

QString TextGrid::textAt(int row, int column) const
{
    return item(row, column)->text();
}

QColor TextGrid::colourAt(int row, int column) const
{
    return item(row, column)->foreground().color();
}

} // namespace kapstat::link
