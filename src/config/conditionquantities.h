#pragma once

#include <QString>

// The quantities a storage condition can test. Entry 0 is "wyłączony" (off); entry e > 0 is the
// quantity the recorder knows by code e - 1.
namespace kapstat::config::conditions {

inline constexpr int Count = 283;
inline constexpr int Off = 0;
// The code the recorder reads as "no condition".
inline constexpr int OffCode = 282;

QString name(int entry);
int codeOf(int entry);
int entryOf(int code);

} // namespace kapstat::config::conditions
