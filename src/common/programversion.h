#pragma once

#include <QString>

namespace kapstat::common {

// The version of this build: the project's number and, when built from a git checkout, the
// commit. The build writes number() and commit() into a small source of their own, so a new
// commit recompiles that file alone.
class ProgramVersion
{
public:
    static QString number();
    // Empty when not built from a checkout.
    static QString commit();
    // "kapstat-cli 0.1.0 (abc1234)", what --version prints.
    static QString line(const QString& program);
};

} // namespace kapstat::common
