#pragma once

#include "browse/printselection.h"
#include "print/printoptions.h"
#include "print/recordlimittest.h"
#include "print/shadingsequence.h"

#include <QDateTime>
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPagedPaintDevice;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QTextDocument;
class QTimeEdit;

namespace kapstat::browse {
class BrowseState;
}
namespace kapstat::common {
class SettingsStore;
}

namespace kapstat::print {

class ReportLayout;

// "Opcje wydruku pomiarów": title, comment, author, the range of records and the row shading of
// a measurement printout, or the compliance report's two texts under its title; previews,
// prints or saves the printout as PDF. Created once; each caller sets it up and opens it modally.
class PrintOptionsWindow : public QDialog
{
    Q_OBJECT

public:
    // A save dialog: the chosen path, empty when cancelled.
    using FileDialog = std::function<QString()>;
    using Warning = std::function<void(const QString& text)>;

    PrintOptionsWindow(browse::BrowseState& state, common::SettingsStore& settings,
                       QWidget* parent = nullptr);
    ~PrintOptionsWindow() override;

    // The range of records, also without the date limits of the previous opening.
    void setRange(const QDateTime& from, const QDateTime& to);
    void setAllRecords(bool all);
    // The compliance report's title; the field is not editable for that report.
    void setTitle(const QString& title);
    QString title() const;
    // The compliance report's texts, printed side by side; the window does not own them.
    void setReportTexts(const QTextDocument* main, const QTextDocument* additional);
    // The time chart's limit test for measurement printouts; none lets every record pass.
    void setLimitTest(std::optional<RecordLimitTest> test) { m_limit = std::move(test); }

    // Sets the window up for the kind as it opens: the stored title, author and shading, the
    // fields that apply, the range's date limits from the print source.
    void prepare(browse::PrintKind kind);
    // prepare(), then the window modally.
    int openModally(browse::PrintKind kind);

    PrintOptions options() const;
    browse::PrintKind kind() const { return m_kind; }

    // "Podgląd", "Drukuj", "Zapisz PDF...".
    void preview();
    void print();
    void savePdf();
    // The printout as now set up, painted on the device: the number of pages or nullopt.
    std::optional<int> paintReport(QPagedPaintDevice& device);

    // The default printer, kept between printouts; tests may direct it to a file.
    QPrinter& printer();
    // Tests answer the save dialog and collect the warnings themselves.
    void setFileDialog(FileDialog dialog) { m_fileDialog = std::move(dialog); }
    void setWarning(Warning warning) { m_warning = std::move(warning); }

private:
    void buildFields();
    void buildButtons();
    void connectSettings();
    void readSettings();
    void setRangeLimits();
    void clearRangeLimits();
    void updateEnabled();
    ReportLayout reportLayout();
    QString askPdfPath();

    browse::BrowseState& m_state;
    common::SettingsStore& m_settings;
    browse::PrintKind m_kind = browse::PrintKind::Measurements;
    ShadingSequence m_shading;
    std::optional<RecordLimitTest> m_limit;
    const QTextDocument* m_main = nullptr;
    const QTextDocument* m_additional = nullptr;
    QLineEdit* m_title = nullptr;
    QPlainTextEdit* m_comment = nullptr;
    QLineEdit* m_author = nullptr;
    QDateEdit* m_fromDate = nullptr;
    QTimeEdit* m_fromTime = nullptr;
    QDateEdit* m_toDate = nullptr;
    QTimeEdit* m_toTime = nullptr;
    QCheckBox* m_all = nullptr;
    QCheckBox* m_shadingBox = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    FileDialog m_fileDialog;
    Warning m_warning;
    QString m_pdfFolder;
};

} // namespace kapstat::print
