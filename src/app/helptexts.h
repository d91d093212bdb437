#pragma once
// The fixed help text of every control, by the control's object name.

#include "ui/help.h"

extern const HelpEntry HELP_TEXTS[];
extern const int HELP_TEXT_COUNT;
