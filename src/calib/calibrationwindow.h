#pragma once

#include "calib/calibrationset.h"
#include "calib/coefficientrows.h"
#include "link/closeguardeddialog.h"
#include "live/livestore.h"

#include <array>

class QComboBox;
class QIntValidator;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace kapstat::calib {

class CalibrationChart;
class CalibrationConversation;

// "Kalibracja": the recorder's calibration coefficients per channel and range, the live state of
// its inputs, and the automatic DC and gain calibrations. It only shows what the conversation
// and the core compute, and forwards the clicks.
class CalibrationWindow : public link::CloseGuardedDialog
{
    Q_OBJECT

public:
    CalibrationWindow(CalibrationConversation& conversation, CalibrationSet& set,
                      const live::LiveStore& store, QWidget* parent = nullptr);

    QComboBox* rangeList() const { return m_ranges; }
    QRadioButton* dcMode() const { return m_dc; }
    QRadioButton* gainMode() const { return m_gain; }
    QRadioButton* clamps() const { return m_clamps; }
    QRadioButton* loop() const { return m_loop; }
    QLineEdit* valueField(int channel) const { return m_values[channel]; }
    QLineEdit* exponentField(int channel) const { return m_exponents[channel]; }
    QPushButton* automaticButton() const { return m_automatic; }
    QLineEdit* unField() const { return m_un; }
    QLineEdit* inField() const { return m_in; }
    QTableWidget* table() const { return m_table; }
    CalibrationChart* chart() const { return m_chart; }
    QPushButton* fixRangeButton() const { return m_fixRange; }
    QSpinBox* fixRangeField() const { return m_fixRangeEntry; }
    QLabel* dateLabel() const { return m_date; }
    QLineEdit* generatorField() const { return m_generator; }
    // "Odbierz", "Wyślij", "Odczytaj", "Zapisz", "Zamknij", "Zapisz do EEPROM".
    QPushButton* button(const QString& caption) const;

    // "Odczytaj" and "Zapisz" once the file is chosen; false, with the reason shown, on failure.
    bool loadFile(const QString& path);
    bool saveFile(const QString& path);

protected:
    bool requestClose() override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createCoefficientPanel();
    QWidget* createModeRow();
    QWidget* createStatePanel();
    QWidget* createButtonRow();
    void connectConversation();
    CoefficientSelection selection() const;
    void showCoefficients();
    void showCalibrationState();
    void fillRangeList(int entries, int selected);
    void onTransducersChosen();
    void resetAutomatic();
    void onAutomaticClicked();
    void setAutomaticRunning(bool running);
    void onChannelTicked(int row);
    void showMessageBox(const QString& text);
    void chooseFileToLoad();
    void chooseFileToSave();

    CalibrationConversation& m_conversation;
    CalibrationSet& m_set;
    const live::LiveStore& m_store;
    QComboBox* m_ranges = nullptr;
    QRadioButton* m_dc = nullptr;
    QRadioButton* m_gain = nullptr;
    QRadioButton* m_clamps = nullptr;
    QRadioButton* m_loop = nullptr;
    std::array<QLabel*, ChannelCount> m_exponentCaptions{};
    std::array<QLineEdit*, ChannelCount> m_values{};
    std::array<QIntValidator*, ChannelCount> m_valueRanges{};
    std::array<QLineEdit*, ChannelCount> m_exponents{};
    QPushButton* m_automatic = nullptr;
    QLineEdit* m_un = nullptr;
    QLineEdit* m_in = nullptr;
    QTableWidget* m_table = nullptr;
    CalibrationChart* m_chart = nullptr;
    QPushButton* m_fixRange = nullptr;
    QSpinBox* m_fixRangeEntry = nullptr;
    QLabel* m_date = nullptr;
    QLineEdit* m_generator = nullptr;
    QWidget* m_coefficientPanel = nullptr;
    QList<QPushButton*> m_buttons;
};

} // namespace kapstat::calib
