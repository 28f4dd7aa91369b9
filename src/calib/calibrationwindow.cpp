#include "calib/calibrationwindow.h"

#include "calib/calibrationchart.h"
#include "calib/calibrationconversation.h"
#include "calib/calibrationfile.h"
#include "calib/calibrationstatetext.h"
#include "common/datetimetext.h"
#include "common/decimaltext.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>

namespace kapstat::calib {

namespace {

constexpr int Width = 900;
constexpr int Height = 620;
constexpr int ExponentLimit = 10;
constexpr int TableColumns = 6;
const QColor LightYellow(0xFF, 0xFF, 0xC0);
const char* const RowCaptions[] = {"U L1:", "U L2:", "U L3:", "I L1:", "I L2:", "I L3:"};
const char* const TableRows[] = {"UL1", "UL2", "UL3", "IL1", "IL2", "IL3"};
const char* const TableHeader[] = {"", "abs(max)", "nr wzm.", "DC", "War. sk.", "War. odb."};

QString fileFilter()
{
    return QCoreApplication::translate("kapstat::calib::CalibrationWindow",
                                       "Pliki kalibracji (*.kal *.KAL)");
}

QLineEdit* numberField(QIntValidator* range, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    // The rows keep their places while the voltage fields are hidden.
    QSizePolicy policy = field->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    field->setSizePolicy(policy);
    range->setParent(field);
    field->setValidator(range);
    field->setFixedWidth(80);
    return field;
}

// A whole number typed into a field within its range; none while the text is not one yet ("-",
// empty) or lies beyond the range, which typing the same count of digits still allows.
std::optional<int> typedNumber(const QLineEdit* field)
{
    if (!field->hasAcceptableInput())
        return std::nullopt;
    return field->text().toInt();
}

} // namespace

CalibrationWindow::CalibrationWindow(CalibrationConversation& conversation, CalibrationSet& set,
                                     const live::LiveStore& store, QWidget* parent)
    : CloseGuardedDialog(parent), m_conversation(conversation), m_set(set), m_store(store)
{
    setWindowTitle(tr("Kalibracja"));
    setModal(true);
    resize(Width, Height);
    auto* left = new QVBoxLayout;
    left->addWidget(createModeRow());
    left->addWidget(createCoefficientPanel());
    left->addStretch();
    auto* main = new QHBoxLayout;
    main->addLayout(left);
    main->addWidget(createStatePanel(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(main, 1);
    layout->addWidget(createButtonRow());
    fillRangeList(rangeEntryCount(Transducer::Clamps), 0);
    connectConversation();
    resetAutomatic();
}

QWidget* CalibrationWindow::createModeRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Wzmocnienie: "), row));
    m_ranges = new QComboBox(row);
    layout->addWidget(m_ranges);
    auto* mode = new QGroupBox(tr("Kalibracja"), row);
    m_dc = new QRadioButton(tr("DC"), mode);
    m_gain = new QRadioButton(tr("wzmocnienia"), mode);
    m_dc->setChecked(true);
    auto* modeLayout = new QHBoxLayout(mode);
    modeLayout->addWidget(m_dc);
    modeLayout->addWidget(m_gain);
    layout->addWidget(mode);
    layout->addStretch();
    connect(m_ranges, &QComboBox::currentIndexChanged, this, [this] { showCoefficients(); });
    connect(m_dc, &QRadioButton::toggled, this, [this] {
        resetAutomatic();
        showCoefficients();
    });
    return row;
}

QWidget* CalibrationWindow::createCoefficientPanel()
{
    m_coefficientPanel = new QWidget(this);
    auto* grid = new QGridLayout(m_coefficientPanel);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int c = 0; c < ChannelCount; ++c) {
        // Typing what the recorder's block cannot carry is refused: five digits, or a byte.
        m_valueRanges[c] = new QIntValidator(-LargestGainMantissa, LargestGainMantissa);
        m_values[c] = numberField(m_valueRanges[c], m_coefficientPanel);
        m_exponentCaptions[c] = new QLabel(tr("exp."), m_coefficientPanel);
        m_exponents[c] =
            numberField(new QIntValidator(-ExponentLimit, ExponentLimit), m_coefficientPanel);
        m_exponents[c]->setFixedWidth(40);
        grid->addWidget(new QLabel(tr(RowCaptions[c]), m_coefficientPanel), c, 0);
        grid->addWidget(m_values[c], c, 1);
        grid->addWidget(m_exponentCaptions[c], c, 2);
        grid->addWidget(m_exponents[c], c, 3);
        connect(m_values[c], &QLineEdit::textEdited, this, [this, c] {
            if (const auto value = typedNumber(m_values[c]))
                setRowValue(m_set, selection(), c, *value);
        });
        connect(m_exponents[c], &QLineEdit::textEdited, this, [this, c] {
            if (const auto value = typedNumber(m_exponents[c]))
                setRowExponent(m_set, selection(), c, *value);
        });
        // A value left out of range shows what the set still holds.
        for (QLineEdit* field : {m_values[c], m_exponents[c]})
            connect(field, &QLineEdit::editingFinished, this, [this] { showCoefficients(); });
    }
    int row = ChannelCount;
    m_fixRange = new QPushButton(tr("Ustaw wzmocnienie"), m_coefficientPanel);
    m_fixRangeEntry = new QSpinBox(m_coefficientPanel);
    m_fixRangeEntry->setRange(0, LoopRangeCount - 1);
    grid->addWidget(m_fixRange, row, 0, 1, 2);
    grid->addWidget(m_fixRangeEntry, row++, 2, 1, 2);
    auto* eeprom = new QPushButton(tr("Zapisz do EEPROM"), m_coefficientPanel);
    m_buttons << eeprom;
    grid->addWidget(eeprom, row++, 0, 1, 4);
    m_date = new QLabel(m_coefficientPanel);
    grid->addWidget(m_date, row++, 0, 1, 4);
    grid->addWidget(new QLabel(tr("Poprawka generatora:"), m_coefficientPanel), row, 0, 1, 2);
    m_generator = numberField(
        new QIntValidator(std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()),
        m_coefficientPanel);
    grid->addWidget(m_generator, row++, 2, 1, 2);
    auto* transducers = new QGroupBox(tr("Przekładniki"), m_coefficientPanel);
    m_clamps = new QRadioButton(tr("cęgi"), transducers);
    m_loop = new QRadioButton(tr("pętla"), transducers);
    m_clamps->setChecked(true);
    auto* transducerLayout = new QHBoxLayout(transducers);
    transducerLayout->addWidget(m_clamps);
    transducerLayout->addWidget(m_loop);
    grid->addWidget(transducers, row, 0, 1, 4);
    grid->setColumnStretch(4, 1);

    connect(m_generator, &QLineEdit::textEdited, this, [this] {
        if (const auto value = typedNumber(m_generator))
            m_set.generatorCorrection = *value;
    });
    connect(m_fixRange, &QPushButton::clicked, this,
            [this] { m_conversation.toggleFixedRange(m_fixRangeEntry->value()); });
    connect(eeprom, &QPushButton::clicked, this, [this] { m_conversation.storeInEeprom(); });
    connect(m_clamps, &QRadioButton::toggled, this, [this] { onTransducersChosen(); });
    return m_coefficientPanel;
}

QWidget* CalibrationWindow::createStatePanel()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    m_automatic = new QPushButton(panel);
    m_automatic->setMinimumWidth(150);
    m_un = new QLineEdit(QStringLiteral("220"), panel);
    m_in = new QLineEdit(QStringLiteral("5"), panel);
    top->addWidget(m_automatic);
    top->addWidget(new QLabel(tr("Un = "), panel));
    top->addWidget(m_un);
    top->addWidget(new QLabel(tr("In = "), panel));
    top->addWidget(m_in);
    layout->addLayout(top);

