#include "browse/recordpreview.h"
#include "previewrecords.h"
#include "print/customplot.h"
#include "print/pointcolouredbars.h"
#include "print/quickpreviewwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kapstat;
using namespace kapstat::browse;
using namespace previewrecords;
using print::QuickPreviewWindow;

namespace {

constexpr int Star = 3;
constexpr int Delta = 2;

PreviewContent spectrum(const QStringList& statistics)
{
    RecordValues record = harmonicsRecord(QStringLiteral("L1"));
    for (const QString& statistic : statistics)
        addSpectrum(record, QStringLiteral("UH"), statistic,
                    [](int order) { return 10.0 / order; });
    return *harmonicsColumnPreview(record, QStringLiteral("UH2") + statistics.first(), Star, {});
}

PreviewContent phasors(int phaseCount)
{
    RecordValues record = harmonicsRecord(QStringLiteral("L1"));
    for (int phase = 0; phase < 3; ++phase) {
        const QString suffix = QStringLiteral("L") + QString::number(phase + 1);
        addPhasor(record, QStringLiteral("U") + suffix, polarDegrees(230, 20 - 120 * phase));
        addPhasor(record, QStringLiteral("I") + suffix, polarDegrees(5, -10 - 120 * phase));
    }
    return *harmonicsColumnPreview(record, QStringLiteral("BUL1"), phaseCount, {});
}

PreviewContent waveforms(const QStringList& samplesColumns, const QString& column)
{
    RecordValues record = rmsRecord({0.1, 0.1, 0.1, 0.01, 0.01, 0.01});
    record.insert(QStringLiteral("I0ch"), 0.0);
    for (const QString& samples : samplesColumns)
        record.insert(samples, sineSamples(1500, 0));
    return *rmsColumnPreview(record, column, {});
}

QVector<QCPItemLine*> arrowsOf(QCustomPlot* plot)
{
    QVector<QCPItemLine*> arrows;
    for (int i = 0; i < plot->itemCount(); ++i)
        if (auto* line = qobject_cast<QCPItemLine*>(plot->item(i)))
            arrows.append(line);
    return arrows;
}

QAction* menuAction(const QuickPreviewWindow& window, const QString& text)
{
    for (QAction* action : window.contextMenu()->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

TEST(QuickPreviewWindow, IsAToolWindowWithItsMenu)
{
    QuickPreviewWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Szybki podgląd"));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::Tool));
    QStringList texts;
    for (const QAction* action : window.contextMenu()->actions())
        texts.append(action->text());
    EXPECT_EQ(texts, QStringList({QStringLiteral("Wydrukuj podgląd"),
                                  QStringLiteral("Zapisz do pliku graficznego bitmapy"),
                                  QStringLiteral("Zapisz do pliku PDF..."),
                                  QStringLiteral("Zapisz do pliku PNG...")}));
}

TEST(QuickPreviewWindow, CaptionsTheLegendOfEachKindOfPreview)
{
    const QString min = QStringLiteral("min"), max = QStringLiteral("max"),
                  sr = QStringLiteral("sr"), ch = QStringLiteral("ch");
    const QString ul1 = QStringLiteral("ProbkiUL1"), il1 = QStringLiteral("ProbkiIL1"),
                  il2 = QStringLiteral("ProbkiIL2"), il3 = QStringLiteral("ProbkiIL3");
    const struct
    {
        const char* name;
        PreviewContent content;
        QStringList captions;
    } cases[] = {
        {"three bars", spectrum({min, max, sr}), {"max.", "śr.", "min."}},
        {"instantaneous values only", spectrum({ch}), {"chwil."}},
        {"star phasors", phasors(Star), {"UL1 IL1", "UL2 IL2", "UL3 IL3"}},
        {"single-phase phasors", phasors(1), {"UL1 IL1"}},
        {"neutral current", waveforms({il1, il2, il3}, QStringLiteral("I0ch")), {"I0ch"}},
        {"voltage and current", waveforms({ul1, il1}, ul1), {"U", "I"}},
        // Each entry names its own series where fixed positions would name another.
        {"minima and maxima", spectrum({min, max}), {"max.", "min."}},
        {"minima only", spectrum({min}), {"min."}},
        {"maxima, means and instantaneous values",
         spectrum({max, sr, ch}),
         {"max.", "śr.", "chwil."}},
        {"a phase current alone", waveforms({il2}, il2), {"I"}},
        {"delta phasors", phasors(Delta), {"U13 IL1", "U32 IL2", "U21 IL3"}},
    };
    QuickPreviewWindow window;
    for (const auto& c : cases) {
        window.showContent(c.content);
        EXPECT_EQ(window.legendCaptions(), c.captions) << c.name;
    }
}

TEST(QuickPreviewWindow, DrawsVoltageArrowsWithNarrowAndCurrentArrowsWithWideHeads)
{
    QuickPreviewWindow window;
    window.showContent(phasors(Star));
    EXPECT_TRUE(window.isVisible());
    QCustomPlot* plot = window.plot();
    const QVector<QCPItemLine*> arrows = arrowsOf(plot);
    ASSERT_EQ(arrows.size(), 6);
    for (int i = 0; i < 3; ++i) {
        QCPItemLine* voltage = arrows[i];
        QCPItemLine* current = arrows[i + 3];
        EXPECT_EQ(voltage->end->keyAxis(), plot->xAxis);
        EXPECT_EQ(voltage->end->valueAxis(), plot->yAxis);
        EXPECT_EQ(current->end->keyAxis(), plot->xAxis2);
        EXPECT_EQ(current->end->valueAxis(), plot->yAxis2);
        EXPECT_NE(voltage->head().style(), QCPLineEnding::esNone);
        EXPECT_LT(voltage->head().width(), current->head().width());
        EXPECT_EQ(voltage->pen().color(), current->pen().color());
    }
    for (QCPAxis* axis : {plot->xAxis, plot->yAxis, plot->xAxis2, plot->yAxis2})
        EXPECT_TRUE(axis->visible());
    EXPECT_NEAR(plot->yAxis->range().upper, 276, 1e-9);
    EXPECT_NEAR(plot->yAxis2->range().upper, 6, 1e-9);

    // The next preview leaves no arrow and no arrow legend behind.
    window.showContent(waveforms({QStringLiteral("ProbkiUL1")}, QStringLiteral("ProbkiUL1")));
    EXPECT_TRUE(arrowsOf(plot).isEmpty());
    EXPECT_EQ(window.legendCaptions(), QStringList({QStringLiteral("U")}));
    EXPECT_FALSE(plot->xAxis2->visible());
    EXPECT_NEAR(plot->yAxis->range().upper, 200, 1e-9);
    EXPECT_TRUE(plot->yAxis->grid()->visible());
}

TEST(QuickPreviewWindow, ColoursEachBarAsTheContentSays)
{
    PreviewContent content;
    PreviewSlot& bars = content.slots[MeanBars];
    bars.active = true;
    bars.title = QStringLiteral("śr.");
    bars.rgb = rgb::Yellow;
    // Out of order: the colours must follow their points.
    bars.points = {{3, 1}, {2, 5}, {4, 2}};
    bars.pointColours = {rgb::Red, rgb::Green, rgb::Blue};
    QuickPreviewWindow window;
    window.showContent(content);

    print::PointColouredBars* shown = nullptr;
    for (int i = 0; i < window.plot()->plottableCount(); ++i)
        if (auto* bars = dynamic_cast<print::PointColouredBars*>(window.plot()->plottable(i));
            bars && bars->visible())
            shown = bars;
    ASSERT_TRUE(shown);
    ASSERT_EQ(shown->data()->size(), 3);
    EXPECT_EQ(shown->data()->at(0)->value, 5);
    EXPECT_EQ(shown->pointColours(),
              QVector<QColor>({QColor::fromRgb(rgb::Green), QColor::fromRgb(rgb::Red),
                               QColor::fromRgb(rgb::Blue)}));
    EXPECT_EQ(window.legendCaptions(), QStringList({QStringLiteral("śr.")}));
}

class QuickPreviewWindowFiles : public ::testing::Test
{
protected:
    QuickPreviewWindowFiles()
    {
        window.setInitialFolder(dir.path());
        window.setWarning([this](const QString& text) { warnings.append(text); });
        window.showContent(spectrum({QStringLiteral("sr")}));
    }

    // The dialog answers with the given path and notes what it was asked.
    void answerDialog(const QString& path)
    {
        window.setFileDialog(
            [this, path](const QString& folder, const QString& filter, const QString& suffix) {
                asked = {folder, filter, suffix};
                return path;
            });
    }

    QTemporaryDir dir;
    QuickPreviewWindow window;
    QStringList warnings;
    QStringList asked;
};

TEST_F(QuickPreviewWindowFiles, SavesTheChartInEachFormat)
{
    const struct
    {
        const char* action;
        const char* filter;
        const char* suffix;
        QByteArray magic;
    } cases[] = {
        {"Zapisz do pliku graficznego bitmapy", "Pliki graficzne (*.bmp *.BMP)", "bmp", "BM"},
        {"Zapisz do pliku PDF...", "Pliki PDF (*.pdf *.PDF)", "pdf", "%PDF"},
        {"Zapisz do pliku PNG...", "Pliki PNG (*.png *.PNG)", "png", "\x89PNG"},
    };
    for (const auto& c : cases) {
        const QString path =
            dir.filePath(QStringLiteral("wykres.") + QString::fromLatin1(c.suffix));
        answerDialog(path);
        QAction* action = menuAction(window, QString::fromUtf8(c.action));
        ASSERT_TRUE(action) << c.action;
        action->trigger();
        EXPECT_EQ(asked, QStringList({dir.path(), QString::fromUtf8(c.filter),
                                      QString::fromLatin1(c.suffix)}));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.action;
        EXPECT_TRUE(file.readAll().startsWith(c.magic)) << c.action;
    }
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_F(QuickPreviewWindowFiles, OverwritesAnExistingBitmapWithOneOfTheChartsSize)
{
    const QString path = dir.filePath(QStringLiteral("WYKRES.BMP"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    answerDialog(path);
    menuAction(window, QStringLiteral("Zapisz do pliku graficznego bitmapy"))->trigger();
    const QImage image(path, "BMP");
    EXPECT_EQ(image.size(), window.plot()->size());
}

TEST_F(QuickPreviewWindowFiles, WritesNothingWhenTheDialogIsCancelled)
{
    answerDialog({});
    for (QAction* action : window.contextMenu()->actions().mid(1))
        action->trigger();
    EXPECT_EQ(asked.size(), 3);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_F(QuickPreviewWindowFiles, WarnsWhenAFileCannotBeWritten)
{
    const QString path = dir.filePath(QStringLiteral("brak/wykres.png"));
    answerDialog(path);
    for (QAction* action : window.contextMenu()->actions().mid(1))
        action->trigger();
    ASSERT_EQ(warnings.size(), 3);
    EXPECT_TRUE(warnings[0].contains(path)) << warnings[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(QuickPreviewWindowFiles, PrintsInLandscapeAndGivesThePrinterItsOrientationBack)
{
    const QString path = dir.filePath(QStringLiteral("wydruk.pdf"));
    QPrinter& printer = window.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(QPageLayout::Portrait);
    menuAction(window, QStringLiteral("Wydrukuj podgląd"))->trigger();
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_GT(QFileInfo(path).size(), 0);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);

    printer.setOutputFileName(dir.filePath(QStringLiteral("brak/wydruk.pdf")));
    menuAction(window, QStringLiteral("Wydrukuj podgląd"))->trigger();
    EXPECT_EQ(warnings.size(), 1);
}
