#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <string>

namespace kapstat::common {

// Numbers as the program shows, reads and writes them: decimal comma, no thousands separator,
// whatever the system locale says.
class DecimalText
{
public:
    // Shortest general text, up to 15 significant digits: 1 → "1", 0.5 → "0,5", 1e-7 → "1E-7".
    static QString general(double value);
    // The same text appended as bytes (it is ASCII), for writers of large files.
    static void appendGeneral(std::string& out, double value);
    // A fixed number of decimals: (1, 2) → "1,00".
    static QString fixed(double value, int decimals);
    // A decimal-comma number, surrounding blanks allowed; nullopt for anything else.
    static std::optional<double> parse(QStringView text);
};

} // namespace kapstat::common