    m_table = new QTableWidget(ChannelCount, TableColumns, panel);
    QStringList header;
    for (const char* caption : TableHeader)
        header << tr(caption);
    m_table->setHorizontalHeaderLabels(header);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int c = 0; c < ChannelCount; ++c) {
        auto* item = new QTableWidgetItem(QLatin1String(TableRows[c]));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        m_table->setItem(c, 0, item);
        for (int column = 1; column < TableColumns; ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(c, column, cell);
        }
    }
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->setFixedHeight(m_table->horizontalHeader()->height() +
                            ChannelCount * m_table->rowHeight(0) + 4);
    layout->addWidget(m_table);
    m_chart = new CalibrationChart(panel);
    layout->addWidget(m_chart, 1);

    connect(m_automatic, &QPushButton::clicked, this, &CalibrationWindow::onAutomaticClicked);
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 0)
            onChannelTicked(item->row());
    });
    return panel;
}

QWidget* CalibrationWindow::createButtonRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"Odbierz", [this] { m_conversation.readCoefficients(); }},
        {"Wyślij", [this] { m_conversation.sendCoefficients(); }},
        {"Odczytaj", [this] { chooseFileToLoad(); }},
        {"Zapisz", [this] { chooseFileToSave(); }},
        {"Zamknij", [this] { reject(); }}};
    for (const auto& [caption, handler] : actions) {
        auto* button = new QPushButton(tr(caption), row);
        m_buttons << button;
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, handler);
    }
    return row;
}

