#include "print/printoptionswindow.h"

#include "browse/browsestate.h"
#include "common/settingsstore.h"
#include "print/printsourcetimes.h"
#include "print/reportlayout.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace kapstat::print {

namespace {

using Name = common::SettingsStore::Name;

QDateEdit* dateField(QWidget* parent)
{
    auto* field = new QDateEdit(parent);
    field->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    field->setCalendarPopup(true);
    return field;
}

QTimeEdit* timeField(QWidget* parent)
{
    auto* field = new QTimeEdit(parent);
    field->setDisplayFormat(QStringLiteral("hh:mm:ss"));
    return field;
}

} // namespace

PrintOptionsWindow::PrintOptionsWindow(browse::BrowseState& state, common::SettingsStore& settings,
                                       QWidget* parent)
    : QDialog(parent), m_state(state), m_settings(settings),
      m_fileDialog([this] { return askPdfPath(); }),
      m_warning([this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); })
{
    setWindowTitle(tr("Opcje wydruku pomiarów"));
    buildFields();
    buildButtons();
    connectSettings();
    updateEnabled();
}

PrintOptionsWindow::~PrintOptionsWindow() = default;

void PrintOptionsWindow::buildFields()
{
    auto* layout = new QVBoxLayout(this);
    auto* texts = new QGridLayout;
    m_title = new QLineEdit(this);
    m_comment = new QPlainTextEdit(this);
    m_comment->setTabChangesFocus(true);
    m_comment->setFixedHeight(fontMetrics().lineSpacing() * 5);
    m_author = new QLineEdit(this);
    texts->addWidget(new QLabel(tr("Tytuł raportu:"), this), 0, 0);
    texts->addWidget(m_title, 1, 0);
    texts->addWidget(new QLabel(tr("Komentarz do raportu:"), this), 2, 0);
    texts->addWidget(m_comment, 3, 0);
    texts->addWidget(new QLabel(tr("Nazwa wykonującego raport (firma, pracownik...)"), this), 4, 0);
    texts->addWidget(m_author, 5, 0);
    layout->addLayout(texts);

    auto* range = new QGroupBox(tr("Rekordy umieszczone w raporcie:"), this);
    auto* rangeLayout = new QGridLayout(range);
    m_fromDate = dateField(range);
    m_fromTime = timeField(range);
    m_toDate = dateField(range);
    m_toTime = timeField(range);
    m_all = new QCheckBox(tr("wszystkie"), range);
    rangeLayout->addWidget(new QLabel(tr("od:"), range), 0, 0);
    rangeLayout->addWidget(m_fromDate, 0, 1);
    rangeLayout->addWidget(m_fromTime, 0, 2);
    rangeLayout->addWidget(new QLabel(tr("do:"), range), 1, 0);
    rangeLayout->addWidget(m_toDate, 1, 1);
    rangeLayout->addWidget(m_toTime, 1, 2);
    rangeLayout->addWidget(m_all, 0, 3, 2, 1);
    rangeLayout->setColumnStretch(4, 1);
    layout->addWidget(range);
    m_shadingBox = new QCheckBox(tr("liniowanie pomocnicze"), this);
    layout->addWidget(m_shadingBox);
    connect(m_all, &QCheckBox::toggled, this, &PrintOptionsWindow::updateEnabled);
}

