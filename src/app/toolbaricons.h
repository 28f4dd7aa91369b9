#pragma once

#include <QIcon>
#include <QString>

namespace kapstat::app {

// The pictures of the tool bar buttons, drawn by the program itself.
class ToolBarIcons
{
public:
    static constexpr int Size = 24;

    // A null icon for an action without a button.
    static QIcon forAction(const QString& actionName);
};

} // namespace kapstat::app
