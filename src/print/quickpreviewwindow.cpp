#include "print/quickpreviewwindow.h"

#include "print/customplot.h"
#include "print/pointcolouredbars.h"

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

namespace kapstat::print {

using browse::PreviewArrow;
using browse::PreviewAxis;
using browse::PreviewContent;
using browse::PreviewSlot;
using browse::PreviewSlotIndex;

namespace {

constexpr QSize WindowSize(640, 480);
constexpr int LegendIconWidth = 40;
constexpr int LegendIconHeight = 12;
constexpr int LegendColumns = 4;
constexpr int LineWidth = 1;
constexpr int ArrowWidth = 2;
constexpr double BarsTotalWidth = 0.8; // of one harmonic order, shared by the bars shown
constexpr int TitlePointSize = 9;
// Voltage and current arrows tell themselves apart by their heads.
const QCPLineEnding NarrowHead(QCPLineEnding::esSpikeArrow, 8, 16);
const QCPLineEnding WideHead(QCPLineEnding::esSpikeArrow, 22, 14);
// The range of an automatic axis with nothing on it.
const QCPRange EmptyAxisRange(-1, 1);

enum class ImageKind
{
    Bitmap,
    Pdf,
    Png
};

struct ImageFormat
{
    const char* action;
    const char* filter;
    const char* suffix;
    ImageKind kind;
};

// Filters name both spellings: files written by other programs often end in capitals.
constexpr ImageFormat ImageFormats[] = {
    {QT_TRANSLATE_NOOP("kapstat::print::QuickPreviewWindow", "Zapisz do pliku graficznego bitmapy"),
     QT_TRANSLATE_NOOP("kapstat::print::QuickPreviewWindow", "Pliki graficzne (*.bmp *.BMP)"),
     "bmp", ImageKind::Bitmap},
    {QT_TRANSLATE_NOOP("kapstat::print::QuickPreviewWindow", "Zapisz do pliku PDF..."),
     QT_TRANSLATE_NOOP("kapstat::print::QuickPreviewWindow", "Pliki PDF (*.pdf *.PDF)"), "pdf",
     ImageKind::Pdf},
    {QT_TRANSLATE_NOOP("kapstat::print::QuickPreviewWindow", "Zapisz do pliku PNG..."),
     QT_TRANSLATE_NOOP("kapstat::print::QuickPreviewWindow", "Pliki PNG (*.png *.PNG)"), "png",
     ImageKind::Png},
};

// The chart as it shows on the screen: the file gets the chart's on-screen size.
bool writeImage(QCustomPlot& plot, ImageKind kind, const QString& path)
{
    switch (kind) {
    case ImageKind::Bitmap:
        return plot.saveBmp(path, plot.width(), plot.height());
    case ImageKind::Pdf:
        return plot.savePdf(path, plot.width(), plot.height());
    case ImageKind::Png:
        return plot.savePng(path, plot.width(), plot.height());
    }
    return false;
}

QColor colourOf(quint32 rgb)
{
    return QColor::fromRgb(QRgb(rgb));
}

void applyAxis(QCPAxis* axis, const PreviewAxis& content)
{
    axis->setVisible(content.visible);
    axis->setTickLabels(content.visible);
    axis->setLabel(content.title);
    axis->grid()->setVisible(content.grid);
    if (content.automatic) {
        axis->setRange(EmptyAxisRange);
        axis->rescale(true);
    } else {
        axis->setRange(content.min, content.max);
    }
}

// An arrow's label stands at its end away from the origin, or at its middle when neither end
// is the origin, on the side facing away from the origin.
QPointF labelAnchor(const PreviewArrow& arrow)
{
    if (arrow.from.isNull())
        return arrow.to;
    if (arrow.to.isNull())
        return arrow.from;
    return (arrow.from + arrow.to) / 2;
}

Qt::Alignment labelAlignment(const QPointF& anchor)
{
    return (anchor.x() < 0 ? Qt::AlignRight : Qt::AlignLeft) |
           (anchor.y() < 0 ? Qt::AlignTop : Qt::AlignBottom);
}

void addArrow(QCustomPlot* plot, const PreviewArrow& arrow, QCPAxis* xAxis, QCPAxis* yAxis,
              const QCPLineEnding& head)
{
    const QColor colour = colourOf(arrow.rgb);
    auto* line = new QCPItemLine(plot);
    for (QCPItemPosition* end : {line->start, line->end})
        end->setAxes(xAxis, yAxis);
    line->start->setCoords(arrow.from);
    line->end->setCoords(arrow.to);
    line->setPen(QPen(colour, ArrowWidth));
    line->setHead(head);

    auto* label = new QCPItemText(plot);
    const QPointF anchor = labelAnchor(arrow);
    label->position->setAxes(xAxis, yAxis);
    label->position->setCoords(anchor);
    label->setPositionAlignment(labelAlignment(anchor));
    label->setText(arrow.label);
    label->setColor(colour);
}

} // namespace

QuickPreviewWindow::QuickPreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool),
      m_fileDialog([this](const QString& folder, const QString& filter, const QString& suffix) {
          return runSaveDialog(folder, filter, suffix);
      }),
      m_warning([this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); })
{
    setWindowTitle(tr("Szybki podgląd"));
    // The table window keeps the keyboard while the user walks through its columns.
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(WindowSize);
    buildPlot();
    buildContextMenu();
}

