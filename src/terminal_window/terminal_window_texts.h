#pragma once

#include <QCoreApplication>
#include <QString>

// Texts only the terminal window shows: the captions and questions of the
// command tree's prompts, the command page's button hints and Repeat prompt,
// and the notices about records the page cannot read.
namespace TerminalWindowTexts {

// The constants below stay in English, for callers and tests that compare
// them; this gives one of them in the language shown (any other text as it is).
inline QString Shown(const QString &text)
{
    return QCoreApplication::translate("TerminalWindowTexts", text.toUtf8().constData());
}

inline QString AddGroupCaption()
{
    return QCoreApplication::translate("TerminalWindowTexts", "Add a new group");
}
inline QString AddCommandCaption()
{
    return QCoreApplication::translate("TerminalWindowTexts", "Add a new command");
}
inline QString RenameGroupCaption(const QString &group)
{
    return QCoreApplication::translate("TerminalWindowTexts", "Rename group \"%1\"").arg(group);
}
inline QString RenameCommandCaption(const QString &command)
{
    return QCoreApplication::translate("TerminalWindowTexts", "Rename command \"%1\"").arg(command);
}
inline QString RemoveGroupQuestion(const QString &group)
{
    return QCoreApplication::translate("TerminalWindowTexts", "Are you sure you want to delete group \"%1\" ?").arg(group);
}
inline QString RemoveCommandQuestion(const QString &command)
{
    return QCoreApplication::translate("TerminalWindowTexts", "Are you sure you want to delete command \"%1\" ?").arg(command);
}
inline QString MergeOverwriteQuestion(const QString &command)
{
    return QCoreApplication::translate("TerminalWindowTexts", "\"%1\" command already exists, ovewrite?").arg(command);
}

inline const QString SendHint = QStringLiteral(QT_TRANSLATE_NOOP("TerminalWindowTexts", "Send selected command"));
inline const QString RepeatHint = QStringLiteral(QT_TRANSLATE_NOOP("TerminalWindowTexts", "Send commands \"n\" times"));
inline const QString CancelHint = QStringLiteral(QT_TRANSLATE_NOOP("TerminalWindowTexts", "Cancel command in progress"));
inline const QString RepeatPrompt = QStringLiteral(QT_TRANSLATE_NOOP("TerminalWindowTexts", "Enter times to repeat the command"));

// Notice when fixed-answer records cannot be read: their panels are missing.
inline QString PanelsLeftOut(const QString &errors)
{
    return QCoreApplication::translate("TerminalWindowTexts", "Status panels left out, their fixed-answer records cannot be read: %1")
        .arg(errors);
}

// Notice when the answer fields of the command answered cannot be read.
inline QString AnswerFieldsUnreadable(const QString &section, const QString &error)
{
    return QCoreApplication::translate("TerminalWindowTexts", "The answer fields of [%1] cannot be read (%2): rows past the last one "
                          "read are shown as Field and their number")
        .arg(section, error);
}

} // namespace TerminalWindowTexts
