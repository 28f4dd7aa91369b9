#pragma once

#include <QKeySequence>
#include <QList>

namespace kapstat::app {

enum class InitialState
{
    Enabled,
    Disabled,
    Hidden
};

// One action of the main window as its user meets it.
struct ActionDefinition
{
    const char* name;     // "acOtworzPomiary"
    const char* caption;  // menu and tool bar text
    const char* category; // "Plik", "Pokaz", "Rejestrator", "Opcje", "Inne"
    const char* hint;     // nullptr when it has none
    QKeySequence shortcut;
    InitialState state;
    bool checkable = false;
};

// Every action of the main window, in the order of the action list.
const QList<ActionDefinition>& mainActions();

// Tool bar hints that differ from the action's own.
const char* toolBarHint(const char* actionName);

} // namespace kapstat::app
