#pragma once

#include "browse/recordpreview.h"

#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QCPBarsGroup;
class QCPGraph;
class QCPTextElement;
class QCustomPlot;
class QMenu;
class QPrinter;

namespace kapstat::print {

class PointColouredBars;

// "Szybki podgląd": the small chart window the table windows fill with the preview of the
// column the user enters. Created once; the table windows show and hide it.
class QuickPreviewWindow : public QWidget
{
    Q_OBJECT

public:
    // A save dialog: the chosen path, empty when cancelled.
    using FileDialog = std::function<QString(const QString& folder, const QString& filter,
                                             const QString& defaultSuffix)>;
    using Warning = std::function<void(const QString& text)>;

    explicit QuickPreviewWindow(QWidget* parent = nullptr);
    ~QuickPreviewWindow() override;

    // Draws the content and shows the window.
    void showContent(const browse::PreviewContent& content);

    QStringList legendCaptions() const;
    QCustomPlot* plot() const { return m_plot; }
    QMenu* contextMenu() const { return m_menu; }

    // Where the save dialogs start: the program's folder.
    void setInitialFolder(const QString& folder) { m_initialFolder = folder; }
    // Tests answer the dialogs and collect the warnings themselves.
    void setFileDialog(FileDialog dialog) { m_fileDialog = std::move(dialog); }
    void setWarning(Warning warning) { m_warning = std::move(warning); }
    // The default printer, kept between printouts; tests may direct it to a file.
    QPrinter& printer();

private:
    void buildPlot();
    void buildContextMenu();
    void showLine(browse::PreviewSlotIndex slot, const browse::PreviewSlot& content);
    void showBars(browse::PreviewSlotIndex slot, const browse::PreviewSlot& content);
    qsizetype groupBars();
    void showArrows(const browse::PreviewContent& content);
    void clearArrows();
    void printChart();
    bool paintOn(QPrinter& printer);
    void saveImage(qsizetype format);
    QString runSaveDialog(const QString& folder, const QString& filter,
                          const QString& defaultSuffix);

    QCustomPlot* m_plot = nullptr;
    QCPTextElement* m_title = nullptr;
    QCPBarsGroup* m_barsGroup = nullptr;
    std::array<QCPGraph*, browse::PreviewSlotCount> m_lines{};
    std::array<PointColouredBars*, browse::PreviewSlotCount> m_bars{};
    QVector<QCPGraph*> m_arrowLegend; // empty graphs that give the arrows their legend entries
    QMenu* m_menu = nullptr;
    QString m_initialFolder;
    FileDialog m_fileDialog;
    Warning m_warning;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace kapstat::print
