#include "link/textgrid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <algorithm>

namespace kapstat::link {

namespace {
constexpr int RowHeight = 22;
constexpr int CellPadding = 12; // the grid line and the text's margins
} // namespace

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
    for (int row = 0; row < rows; ++row) {
        setRowHeight(row, RowHeight);
        for (int column = 0; column < columnCount(); ++column)
            setItem(row, column, new QTableWidgetItem);
    }
    setColumnWidths(columnWidths);
}

void TextGrid::setColumnWidths(const QList<int>& widths)
{
    int width = 0;
    for (int column = 0; column < widths.size(); ++column) {
        setColumnWidth(column, widths[column]);
        width += widths[column];
    }
    const int frame = 2 * frameWidth();
    setFixedSize(width + frame, rowCount() * RowHeight + frame);
}

int TextGrid::contentWidth(int column) const
{
    int widest = 0;
    for (int row = 0; row < rowCount(); ++row) {
        const QTableWidgetItem* cell = item(row, column);
        widest = std::max(widest, QFontMetrics(cell->font()).horizontalAdvance(cell->text()));
    }
    return widest + CellPadding;
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
