#include "print/conditionmarks.h"

namespace kapstat::print {

QString conditionMarks(int war)
{
    constexpr char16_t UpArrow = u'\u2191';
    constexpr char16_t DownArrow = u'\u2193';
    QString marks;
    for (int condition = 0; condition < 3; ++condition) {
        const int up = 0x40 >> condition;
        const int down = 0x04 >> condition;
        marks += (war & up) ? QChar(UpArrow) : (war & down) ? QChar(DownArrow) : QChar(u'-');
    }
    return marks;
}

} // namespace kapstat::print
