#include "browse/wildcardpattern.h"

namespace kapstat::browse {

WildcardPattern::WildcardPattern(const QString& pattern)
{
    m_folded.reserve(pattern.size());
    for (const QChar c : pattern)
        m_folded.append(c.toCaseFolded());
}

bool WildcardPattern::matches(QStringView name) const
{
    // Greedy matching that, on a mismatch, lets the last '*' swallow one more character.
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype starP = -1;
    qsizetype starN = 0;
    while (n < name.size()) {
        if (p < m_folded.size() && m_folded[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < m_folded.size() &&
                   (m_folded[p] == u'?' || m_folded[p] == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < m_folded.size() && m_folded[p] == u'*')
        ++p;
    return p == m_folded.size();
}

} // namespace kapstat::browse
