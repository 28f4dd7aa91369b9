#include "app/aboutbox.h"

#include "link/servicemode.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace kapstat::app {

namespace {

constexpr int PictureSize = 96;

// The maker's details; a distributor puts its own here.
const char* const MakerAddress = "Ondral\nPolska";
const char* const MailLink = "mailto:biuro@ondral.pl";
const char* const MailText = "biuro@ondral.pl";
const char* const WebLink = "http://www.ondral.pl";

// A recorder with a waveform on its display.
QPixmap recorderPicture()
{
    QPixmap pixmap(PictureSize, PictureSize);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x30, 0x40), 2));
    p.setBrush(QColor(0xd8, 0xdc, 0xe8));
    p.drawRoundedRect(QRectF(8, 14, 80, 68), 8, 8);
    p.setBrush(QColor(0x10, 0x20, 0x10));
    p.drawRect(QRectF(18, 24, 60, 30));
    QPainterPath wave;
    for (int i = 0; i <= 60; ++i) {
        const qreal y = 39 - 11 * std::sin(i / 60.0 * 4 * M_PI);
        i == 0 ? wave.moveTo(18 + i, y) : wave.lineTo(18 + i, y);
    }
    p.setPen(QPen(QColor(0x60, 0xf0, 0x60), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    p.setPen(Qt::NoPen);
    const QColor lamps[] = {QColor(0x20, 0x90, 0x40), QColor(0xe0, 0xa0, 0x20),
                            QColor(0xc0, 0x20, 0x20)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lamps[i]);
        p.drawEllipse(QPointF(30 + i * 18, 68), 4, 4);
    }
    return pixmap;
}

QLabel* link(const QString& href, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(href, text), parent);
    label->setOpenExternalLinks(true);
    return label;
}

} // namespace

AboutBox::AboutBox(link::ServiceMode& serviceMode, QWidget* parent)
    : QDialog(parent), m_serviceMode(serviceMode)
{
    setWindowTitle(tr("O programie..."));
    setModal(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    m_picture = new QLabel(this);
    m_picture->setPixmap(recorderPicture());
    m_picture->installEventFilter(this);

    auto* name = new QLabel(tr("Kapstat"), this);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 8);
    name->setFont(big);
    auto* purpose = new QLabel(
        tr("Program służy do obsługi rejestratorów KAP-640 w wersji 1.0, 1.1, 2.0, 2.1"), this);
    purpose->setWordWrap(true);
    auto* ok = new QPushButton(tr("OK"), this);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(new QLabel(tr("wersja 2.20"), this));
    text->addWidget(purpose);
    text->addWidget(new QLabel(tr("luty 2005"), this));
    text->addSpacing(8);
    text->addWidget(new QLabel(tr(MakerAddress), this));
    text->addWidget(link(QString::fromLatin1(MailLink), QString::fromLatin1(MailText), this));
    text->addWidget(link(QString::fromLatin1(WebLink), QString::fromLatin1(WebLink), this));
    auto* body = new QHBoxLayout;
    body->addWidget(m_picture, 0, Qt::AlignTop);
    body->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedWidth(460);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_picture && event->type() == QEvent::MouseButtonDblClick) {
        askForServicePassword();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutBox::askForServicePassword()
{
    bool entered = false;
    const QString password =
        QInputDialog::getText(this, tr("Wprowadź hasło"), tr("Odblokwanie licznikow:"),
                              QLineEdit::Normal, QString(), &entered);
    if (entered)
        m_serviceMode.unlock(password);
}

} // namespace kapstat::app
