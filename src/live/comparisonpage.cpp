#include "live/comparisonpage.h"

#include "live/comparisontable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kapstat::live {

namespace {

// Which groups stand in each column of the page, top to bottom.
const QList<QList<int>> ColumnGroups{{0, 8, 9, 6}, {1, 2, 3, 7, 5}, {4, 10, 11}};
// Grid rows per row of a group: the recorder's label, the blue one, the green and the fuchsia.
constexpr int Levels = 4;

QColor colourOf(ComparisonMethod method)
{
    switch (method) {
    case ComparisonMethod::Recorder:
        return Qt::red;
    case ComparisonMethod::Direct:
        return Qt::blue;
    case ComparisonMethod::Second:
        return QColor(0, 0x80, 0);
    case ComparisonMethod::Third:
        break;
    }
    return Qt::magenta;
}

QString styleOf(ComparisonMethod method, bool undecodable)
{
    QString style = QStringLiteral("color: %1;").arg(colourOf(method).name());
    if (undecodable)
        style += QStringLiteral(" background-color: #FFFF80;");
    return style;
}

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("font-weight: bold;"));
    return label;
}

} // namespace

ComparisonPage::ComparisonPage(QWidget* parent) : QWidget(parent)
{
    m_labels.resize(ComparisonTable::labels().size());
    // Some 150 labels share the page: a small font keeps them on one screen.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    auto* columns = new QHBoxLayout(this);
    for (const QList<int>& groups : ColumnGroups) {
        auto* column = new QVBoxLayout;
        for (const int group : groups)
            column->addWidget(createGroup(group));
        column->addStretch(1);
        columns->addLayout(column);
    }
}

QWidget* ComparisonPage::createGroup(int group)
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 6);
    const ComparisonGroup& description = ComparisonTable::groups()[group];
    layout->addWidget(heading(description.heading, box));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(0);
    addHeads(description, layout, grid);
    layout->addLayout(grid);
    addValueLabels(group, grid);
    return box;
}

void ComparisonPage::addHeads(const ComparisonGroup& description, QVBoxLayout* layout,
                              QGridLayout* grid)
{
    QWidget* box = layout->parentWidget();
    QHBoxLayout* line = description.headsOverColumns ? nullptr : new QHBoxLayout;
    for (int column = 0; column < description.heads.size(); ++column) {
        const ComparisonHead& head = description.heads[column];
        auto* label = new QLabel(head.text, box);
        if (line) {
            label->setStyleSheet(styleOf(head.method, false));
            line->addWidget(label);
        } else {
            grid->addWidget(label, 0, column);
        }
    }
    if (line) {
        line->addStretch(1);
        layout->addLayout(line);
    }
}

void ComparisonPage::addValueLabels(int group, QGridLayout* grid)
{
    QWidget* box = grid->parentWidget();
    const QList<ComparisonLabel>& labels = ComparisonTable::labels();
    for (int i = 0; i < labels.size(); ++i) {
        const ComparisonLabel& label = labels[i];
        if (label.group != group)
            continue;
        auto* value = new QLabel(ComparisonTable::placeholder(label), box);
        value->setStyleSheet(styleOf(label.method, false));
        value->setToolTip(label.hint);
        m_labels[i] = value;
        const int row = 1 + label.row * Levels + static_cast<int>(label.method);
        if (label.caption.isEmpty()) {
            grid->addWidget(value, row, label.column);
            continue;
        }
        auto* cell = new QHBoxLayout;
        cell->addWidget(new QLabel(label.caption, box));
        cell->addWidget(value);
        cell->addStretch(1);
        grid->addLayout(cell, row, label.column);
    }
}

void ComparisonPage::show(const LiveStore& store)
{
    const QList<ComparisonLabel>& labels = ComparisonTable::labels();
    for (int i = 0; i < labels.size(); ++i) {
        const ComparisonText text = ComparisonTable::text(labels[i], store);
        m_labels[i]->setText(text.text);
        // Once light yellow, a label stays so while the window exists.
        if (text.undecodable)
            m_labels[i]->setStyleSheet(styleOf(labels[i].method, true));
    }
}

} // namespace kapstat::live
