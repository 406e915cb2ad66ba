#pragma once

#include <QString>

// Texts only the terminal window shows: the captions and questions of the
// command tree's prompts, the command page's button hints and Repeat prompt,
// and the notices about records the page cannot read.
namespace TerminalWindowTexts {

inline QString AddGroupCaption()
{
    return QStringLiteral("Add a new group");
}
inline QString AddCommandCaption()
{
    return QStringLiteral("Add a new command");
}
inline QString RenameGroupCaption(const QString &group)
{
    return QStringLiteral("Rename group \"%1\"").arg(group);
}
inline QString RenameCommandCaption(const QString &command)
{
    return QStringLiteral("Rename command \"%1\"").arg(command);
}
inline QString RemoveGroupQuestion(const QString &group)
{
    return QStringLiteral("Are you sure you want to delete group \"%1\" ?").arg(group);
}
inline QString RemoveCommandQuestion(const QString &command)
{
    return QStringLiteral("Are you sure you want to delete command \"%1\" ?").arg(command);
}
inline QString MergeOverwriteQuestion(const QString &command)
{
    return QStringLiteral("\"%1\" command already exists, ovewrite?").arg(command);
}

inline const QString SendHint = QStringLiteral("Send selected command");
inline const QString RepeatHint = QStringLiteral("Send commands \"n\" times");
inline const QString CancelHint = QStringLiteral("Cancel command in progress");
inline const QString RepeatPrompt = QStringLiteral("Enter times to repeat the command");

// Notice when fixed-answer records cannot be read: their panels are missing.
inline QString PanelsLeftOut(const QString &errors)
{
    return QStringLiteral("Status panels left out, their fixed-answer records cannot be read: %1")
        .arg(errors);
}

// Notice when the answer fields of the command answered cannot be read.
inline QString AnswerFieldsUnreadable(const QString &section, const QString &error)
{
    return QStringLiteral("The answer fields of [%1] cannot be read (%2): rows past the last one "
                          "read are shown as Field and their number")
        .arg(section, error);
}

} // namespace TerminalWindowTexts
