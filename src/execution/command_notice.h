#pragma once

#include <QString>

struct TCommandDefinition;

// What the terminal window says about the command on display: why Send is
// disabled (the command cannot be read, has no fields, or its port is
// closed) and whether fields were left out. Empty when there is nothing to
// say; several notices stand on lines of their own.
QString CommandNotice(const TCommandDefinition &definition, bool hostOpen, bool fiscalOpen);
