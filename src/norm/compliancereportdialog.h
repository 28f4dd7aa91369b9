#pragma once

#include "norm/compliancereport.h"

#include <QDialog>
#include <functional>
#include <memory>

class QTextDocument;

namespace kapstat::norm {

// Shows the compliance report's two texts side by side under its title, and prints them or saves
// them as PDF. Stands in for the print options window's report kind.
class ComplianceReportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ComplianceReportDialog(ComplianceReport report, QWidget* parent = nullptr);
    ~ComplianceReportDialog() override;

    const ComplianceReport& report() const { return m_report; }

private:
    using Output = std::function<bool(QTextDocument& main, QTextDocument& additional)>;

    bool render(const Output& output) const;
    void print();
    void savePdf();

    ComplianceReport m_report;
    std::unique_ptr<QTextDocument> m_main;
    std::unique_ptr<QTextDocument> m_additional;
};

} // namespace kapstat::norm
