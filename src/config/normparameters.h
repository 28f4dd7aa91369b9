#pragma once

#include <QString>
#include <array>
#include <optional>

namespace kapstat::config {

// The compliance parameters, each held as the text the user sees (decimal comma).
enum class NormField
{
    FreqNarrowMinus,
    FreqNarrowPlus,
    FreqNarrowShare,
    FreqWideMinus,
    FreqWidePlus,
    FreqWideShare,
    VoltageShare,
    VoltageMinus,
    VoltagePlus,
    UnbalanceShare,
    UnbalanceLimit,
    HarmonicShare,
    Harmonic2,
    Harmonic3,
    Harmonic4,
    Harmonic5,
    Harmonic7,
    Harmonic9,
    Harmonic11,
    Harmonic13,
    Harmonic15,
    Harmonic17,
    Harmonic19,
    Harmonic21,
    Harmonic23,
    HarmonicEven, // shared by the even orders 6..24
    ThdLimit,
    InterruptionThreshold,
    LongInterruption,
    OvervoltageThreshold,
    RapidChangeLow,
    RapidChangeHigh,
};
inline constexpr int NormFieldCount = static_cast<int>(NormField::RapidChangeHigh) + 1;

struct NormFieldTraits
{
    const char* defaultText;
    double minimum;
    double maximum;
    double step;        // 0: not editable
    bool inDefaultTest; // compared by NormParameters::isDefault
};

const NormFieldTraits& traits(NormField field);
// The field's name in messages about its value.
QString fieldName(NormField field);
// The field that holds the limit of voltage harmonic h (2..24).
NormField harmonicField(int order);

struct NormParameters
{
    std::array<QString, NormFieldCount> texts = defaultTexts();

    const QString& operator[](NormField field) const { return texts[static_cast<int>(field)]; }
    QString& operator[](NormField field) { return texts[static_cast<int>(field)]; }

    // Every text of the default test equal, character for character, to its default.
    bool hasDefaultTexts() const;
    // The PN-EN 50160 values back, except the over-voltage threshold and the rapid changes.
    void resetDefaults();

    bool operator==(const NormParameters&) const = default;

    static std::array<QString, NormFieldCount> defaultTexts();
};

// Stepping and inline editing of a norm field, each result within the field's range.
namespace normedit {
// value + step (direction 1) or - step (direction -1), in general format; nullopt when the text
// is not a number.
std::optional<QString> stepped(NormField field, const QString& text, int direction);
// Decimals the inline editor shows and stores: 1 for the fields stepped by 0.1, else 0.
int editorDecimals(NormField field);
// What the inline editor stores for a typed value: limited, then "0.0" or "0" format.
QString editorText(NormField field, double value);
} // namespace normedit

} // namespace kapstat::config
