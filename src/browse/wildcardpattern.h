#pragma once

#include <QString>
#include <QStringView>

namespace kapstat::browse {

// A file-name wildcard: '?' stands for one character, '*' for any run of characters, everything
// else for itself. Letter case is ignored: the download writes ".POM", while files copied or
// renamed by hand may say ".pom", and Linux would tell them apart.
class WildcardPattern
{
public:
    explicit WildcardPattern(const QString& pattern);

    bool matches(QStringView name) const;

private:
    QString m_folded;
};

} // namespace kapstat::browse
