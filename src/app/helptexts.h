#pragma once
// The fixed help text of every control, by the control's object name. The table
// attributes page answers under its own popup title.

#include "ui/help.h"

struct HelpTable {
    const char* title;
    const HelpEntry* entries;
    int count;
};

extern const HelpTable HELP_TABLES[];
extern const int HELP_TABLE_COUNT;

// Shown by the "Help" entry of the teach table's context menu.
extern const char* const TEACH_TABLE_HELP;