QuickPreviewWindow::~QuickPreviewWindow() = default;

void QuickPreviewWindow::buildPlot()
{
    m_plot = new QCustomPlot(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_plot);
    m_plot->setBackground(Qt::white);
    m_plot->setAutoAddPlottableToLegend(false);

    // Title lines, then the legend, then the chart.
    QCPLayoutGrid* rows = m_plot->plotLayout();
    QFont titleFont = font();
    titleFont.setPointSize(TitlePointSize);
    titleFont.setBold(true);
    m_title = new QCPTextElement(m_plot, QString(), titleFont);
    rows->insertRow(0);
    rows->addElement(0, 0, m_title);
    QCPLegend* legend = m_plot->legend;
    m_plot->axisRect()->insetLayout()->take(legend);
    rows->insertRow(1);
    rows->addElement(1, 0, legend);
    rows->setRowStretchFactor(0, 0.001);
    rows->setRowStretchFactor(1, 0.001);
    legend->setVisible(true);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legend->setWrap(LegendColumns);
    legend->setIconSize(LegendIconWidth, LegendIconHeight);
    legend->setBorderPen(Qt::NoPen);

    for (const PreviewSlotIndex slot :
         {browse::VoltageLine, browse::CurrentLine, browse::SpareLine})
        m_lines[slot] = m_plot->addGraph(
            m_plot->xAxis, slot == browse::CurrentLine ? m_plot->yAxis2 : m_plot->yAxis);
    m_barsGroup = new QCPBarsGroup(m_plot);
    m_barsGroup->setSpacing(0);
    for (const PreviewSlotIndex slot :
         {browse::MaximumBars, browse::MeanBars, browse::MinimumBars}) {
        m_bars[slot] = new PointColouredBars(m_plot->xAxis, m_plot->yAxis);
        m_bars[slot]->setWidthType(QCPBars::wtPlotCoords);
    }
}

void QuickPreviewWindow::buildContextMenu()
{
    m_menu = new QMenu(this);
    m_menu->addAction(tr("Wydrukuj podgląd"), this, &QuickPreviewWindow::printChart);
    for (qsizetype format = 0; format < std::ssize(ImageFormats); ++format)
        m_menu->addAction(tr(ImageFormats[format].action), this,
                          [this, format] { saveImage(format); });
    m_plot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_plot, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_plot->mapToGlobal(at)); });
}

void QuickPreviewWindow::showContent(const PreviewContent& content)
{
    m_plot->legend->clearItems();
    clearArrows();
    for (int slot = 0; slot < browse::PreviewSlotCount; ++slot) {
        const auto index = PreviewSlotIndex(slot);
        if (m_lines[slot])
            showLine(index, content.slots[slot]);
        else if (m_bars[slot])
            showBars(index, content.slots[slot]);
        else if (index == browse::VoltageArrows)
            showArrows(content);
    }
    const bool barsShown = groupBars() > 0;
    applyAxis(m_plot->yAxis, content.left);
    applyAxis(m_plot->yAxis2, content.right);
    applyAxis(m_plot->xAxis, content.bottom);
    applyAxis(m_plot->xAxis2, content.top);
    // An automatic range covers the middle bar of each group only: make room for the outer ones.
    if (barsShown && content.bottom.automatic)
        m_plot->xAxis->setRange(m_plot->xAxis->range().lower - BarsTotalWidth / 2,
                                m_plot->xAxis->range().upper + BarsTotalWidth / 2);
    m_title->setText(content.titleLines.join(QLatin1Char('\n')));
    m_plot->replot();
    show();
}

QStringList QuickPreviewWindow::legendCaptions() const
{
    QStringList captions;
    for (int i = 0; i < m_plot->legend->itemCount(); ++i)
        if (auto* item = qobject_cast<QCPPlottableLegendItem*>(m_plot->legend->item(i)))
            captions.append(item->plottable()->name());
    return captions;
}

void QuickPreviewWindow::showLine(PreviewSlotIndex slot, const PreviewSlot& content)
{
    QVector<double> keys, values;
    if (content.active) {
        for (const QPointF& point : content.points) {
            keys.append(point.x());
            values.append(point.y());
        }
    }
    QCPGraph* graph = m_lines[slot];
    graph->setData(keys, values);
    graph->setName(content.title);
    graph->setPen(QPen(colourOf(content.rgb), LineWidth));
    graph->setVisible(content.active);
    if (content.active)
        graph->addToLegend();
}

