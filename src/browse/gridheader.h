#pragma once

#include <QHeaderView>
#include <functional>

namespace kapstat::browse {

// A grid's header: vertically it marks the current row with a triangle; horizontally it shows
// chosen sections in bold.
class GridHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit GridHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

    void setBoldSection(std::function<bool(int logicalIndex)> bold) { m_bold = std::move(bold); }
    void setCurrentRow(int row);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void paintRowIndicator(QPainter* painter, const QRect& rect, bool current) const;

    std::function<bool(int)> m_bold;
    int m_currentRow = -1;
};

} // namespace kapstat::browse