void CalibrationWindow::connectConversation()
{
    connect(&m_conversation, &CalibrationConversation::frameAnalysed, this,
            &CalibrationWindow::showCalibrationState);
    connect(&m_conversation, &CalibrationConversation::coefficientsChanged, this,
            &CalibrationWindow::showCoefficients);
    connect(&m_conversation, &CalibrationConversation::automaticEnded, this,
            &CalibrationWindow::resetAutomatic);
    connect(&m_conversation, &CalibrationConversation::messageBoxRequested, this,
            &CalibrationWindow::showMessageBox);
    connect(&m_conversation, &CalibrationConversation::fixedRangeChanged, this, [this](bool fixed) {
        m_fixRange->setText(fixed ? tr("Włącz automatyke") : tr("Ustaw wzmocnienie"));
    });
    connect(&m_conversation, &CalibrationConversation::closed, this, [this] {
        if (isVisible())
            closeNow();
    });
}

QPushButton* CalibrationWindow::button(const QString& caption) const
{
    for (QPushButton* b : m_buttons)
        if (b->text() == caption)
            return b;
    return nullptr;
}

void CalibrationWindow::showEvent(QShowEvent* event)
{
    CloseGuardedDialog::showEvent(event);
    // A window restored from the task bar is still in its loop.
    if (event->spontaneous())
        return;
    m_ranges->setCurrentIndex(0);
    showCoefficients();
    m_conversation.startLoop();
}

bool CalibrationWindow::requestClose()
{
    return m_conversation.requestClose();
}

CoefficientSelection CalibrationWindow::selection() const
{
    return {m_loop->isChecked() ? Transducer::Loop : Transducer::Clamps,
            m_gain->isChecked() ? CalibrationMode::Gain : CalibrationMode::Dc,
            std::max(0, m_ranges->currentIndex())};
}

void CalibrationWindow::showCoefficients()
{
    const CoefficientSelection chosen = selection();
    const bool gain = chosen.mode == CalibrationMode::Gain;
    const auto rows = coefficientRows(m_set, chosen);
    for (int c = 0; c < ChannelCount; ++c) {
        const CoefficientRow& row = rows[c];
        const int limit = gain ? LargestGainMantissa : LargestDcOffset;
        m_valueRanges[c]->setRange(-limit, limit);
        m_values[c]->setText(QString::number(row.value));
        m_exponents[c]->setText(QString::number(row.exponent));
        m_exponents[c]->setEnabled(row.exponentEditable);
        for (QWidget* w :
             {static_cast<QWidget*>(m_values[c]), static_cast<QWidget*>(m_exponents[c]),
              static_cast<QWidget*>(m_exponentCaptions[c])})
            w->setVisible(row.visible);
    }
    m_generator->setText(QString::number(m_set.generatorCorrection));
    m_date->setText(tr("Data ostatniej kalibracji:  ") +
                    common::DateTimeText::date(m_set.lastCalibration));
}

void CalibrationWindow::showCalibrationState()
{
    const auto rows = calibrationStateTexts(m_store, m_conversation.means());
    const QSignalBlocker blocker(m_table);
    for (int c = 0; c < ChannelCount; ++c) {
        const ChannelStateText& row = rows[c];
        const QString texts[] = {row.peak, row.range, row.dc, row.pcRms, row.recorderRms};
        for (int column = 1; column < TableColumns; ++column)
            m_table->item(c, column)->setText(texts[column - 1]);
        m_table->item(c, TableColumns - 1)
            ->setBackground(row.recorderRaw ? QBrush(LightYellow) : QBrush());
    }
    m_chart->showSamples(m_store);
}

