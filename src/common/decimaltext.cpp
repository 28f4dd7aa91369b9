#include "common/decimaltext.h"

#include <QLocale>
#include <cmath>

namespace kapstat::common {

QString DecimalText::general(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        // "1e-07" → "1E-7", "2.5e+20" → "2,5E20"
        const int exponent = text.mid(e + 1).toInt();
        text = text.left(e) + QLatin1Char('E') + QString::number(exponent);
    }
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString DecimalText::fixed(double value, int decimals)
{
    // No "-0,00" for a value that rounds to zero.
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

std::optional<double> DecimalText::parse(QStringView text)
{
    const QString trimmed = text.trimmed().toString();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('.')))
        return std::nullopt;
    for (const QChar c : trimmed)
        if (!(c.isDigit() || c == QLatin1Char(',') || c == QLatin1Char('-') ||
              c == QLatin1Char('+') || c == QLatin1Char('e') || c == QLatin1Char('E')))
            return std::nullopt;
    bool ok = false;
    const double value =
        QLocale::c().toDouble(QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace kapstat::common
