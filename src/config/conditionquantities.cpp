#include "config/conditionquantities.h"

#include <QCoreApplication>
#include <QStringList>

namespace kapstat::config::conditions {

namespace {

constexpr int NamedQuantities = 66;
constexpr const char* Named[NamedQuantities] = {
    "Pav",    "Qav",    "Sav",   "U",     "I",     "P",     "PF",     "S",      "Q",      "D",
    "DPF",    "tg",     "f",     "I0",    "U12",   "U23",   "U31",    "UL1",    "UL2",    "UL3",
    "IL1",    "IL2",    "IL3",   "PL1",   "PL2",   "PL3",   "PFL1",   "PFL2",   "PFL3",   "tgL1",
    "tgL2",   "tgL3",   "QL1",   "QL2",   "QL3",   "SL1",   "SL2",    "SL3",    "DL1",    "DL2",
    "DL3",    "DPFL1",  "DPFL2", "DPFL3", "CFUL1", "CFUL2", "CFUL3",  "CFIL1",  "CFIL2",  "CFIL3",
    "UdcL1",  "UdcL2",  "UdcL3", "IdcL1", "IdcL2", "IdcL3", "THDUL1", "THDUL2", "THDUL3", "THDIL1",
    "THDIL2", "THDIL3", "U1",    "U2",    "U1/U2", "U0",
};

// Harmonic quantities from code 66: per order, per phase, voltage, current and cos phi.
QString harmonicName(int code)
{
    static const char* const kinds[] = {"UH", "IH", "cosH"};
    const int offset = code - NamedQuantities;
    const int order = offset / 9 + 1;
    const int phase = offset % 9 / 3 + 1;
    return QLatin1String(kinds[offset % 3]) + QString::number(order) + QLatin1Char('L') +
           QString::number(phase);
}

} // namespace

QString name(int entry)
{
    if (entry == Off)
        return QCoreApplication::translate("ConditionQuantities", "wyłączony");
    const int code = codeOf(entry);
    return code < NamedQuantities ? QString::fromLatin1(Named[code]) : harmonicName(code);
}

int codeOf(int entry)
{
    return entry == Off ? OffCode : entry - 1;
}

int entryOf(int code)
{
    // A code the list does not know is no condition the recorder could test.
    return code >= OffCode || code < 0 ? Off : code + 1;
}

} // namespace kapstat::config::conditions
