#include "config/normparameters.h"

#include "common/decimaltext.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace kapstat::config {

namespace {

using common::DecimalText;

constexpr NormFieldTraits Traits[NormFieldCount] = {
    {"1", 0, 100, 0.1, true},    // FreqNarrowMinus
    {"1", 0, 100, 0.1, true},    // FreqNarrowPlus
    {"95", 0, 100, 1, true},     // FreqNarrowShare
    {"6", 0, 100, 0.1, true},    // FreqWideMinus
    {"4", 0, 100, 0.1, true},    // FreqWidePlus
    {"100", 0, 100, 1, true},    // FreqWideShare
    {"95", 0, 100, 1, true},     // VoltageShare
    {"10", 0, 20, 0.1, true},    // VoltageMinus
    {"10", 0, 20, 0.1, true},    // VoltagePlus
    {"95", 0, 100, 1, true},     // UnbalanceShare
    {"2", 0, 100, 1, true},      // UnbalanceLimit
    {"95", 0, 100, 1, true},     // HarmonicShare
    {"2", 0, 9.9, 0.1, true},    // H2
    {"5", 0, 9.9, 0.1, true},    // H3
    {"1", 0, 9.9, 0.1, true},    // H4
    {"6", 0, 9.9, 0.1, true},    // H5
    {"5", 0, 9.9, 0.1, true},    // H7
    {"1,5", 0, 9.9, 0.1, true},  // H9
    {"3,5", 0, 9.9, 0.1, true},  // H11
    {"3", 0, 9.9, 0.1, true},    // H13
    {"0,5", 0, 9.9, 0.1, true},  // H15
    {"2", 0, 9.9, 0.1, true},    // H17
    {"1,5", 0, 9.9, 0.1, true},  // H19
    {"0,5", 0, 9.9, 0.1, true},  // H21
    {"1,5", 0, 9.9, 0.1, true},  // H23
    {"0,5", 0, 9.9, 0.1, true},  // even orders
    {"8", 0, 100, 1, true},      // ThdLimit
    {"1", 1, 10, 1, false},      // InterruptionThreshold
    {"180", 60, 250, 1, false},  // LongInterruption
    {"190", 100, 200, 1, false}, // OvervoltageThreshold
    {"5", 5, 5, 0, false},       // RapidChangeLow
    {"10", 10, 10, 0, false},    // RapidChangeHigh
};

double roundedTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale; // half away from zero
}

double limited(NormField field, double value)
{
    return std::clamp(value, traits(field).minimum, traits(field).maximum);
}

} // namespace

const NormFieldTraits& traits(NormField field)
{
    return Traits[static_cast<int>(field)];
}

QString fieldName(NormField field)
{
    static const char* const names[NormFieldCount] = {
        QT_TRANSLATE_NOOP("NormParameters", "odchyłka częstotliwości w dół (przedział 1)"),
        QT_TRANSLATE_NOOP("NormParameters", "odchyłka częstotliwości w górę (przedział 1)"),
        QT_TRANSLATE_NOOP("NormParameters", "udział tygodnia dla częstotliwości (przedział 1)"),
        QT_TRANSLATE_NOOP("NormParameters", "odchyłka częstotliwości w dół (przedział 2)"),
        QT_TRANSLATE_NOOP("NormParameters", "odchyłka częstotliwości w górę (przedział 2)"),
        QT_TRANSLATE_NOOP("NormParameters", "udział tygodnia dla częstotliwości (przedział 2)"),
        QT_TRANSLATE_NOOP("NormParameters", "udział tygodnia dla napięcia"),
        QT_TRANSLATE_NOOP("NormParameters", "tolerancja napięcia w dół"),
        QT_TRANSLATE_NOOP("NormParameters", "tolerancja napięcia w górę"),
        QT_TRANSLATE_NOOP("NormParameters", "udział tygodnia dla asymetrii"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna asymetria napięcia"),
        QT_TRANSLATE_NOOP("NormParameters", "udział tygodnia dla harmonicznych"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H2"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H3"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H4"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H5"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H7"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H9"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H11"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H13"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H15"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H17"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H19"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H21"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalna harmoniczna H23"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalne harmoniczne parzyste H6-H24"),
        QT_TRANSLATE_NOOP("NormParameters", "dopuszczalny THD napięcia"),
        QT_TRANSLATE_NOOP("NormParameters", "próg przerwy w zasilaniu"),
        QT_TRANSLATE_NOOP("NormParameters", "granica długiej przerwy"),
        QT_TRANSLATE_NOOP("NormParameters", "próg przepięcia"),
        QT_TRANSLATE_NOOP("NormParameters", "szybkie zmiany napięcia, dolna granica"),
        QT_TRANSLATE_NOOP("NormParameters", "szybkie zmiany napięcia, górna granica"),
    };
    return QCoreApplication::translate("NormParameters", names[static_cast<int>(field)]);
}

NormField harmonicField(int order)
{
    switch (order) {
    case 2:
        return NormField::Harmonic2;
    case 3:
        return NormField::Harmonic3;
    case 4:
        return NormField::Harmonic4;
    case 5:
        return NormField::Harmonic5;
    default:
        break;
    }
    if (order % 2 == 0)
        return NormField::HarmonicEven;
    // Odd orders 7..23 follow each other in the enumeration.
    return static_cast<NormField>(static_cast<int>(NormField::Harmonic7) + (order - 7) / 2);
}

std::array<QString, NormFieldCount> NormParameters::defaultTexts()
{
    std::array<QString, NormFieldCount> texts;
    for (int i = 0; i < NormFieldCount; ++i)
        texts[i] = QString::fromUtf8(Traits[i].defaultText);
    return texts;
}

bool NormParameters::hasDefaultTexts() const
{
    for (int i = 0; i < NormFieldCount; ++i)
        if (Traits[i].inDefaultTest && texts[i] != QString::fromUtf8(Traits[i].defaultText))
            return false;
    return true;
}

void NormParameters::resetDefaults()
{
    for (int i = 0; i < NormFieldCount; ++i) {
        const auto field = static_cast<NormField>(i);
        if (Traits[i].inDefaultTest || field == NormField::InterruptionThreshold ||
            field == NormField::LongInterruption)
            texts[i] = QString::fromUtf8(Traits[i].defaultText);
    }
}

namespace normedit {

std::optional<QString> stepped(NormField field, const QString& text, int direction)
{
    const auto value = DecimalText::parse(text);
    if (!value || traits(field).step == 0)
        return std::nullopt;
    // Rounded to the step, so that repeated tenths do not gather binary noise.
    const double next = roundedTo(*value + direction * traits(field).step, editorDecimals(field));
    return DecimalText::general(limited(field, next));
}

int editorDecimals(NormField field)
{
    return traits(field).step < 1 ? 1 : 0;
}

QString editorText(NormField field, double value)
{
    const int decimals = editorDecimals(field);
    return DecimalText::fixed(roundedTo(limited(field, value), decimals), decimals);
}

} // namespace normedit

} // namespace kapstat::config
