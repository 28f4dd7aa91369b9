#include "live/valuefieldlabel.h"

namespace kapstat::live {

namespace {
// Wide enough for the longest texts the formats give: " 123,40" and "123,4567".
constexpr int FieldWidth = 96;
constexpr int FieldHeight = 22;
constexpr int FieldFontPixels = 19;
} // namespace

ValueFieldLabel::ValueFieldLabel(QWidget* parent) : QLabel(parent)
{
    setFixedSize(FieldWidth, FieldHeight);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setBold(true);
    font.setPixelSize(FieldFontPixels);
    setFont(font);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
}

QColor ValueFieldLabel::captionColour(const QString& caption)
{
    if (caption.startsWith(QLatin1Char('U')) || caption.startsWith(QLatin1String("THDU")) ||
        caption.startsWith(QLatin1String("CFU")))
        return Qt::blue;
    if (caption.startsWith(QLatin1Char('I')) || caption.startsWith(QLatin1String("THDI")) ||
        caption.startsWith(QLatin1String("CFI")))
        return QColor(0, 0x80, 0);
    return Qt::black;
}

QLabel* ValueFieldLabel::caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, captionColour(text));
    label->setPalette(p);
    return label;
}

QLabel* ValueFieldLabel::sectionTitle(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(p);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace kapstat::live