void CalibrationWindow::fillRangeList(int entries, int selected)
{
    const QSignalBlocker blocker(m_ranges);
    m_ranges->clear();
    for (int entry = 0; entry < entries; ++entry)
        m_ranges->addItem(QString::number(entry));
    m_ranges->setCurrentIndex(selected);
}

// The loop carries currents only: the voltage rows and their check boxes go while it is chosen.
void CalibrationWindow::onTransducersChosen()
{
    const bool loop = m_loop->isChecked();
    const Transducer transducer = loop ? Transducer::Loop : Transducer::Clamps;
    fillRangeList(rangeEntryCount(transducer), rangeEntryCount(transducer) - 1);
    for (int c = 0; c < FirstCurrentChannel; ++c) {
        QTableWidgetItem* box = m_table->item(c, 0);
        if (loop) {
            box->setData(Qt::CheckStateRole, QVariant());
            box->setFlags(Qt::ItemIsEnabled);
        } else {
            box->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            box->setCheckState(Qt::Unchecked);
        }
        m_chart->setChannelVisible(c, !loop && box->checkState() == Qt::Checked);
    }
    showCoefficients();
}

void CalibrationWindow::onChannelTicked(int row)
{
    m_chart->setChannelVisible(row, m_table->item(row, 0)->checkState() == Qt::Checked);
}

// The start caption of the mode, and the chart's axis for it.
void CalibrationWindow::resetAutomatic()
{
    const bool gain = m_gain->isChecked();
    m_automatic->setText(gain ? tr("Autokalibracja WZM") : tr("Autokalibracja DC"));
    m_chart->setSpan(gain ? CalibrationChart::GainSpan : CalibrationChart::DcSpan);
    setAutomaticRunning(false);
}

void CalibrationWindow::onAutomaticClicked()
{
    if (m_conversation.isAutomaticRunning()) {
        m_conversation.stopAutomatic();
        return;
    }
    AutoCalibrationSettings settings;
    settings.selection = selection();
    for (int c = 0; c < ChannelCount; ++c)
        settings.ticked[c] = m_table->item(c, 0)->checkState() == Qt::Checked;
    const auto un = common::DecimalText::parse(m_un->text());
    const auto in = common::DecimalText::parse(m_in->text());
    if (settings.selection.mode == CalibrationMode::Gain && (!un || *un <= 0 || !in || *in <= 0)) {
        showMessageBox(tr("Un i In muszą być liczbami dodatnimi (np. 220 i 5)."));
        return;
    }
    settings.un = un.value_or(0);
    settings.in = in.value_or(0);
    m_automatic->setText(tr("STOP"));
    setAutomaticRunning(true);
    m_conversation.startAutomatic(settings);
}

// While an automatic calibration runs, nothing may change what it works on or replace its
// commands: only "STOP" and closing stay.
void CalibrationWindow::setAutomaticRunning(bool running)
{
    m_coefficientPanel->setEnabled(!running);
    m_ranges->setEnabled(!running);
    m_dc->setEnabled(!running);
    m_gain->setEnabled(!running);
    for (QPushButton* b : m_buttons)
        b->setEnabled(!running || b->text() == tr("Zamknij") || b->text() == tr("Zapisz"));
}

void CalibrationWindow::showMessageBox(const QString& text)
{
    auto* box =
        new QMessageBox(QMessageBox::Information, windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

bool CalibrationWindow::loadFile(const QString& path)
{
    if (const auto error = calibrationfile::load(m_set, path)) {
        QMessageBox::warning(this, windowTitle(), *error);
        return false;
    }
    showCoefficients();
    return true;
}

bool CalibrationWindow::saveFile(const QString& path)
{
    if (const auto error = calibrationfile::save(m_set, path)) {
        QMessageBox::warning(this, windowTitle(), *error);
        return false;
    }
    return true;
}

void CalibrationWindow::chooseFileToLoad()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Odczytaj"), QCoreApplication::applicationDirPath(), fileFilter());
    if (!path.isEmpty())
        loadFile(path);
}

void CalibrationWindow::chooseFileToSave()
{
    QFileDialog dialog(this, tr("Zapisz"), QCoreApplication::applicationDirPath(), fileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("kal"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        saveFile(dialog.selectedFiles().first());
}

} // namespace kapstat::calib
