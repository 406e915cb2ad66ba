#pragma once

#include "execution/command_definition.h"
#include "terminal_model/answer_field.h"

#include <QJsonObject>
#include <QList>
#include <QString>

class TTerminalDocument;

// The list and show commands: a terminal file's groups and commands in file
// order, and one command's fields read the way the terminal window reads
// them.
class TFileInspector {
public:
    // The group and command that "GROUP/COMMAND" names, as the file spells
    // them; names are matched without regard to case and may hold "/".
    struct TCommandPath {
        bool found = false;
        QString group;
        QString command;
        QString Name() const { return group + QLatin1Char('/') + command; }
    };
    static TCommandPath FindCommand(const TTerminalDocument &document, const QString &path);

    static QJsonObject ListJson(const TTerminalDocument &document);
    static QString ListText(const TTerminalDocument &document);

    // A command read only in part carries its reading error; the caller
    // reports it.
    struct TShown {
        TCommandPath path;
        TCommandDefinition definition;
        QList<TAnswerField> answers;
        QString answersError;
    };
    static TShown Show(const TTerminalDocument &document, const TCommandPath &path);
    static QJsonObject ShowJson(const TShown &shown);
    static QString ShowText(const TShown &shown);
};