void PrintOptionsWindow::buildButtons()
{
    auto* buttons = new QHBoxLayout;
    auto add = [&](const QString& caption, auto handler) {
        auto* button = new QPushButton(caption, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
    };
    add(tr("Podgląd"), &PrintOptionsWindow::preview);
    add(tr("Drukuj"), &PrintOptionsWindow::print);
    add(tr("Zapisz PDF..."), &PrintOptionsWindow::savePdf);
    buttons->addStretch();
    add(tr("Zamknij"), &QDialog::reject);
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
}

// The title is the user's own only for measurement printouts: the compliance report brings its
// own and must not replace the stored one.
void PrintOptionsWindow::connectSettings()
{
    connect(m_title, &QLineEdit::editingFinished, this, [this] {
        if (m_kind == browse::PrintKind::Measurements)
            m_settings.setString(Name::PrintTitle, m_title->text());
    });
    connect(m_author, &QLineEdit::editingFinished, this,
            [this] { m_settings.setString(Name::PrintCompany, m_author->text()); });
    // Stored as it changes: a box ticked just before closing the window is remembered too.
    connect(m_shadingBox, &QCheckBox::toggled, this,
            [this](bool on) { m_settings.setBoolean(Name::PrintGridLines, on); });
}

void PrintOptionsWindow::readSettings()
{
    if (m_kind == browse::PrintKind::Measurements)
        m_title->setText(m_settings.string(Name::PrintTitle).value_or(QString()));
    m_author->setText(m_settings.string(Name::PrintCompany).value_or(QString()));
    const QSignalBlocker quiet(m_shadingBox);
    m_shadingBox->setChecked(m_settings.boolean(Name::PrintGridLines).value_or(false));
}

void PrintOptionsWindow::setRange(const QDateTime& from, const QDateTime& to)
{
    clearRangeLimits();
    m_fromDate->setDate(from.date());
    m_fromTime->setTime(from.time());
    m_toDate->setDate(to.date());
    m_toTime->setTime(to.time());
}

void PrintOptionsWindow::setAllRecords(bool all)
{
    m_all->setChecked(all);
}

void PrintOptionsWindow::setTitle(const QString& title)
{
    m_title->setText(title);
}

QString PrintOptionsWindow::title() const
{
    return m_title->text();
}

void PrintOptionsWindow::setReportTexts(const QTextDocument* main, const QTextDocument* additional)
{
    m_main = main;
    m_additional = additional;
}

void PrintOptionsWindow::prepare(browse::PrintKind kind)
{
    m_kind = kind;
    m_state.printSelection().setKind(kind);
    readSettings();
    if (kind == browse::PrintKind::Measurements)
        setRangeLimits();
    updateEnabled();
}

int PrintOptionsWindow::openModally(browse::PrintKind kind)
{
    prepare(kind);
    return exec();
}

// The range can reach from the first record's day to the day after the last record's.
void PrintOptionsWindow::setRangeLimits()
{
    const auto times = printSourceTimes(m_state);
    if (!times) {
        // A source without records leaves the range free, not bound to another database's days.
        clearRangeLimits();
        return;
    }
    const QDate first = times->first.date();
    const QDate last = times->last.date();
    m_fromDate->setDateRange(first, last);
    m_toDate->setDateRange(first, last.addDays(1));
}

void PrintOptionsWindow::clearRangeLimits()
{
    for (QDateEdit* field : {m_fromDate, m_toDate}) {
        field->clearMinimumDate();
        field->clearMaximumDate();
    }
}

void PrintOptionsWindow::updateEnabled()
{
    const bool measurements = m_kind == browse::PrintKind::Measurements;
    for (QWidget* field : std::initializer_list<QWidget*>{m_title, m_comment, m_all, m_shadingBox})
        field->setEnabled(measurements);
    const bool range = measurements && !m_all->isChecked();
    for (QWidget* field :
         std::initializer_list<QWidget*>{m_fromDate, m_fromTime, m_toDate, m_toTime})
        field->setEnabled(range);
}

PrintOptions PrintOptionsWindow::options() const
{
    PrintOptions options;
    options.title = m_title->text();
    options.comment = m_comment->toPlainText();
    options.author = m_author->text();
    options.from = QDateTime(m_fromDate->date(), m_fromTime->time());
    options.to = QDateTime(m_toDate->date(), m_toTime->time());
    options.allRecords = m_all->isChecked();
    options.shading = m_shadingBox->isChecked();
    return options;
}

ReportLayout PrintOptionsWindow::reportLayout()
{
    if (m_kind == browse::PrintKind::Norm)
        return ReportLayout::complianceReport(m_state, options(), m_main, m_additional);
    return ReportLayout::measurements(m_state, options(), m_shading, m_limit);
}

std::optional<int> PrintOptionsWindow::paintReport(QPagedPaintDevice& device)
{
    return reportLayout().paint(device);
}

QPrinter& PrintOptionsWindow::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        ReportLayout::setPage(*m_printer);
    }
    m_printer->setDuplex(QPrinter::DuplexNone);
    return *m_printer;
}

void PrintOptionsWindow::preview()
{
    QPrintPreviewDialog dialog(&printer(), this);
    dialog.setWindowTitle(tr("Podgląd wydruku"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { paintReport(*target); });
    dialog.exec();
}

void PrintOptionsWindow::print()
{
    if (!paintReport(printer()))
        m_warning(tr("Nie udało się wydrukować raportu. Sprawdź, czy w systemie jest ustawiona "
                     "drukarka domyślna."));
}

void PrintOptionsWindow::savePdf()
{
    const QString path = m_fileDialog();
    if (path.isEmpty())
        return;
    m_pdfFolder = QFileInfo(path).absolutePath();
    if (!reportLayout().writePdf(path))
        m_warning(ReportTexts::pdfNotWritten(path));
}

QString PrintOptionsWindow::askPdfPath()
{
    QFileDialog dialog(this, tr("Zapisz PDF"), m_pdfFolder, tr("Pliki PDF (*.pdf *.PDF)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace kapstat::print
