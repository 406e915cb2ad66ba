#pragma once

#include <QString>

class TTerminalDocument;

// The group and command that "GROUP/COMMAND" names, as the file spells
// them: names are matched without regard to case and may hold "/".
class TCommandLookup {
public:
    static bool Find(const TTerminalDocument &document, const QString &path, QString *group, QString *command);
};
