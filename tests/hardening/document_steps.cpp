#include "document_steps.h"

TTerminalDocument::TResult TDocumentSteps::Apply(TTerminalDocument &document, int step)
{
    const int round = step / StepsPerRound;
    const QString group = QStringLiteral("Grp %1").arg(round);
    const QString moved = QStringLiteral("Moved %1").arg(round);
    const QString command = QStringLiteral("Cmd %1").arg(round);
    const QString renamed = QStringLiteral("Renamed %1").arg(round);
    switch (step % StepsPerRound) {
    case 0:
        return document.AddGroup(group);
    case 1:
        return document.AddCommand(group, command);
    case 2:
        return document.CopyCommand(group, QStringLiteral("Receipt"), QStringLiteral("Sell item"),
                                    [](const QString &, QString *) {
                                        return TTerminalDocument::TPasteChoice::Overwrite;
                                    });
    case 3:
        return document.RenameCommand(group, command, renamed);
    case 4: {
        TTerminalDocument::TResult result = document.DuplicateGroup(group);
        m_duplicate = result.Name;
        return result;
    }
    case 5:
        return document.RenameGroup(group, moved);
    case 6:
        return document.RemoveCommand(moved, renamed);
    case 7:
        return document.MergeGroup(m_duplicate, moved, [](const QString &) { return true; });
    case 8:
        return document.RemoveGroup(moved);
    default:
        return document.RemoveGroup(m_duplicate);
    }
}
