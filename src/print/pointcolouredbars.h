#pragma once

#include "print/customplot.h"

#include <QColor>
#include <QVector>

namespace kapstat::print {

// Bars that may each take a colour of their own; bars without one take the series' brush.
class PointColouredBars : public QCPBars
{
public:
    PointColouredBars(QCPAxis* keyAxis, QCPAxis* valueAxis);

    // Colours by data index, in key order.
    void setPointColours(const QVector<QColor>& colours) { m_pointColours = colours; }
    const QVector<QColor>& pointColours() const { return m_pointColours; }

protected:
    void draw(QCPPainter* painter) override;

private:
    QVector<QColor> m_pointColours;
};

} // namespace kapstat::print
