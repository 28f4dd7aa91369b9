#pragma once

#include <QLabel>

namespace kapstat::live {

// A value box of the live pages: fixed size, bold white fixed-pitch digits on black, so that
// the space-padded numbers line up.
class ValueFieldLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ValueFieldLabel(QWidget* parent = nullptr);

    // Blue for voltage captions, green for current captions, black for the rest.
    static QColor captionColour(const QString& caption);
    static QLabel* caption(const QString& text, QWidget* parent);
    static QLabel* sectionTitle(const QString& text, QWidget* parent);
};

} // namespace kapstat::live
