#pragma once

#include <QString>
#include <optional>

namespace kapstat::config {

struct ImageBuild;
struct RecorderConfiguration;

// What is told to the user before a configuration goes to the recorder.
namespace sendchecks {

// The norm mode is chosen but the memory holds too few records for a compliance report. A
// warning only: the send goes on.
std::optional<QString> capacityWarning(const RecorderConfiguration& configuration);

struct Verdict
{
    QString message;
    bool stopsSend = false;
};

// The checks of a built image that apply with event recording on, the first that fires deciding:
// a threshold above the converter's range and a large Un / VT primary difference stop the send,
// a small difference is only reported.
std::optional<Verdict> verdict(const RecorderConfiguration& configuration, const ImageBuild& build);

} // namespace sendchecks

} // namespace kapstat::config