void QuickPreviewWindow::showBars(PreviewSlotIndex slot, const PreviewSlot& content)
{
    const QVector<QPointF> points = content.active ? content.points : QVector<QPointF>();
    // The bars keep their data in key order: the colours must follow the same order.
    QVector<qsizetype> order(points.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return points[a].x() < points[b].x(); });
    QVector<double> keys, values;
    QVector<QColor> colours;
    for (const qsizetype i : order) {
        keys.append(points[i].x());
        values.append(points[i].y());
        colours.append(
            colourOf(i < content.pointColours.size() ? content.pointColours[i] : content.rgb));
    }
    PointColouredBars* bars = m_bars[slot];
    bars->setData(keys, values, true);
    bars->setPointColours(colours);
    bars->setBrush(colourOf(content.rgb));
    bars->setPen(QPen(colourOf(content.rgb).darker()));
    bars->setName(content.title);
    bars->setVisible(content.active);
    if (content.active)
        bars->addToLegend();
}

// The bars shown stand side by side on each order, in slot order; answers how many are shown.
qsizetype QuickPreviewWindow::groupBars()
{
    QVector<PointColouredBars*> shown;
    for (PointColouredBars* bars : m_bars) {
        if (!bars)
            continue;
        bars->setBarsGroup(nullptr);
        if (bars->visible())
            shown.append(bars);
    }
    for (PointColouredBars* bars : shown) {
        bars->setWidth(BarsTotalWidth / shown.size());
        bars->setBarsGroup(m_barsGroup);
    }
    return shown.size();
}

void QuickPreviewWindow::showArrows(const PreviewContent& content)
{
    for (const PreviewArrow& arrow : content.slots[browse::VoltageArrows].arrows)
        addArrow(m_plot, arrow, m_plot->xAxis, m_plot->yAxis, NarrowHead);
    for (const PreviewArrow& arrow : content.slots[browse::CurrentArrows].arrows)
        addArrow(m_plot, arrow, m_plot->xAxis2, m_plot->yAxis2, WideHead);
    for (const browse::PreviewLegendEntry& entry : browse::arrowLegend(content)) {
        QCPGraph* graph = m_plot->addGraph();
        graph->setPen(QPen(colourOf(entry.rgb), ArrowWidth));
        graph->setName(entry.caption);
        graph->addToLegend();
        m_arrowLegend.append(graph);
    }
}

void QuickPreviewWindow::clearArrows()
{
    m_plot->clearItems();
    for (QCPGraph* graph : std::as_const(m_arrowLegend))
        m_plot->removeGraph(graph);
    m_arrowLegend.clear();
}

QPrinter& QuickPreviewWindow::printer()
{
    // At the screen's resolution the chart's texts keep their size against its lines.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    return *m_printer;
}

// Landscape for this printout only: the printer keeps the orientation it had for others.
void QuickPreviewWindow::printChart()
{
    QPrinter& target = printer();
    const QPageLayout::Orientation previous = target.pageLayout().orientation();
    target.setPageOrientation(QPageLayout::Landscape);
    const bool printed = paintOn(target);
    target.setPageOrientation(previous);
    if (!printed)
        m_warning(tr("Nie udało się wydrukować podglądu. Sprawdź, czy w systemie jest "
                     "ustawiona drukarka domyślna."));
}

// The chart as on the screen, scaled to fill the page.
bool QuickPreviewWindow::paintOn(QPrinter& target)
{
    QCPPainter painter;
    if (!painter.begin(&target))
        return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    const QSize chart = m_plot->size().isEmpty() ? WindowSize : m_plot->size();
    const QRectF page = target.pageRect(QPrinter::DevicePixel);
    const double scale = std::min(page.width() / chart.width(), page.height() / chart.height());
    painter.scale(scale, scale);
    m_plot->toPainter(&painter, chart.width(), chart.height());
    return painter.end();
}

void QuickPreviewWindow::saveImage(qsizetype format)
{
    const ImageFormat& chosen = ImageFormats[format];
    const QString path =
        m_fileDialog(m_initialFolder, tr(chosen.filter), QString::fromLatin1(chosen.suffix));
    if (path.isEmpty())
        return;
    if (!writeImage(*m_plot, chosen.kind, path))
        m_warning(tr("Nie udało się zapisać pliku %1.").arg(QDir::toNativeSeparators(path)));
}

QString QuickPreviewWindow::runSaveDialog(const QString& folder, const QString& filter,
                                          const QString& defaultSuffix)
{
    QFileDialog dialog(this, {}, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace kapstat::print
