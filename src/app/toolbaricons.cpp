#include "app/toolbaricons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

namespace kapstat::app {

namespace {

using Drawing = std::function<void(QPainter&)>;

const QColor Ink(0x30, 0x30, 0x40);
const QColor Paper(0xfa, 0xfa, 0xf5);
const QColor Accent(0x20, 0x60, 0xc0);
const QColor Warm(0xe0, 0xa0, 0x20);
const QColor Alarm(0xc0, 0x20, 0x20);
const QColor Fresh(0x20, 0x90, 0x40);

QPen pen(const QColor& colour, qreal width = 1.5)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void sheet(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.setBrush(Paper);
    p.drawRect(QRectF(5, 2.5, 14, 19));
}

void sineWave(QPainter& p, const QRectF& box, const QColor& colour)
{
    QPainterPath path;
    for (int i = 0; i <= 40; ++i) {
        const qreal x = box.left() + box.width() * i / 40.0;
        const qreal y = box.center().y() - box.height() / 2 * std::sin(i / 40.0 * 2 * M_PI);
        i == 0 ? path.moveTo(x, y) : path.lineTo(x, y);
    }
    p.setPen(pen(colour, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void openFolder(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.setBrush(Warm.darker(115));
    p.drawPolygon(QPolygonF{{2, 6}, {9, 6}, {11, 8}, {20, 8}, {20, 19}, {2, 19}});
    p.setBrush(Warm);
    p.drawPolygon(QPolygonF{{5, 11}, {22.5, 11}, {19.5, 19}, {2, 19}});
}

void lineChart(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.drawLine(QPointF(3, 3), QPointF(3, 21));
    p.drawLine(QPointF(3, 21), QPointF(21, 21));
    p.setPen(pen(Accent, 2));
    p.drawPolyline(QPolygonF{{4, 17}, {8, 11}, {12, 14}, {16, 6}, {20, 9}});
}

void grid(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.setBrush(Paper);
    p.drawRect(QRectF(2.5, 4.5, 19, 15));
    p.fillRect(QRectF(3, 5, 18, 4), Accent.lighter(150));
    for (const qreal y : {9.0, 12.5, 16.0})
        p.drawLine(QPointF(2.5, y), QPointF(21.5, y));
    for (const qreal x : {9.0, 15.0})
        p.drawLine(QPointF(x, 4.5), QPointF(x, 19.5));
}

void spectrum(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.drawLine(QPointF(2, 21), QPointF(22, 21));
    const qreal heights[] = {16, 4, 9, 3, 6, 2};
    for (int i = 0; i < 6; ++i)
        p.fillRect(QRectF(3 + i * 3.2, 21 - heights[i], 2.2, heights[i]), Accent);
}

void exportText(QPainter& p)
{
    sheet(p);
    p.setPen(pen(Ink.lighter(200), 1));
    for (const qreal y : {6.5, 9.5, 12.5})
        p.drawLine(QPointF(7.5, y), QPointF(16.5, y));
    p.setPen(pen(Fresh, 2.2));
    p.drawLine(QPointF(11, 17), QPointF(21, 17));
    p.drawPolyline(QPolygonF{{18, 14}, {21.5, 17}, {18, 20}});
}

void report(QPainter& p)
{
    sheet(p);
    p.setPen(pen(Ink.lighter(200), 1));
    for (const qreal y : {6.5, 9.5})
        p.drawLine(QPointF(7.5, y), QPointF(16.5, y));
    p.setPen(pen(Fresh, 2.4));
    p.drawPolyline(QPolygonF{{8, 14.5}, {11, 18}, {17, 11}});
}

void printer(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.setBrush(Paper);
    p.drawRect(QRectF(7, 2.5, 10, 7));
    p.setBrush(QColor(0x90, 0x90, 0xa0));
    p.drawRoundedRect(QRectF(2.5, 9, 19, 8), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(6.5, 14, 11, 7.5));
    p.fillRect(QRectF(18, 11, 2, 1.5), Fresh);
}

void settings(QPainter& p)
{
    p.setPen(pen(Ink, 1.4));
    for (int i = 0; i < 3; ++i) {
        const qreal y = 5 + i * 7;
        p.drawLine(QPointF(3, y), QPointF(21, y));
        const qreal knob = (i == 1) ? 15 : (i == 0 ? 8 : 11);
        p.setBrush(i == 1 ? Warm : Accent);
        p.drawEllipse(QPointF(knob, y), 2.6, 2.6);
    }
}

void plug(QPainter& p)
{
    p.setPen(pen(Ink, 1.6));
    p.setBrush(QColor(0x90, 0x90, 0xa0));
    p.drawRoundedRect(QRectF(6, 8, 12, 8), 2, 2);
    p.drawLine(QPointF(9, 8), QPointF(9, 3));
    p.drawLine(QPointF(15, 8), QPointF(15, 3));
    p.setPen(pen(Accent, 2));
    p.drawLine(QPointF(12, 16), QPointF(12, 22));
}

void liveWave(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.setBrush(QColor(0x10, 0x20, 0x10));
    p.drawRoundedRect(QRectF(2.5, 3.5, 19, 17), 2, 2);
    sineWave(p, QRectF(4, 7, 16, 10), QColor(0x60, 0xf0, 0x60));
}

void clockFace(QPainter& p)
{
    p.setPen(pen(Ink, 1.5));
    p.setBrush(Paper);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    p.setPen(pen(Ink, 1.8));
    p.drawLine(QPointF(12, 12), QPointF(12, 6));
    p.setPen(pen(Alarm, 1.5));
    p.drawLine(QPointF(12, 12), QPointF(16.5, 14));
}

void status(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.setBrush(QColor(0xd8, 0xdc, 0xe8));
    p.drawRoundedRect(QRectF(3.5, 2.5, 17, 19), 2, 2);
    p.fillRect(QRectF(6, 5, 12, 6), QColor(0x10, 0x20, 0x10));
    p.fillRect(QRectF(7, 7, 6, 2), QColor(0x60, 0xf0, 0x60));
    p.setPen(Qt::NoPen);
    p.setBrush(Fresh);
    p.drawEllipse(QPointF(8, 16), 1.8, 1.8);
    p.setBrush(Warm);
    p.drawEllipse(QPointF(12, 16), 1.8, 1.8);
    p.setBrush(Alarm);
    p.drawEllipse(QPointF(16, 16), 1.8, 1.8);
}

void download(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.setBrush(QColor(0xd0, 0xd8, 0xf0));
    p.drawPolygon(QPolygonF{
        {2.5, 15}, {7, 15}, {9, 18}, {15, 18}, {17, 15}, {21.5, 15}, {21.5, 21.5}, {2.5, 21.5}});
    p.setPen(pen(Accent, 2.4));
    p.drawLine(QPointF(12, 2), QPointF(12, 13));
    p.drawPolyline(QPolygonF{{8, 9.5}, {12, 13.5}, {16, 9.5}});
}

void trash(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.setBrush(QColor(0xc8, 0xc8, 0xd0));
    p.drawPolygon(QPolygonF{{5.5, 7}, {18.5, 7}, {17, 21.5}, {7, 21.5}});
    p.drawRect(QRectF(4, 4.5, 16, 2.5));
    p.drawRect(QRectF(10, 2.5, 4, 2));
    p.setPen(pen(Alarm, 2));
    p.drawLine(QPointF(9, 11), QPointF(15, 18));
    p.drawLine(QPointF(15, 11), QPointF(9, 18));
}

void calibration(QPainter& p)
{
    p.setPen(pen(Ink, 1.2));
    p.setBrush(Warm.lighter(130));
    p.drawRect(QRectF(2.5, 8.5, 19, 7));
    for (int i = 0; i < 8; ++i) {
        const qreal x = 4.5 + i * 2.2;
        p.drawLine(QPointF(x, 8.5), QPointF(x, i % 2 ? 11 : 12.5));
    }
    p.setPen(pen(Alarm, 1.8));
    p.drawLine(QPointF(14, 3), QPointF(14, 21));
}

const QHash<QString, Drawing>& drawings()
{
    static const QHash<QString, Drawing> byAction{
        {QStringLiteral("acOtworzPomiary"), Drawing(openFolder)},
        {QStringLiteral("acWykresRMS"), Drawing(lineChart)},
        {QStringLiteral("acTabelaTHD"), Drawing(grid)},
        {QStringLiteral("acHarm"), Drawing(spectrum)},
        {QStringLiteral("acExport2File"), Drawing(exportText)},
        {QStringLiteral("acNorma"), Drawing(report)},
        {QStringLiteral("acDrukujWielkosci"), Drawing(printer)},
        {QStringLiteral("acNoweUstawienia"), Drawing(settings)},
        {QStringLiteral("acNawiazanie"), Drawing(plug)},
        {QStringLiteral("acPrzbiegiBiezace"), Drawing(liveWave)},
        {QStringLiteral("acUstawZegarek"), Drawing(clockFace)},
        {QStringLiteral("acStanRej"), Drawing(status)},
        {QStringLiteral("acOdbPomiary"), Drawing(download)},
        {QStringLiteral("acKasujPomiary"), Drawing(trash)},
        {QStringLiteral("acWspKalib"), Drawing(calibration)},
    };
    return byAction;
}

} // namespace

QIcon ToolBarIcons::forAction(const QString& actionName)
{
    const auto drawing = drawings().constFind(actionName);
    if (drawing == drawings().constEnd())
        return {};
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(Size * scale, Size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        (*drawing)(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace kapstat::app
