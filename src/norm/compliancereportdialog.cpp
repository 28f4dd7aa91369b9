#include "norm/compliancereportdialog.h"

#include "norm/reporttextdocument.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace kapstat::norm {

namespace {

QTextEdit* viewOf(QTextDocument* document, QWidget* parent)
{
    auto* view = new QTextEdit(parent);
    view->setDocument(document);
    view->setReadOnly(true);
    view->setLineWrapMode(QTextEdit::NoWrap);
    return view;
}

} // namespace

ComplianceReportDialog::ComplianceReportDialog(ComplianceReport report, QWidget* parent)
    : QDialog(parent), m_report(std::move(report)),
      m_main(ReportTextDocument::create(m_report.main)),
      m_additional(ReportTextDocument::create(m_report.additional))
{
    setWindowTitle(m_report.title);
    auto* title = new QLabel(m_report.title, this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    auto* texts = new QHBoxLayout;
    texts->addWidget(viewOf(m_main.get(), this));
    texts->addWidget(viewOf(m_additional.get(), this));
    auto* buttons = new QDialogButtonBox(this);
    connect(buttons->addButton(tr("Drukuj..."), QDialogButtonBox::ActionRole),
            &QPushButton::clicked, this, &ComplianceReportDialog::print);
    connect(buttons->addButton(tr("Zapisz PDF..."), QDialogButtonBox::ActionRole),
            &QPushButton::clicked, this, &ComplianceReportDialog::savePdf);
    connect(buttons->addButton(tr("Zamknij"), QDialogButtonBox::RejectRole), &QPushButton::clicked,
            this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(texts, 1);
    layout->addWidget(buttons);
    resize(1000, 700);
}

ComplianceReportDialog::~ComplianceReportDialog() = default;

bool ComplianceReportDialog::render(const Output& output) const
{
    // Output lays documents out for its device; the shown ones keep the screen's layout.
    auto main = ReportTextDocument::create(m_report.main);
    auto additional = ReportTextDocument::create(m_report.additional);
    return output(*main, *additional);
}

void ComplianceReportDialog::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!render([&](QTextDocument& main, QTextDocument& additional) {
            return ReportTextDocument::print(printer, m_report.title, main, additional);
        }))
        QMessageBox::warning(this, windowTitle(), tr("Nie można wydrukować raportu."));
}

void ComplianceReportDialog::savePdf()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Zapisz raport jako PDF"), QString(),
                                                      tr("Dokumenty PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!render([&](QTextDocument& main, QTextDocument& additional) {
            return ReportTextDocument::writePdf(path, m_report.title, main, additional);
        }))
        QMessageBox::warning(this, windowTitle(),
                             tr("Nie można zapisać raportu do pliku %1.").arg(path));
}

} // namespace kapstat::norm
