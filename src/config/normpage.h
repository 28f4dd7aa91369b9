#pragma once

#include "config/normparameters.h"

#include <QHash>
#include <QList>
#include <QTabWidget>
#include <variant>

class QLabel;

namespace kapstat::link {
class Prompter;
}

namespace kapstat::config {

class ConfigurationModel;
class NormParameterLabel;

// The "Norma" tab: the compliance parameters as lime numbers inside their texts, the values
// repeated elsewhere in the texts, and the return to the PN-EN 50160 values.
class NormPage : public QTabWidget
{
    Q_OBJECT

public:
    enum class Mirror
    {
        OvervoltageTolerance,
        DipUpper,
        DipLower,
        LongInterruption
    };

    NormPage(ConfigurationModel& model, link::Prompter& prompter, QWidget* parent = nullptr);

    NormParameterLabel* label(NormField field) const { return m_labels.value(field); }
    QLabel* mirror(Mirror mirror) const { return m_mirrors.value(mirror); }

private:
    // A line of a norm text: plain words, lime parameters and mirrored values.
    using Piece = std::variant<QString, NormField, Mirror>;

    QWidget* line(const QList<Piece>& pieces);
    QWidget* group(const QString& title, const QList<QWidget*>& lines);
    QWidget* subPage(const QList<QWidget*>& groups);
    QWidget* frequencyAndVoltage();
    QWidget* harmonics();
    QWidget* dipsAndInterruptions();
    QWidget* overvoltages();
    QWidget* standard();
    void showMirrors();
    void resetDefaults();

    ConfigurationModel& m_model;
    link::Prompter& m_prompter;
    QHash<NormField, NormParameterLabel*> m_labels;
    QHash<Mirror, QLabel*> m_mirrors;
};

} // namespace kapstat::config
