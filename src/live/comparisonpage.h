#pragma once

#include "live/livestore.h"

#include <QList>
#include <QWidget>

class QGridLayout;
class QLabel;
class QVBoxLayout;

namespace kapstat::live {

struct ComparisonGroup;

// The "Wyniki" page: every value of the latest frame as the recorder computed it (red) above the
// program's own computations (blue, green, fuchsia).
class ComparisonPage : public QWidget
{
    Q_OBJECT

public:
    explicit ComparisonPage(QWidget* parent = nullptr);

    void show(const LiveStore& store);
    // The value labels, in the order of ComparisonTable::labels().
    const QList<QLabel*>& valueLabels() const { return m_labels; }

private:
    QWidget* createGroup(int group);
    static void addHeads(const ComparisonGroup& description, QVBoxLayout* layout,
                         QGridLayout* grid);
    void addValueLabels(int group, QGridLayout* grid);

    QList<QLabel*> m_labels;
};

} // namespace kapstat::live
