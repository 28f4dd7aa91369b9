#include "print/pointcolouredbars.h"

namespace kapstat::print {

namespace {
// The outline keeps light bars (yellow on white) visible.
constexpr int OutlineDarkness = 160;
} // namespace

PointColouredBars::PointColouredBars(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : QCPBars(keyAxis, valueAxis)
{
}

void PointColouredBars::draw(QCPPainter* painter)
{
    if (!mKeyAxis || !mValueAxis)
        return;
    applyDefaultAntialiasingHint(painter);
    const auto first = mDataContainer->constBegin();
    for (auto it = first; it != mDataContainer->constEnd(); ++it) {
        const qsizetype index = it - first;
        const QColor colour =
            index < m_pointColours.size() ? m_pointColours[index] : brush().color();
        painter->setPen(QPen(colour.darker(OutlineDarkness)));
        painter->setBrush(colour);
        painter->drawRect(getBarRect(it->key, it->value));
    }
}

} // namespace kapstat::print
