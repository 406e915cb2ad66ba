#include "execution/command_lookup.h"

#include "terminal_model/terminal_document.h"

bool TCommandLookup::Find(const TTerminalDocument &document, const QString &path, QString *group,
                          QString *command)
{
    for (qsizetype slash = path.indexOf(QLatin1Char('/')); slash >= 0;
         slash = path.indexOf(QLatin1Char('/'), slash + 1)) {
        const QString g = path.left(slash);
        const QString c = path.mid(slash + 1);
        if (!document.CommandExists(g, c))
            continue;
        for (const QString &fileGroup : document.Groups()) {
            if (fileGroup.compare(g, Qt::CaseInsensitive) != 0)
                continue;
            for (const QString &fileCommand : document.Commands(fileGroup)) {
                if (fileCommand.compare(c, Qt::CaseInsensitive) == 0) {
                    *group = fileGroup;
                    *command = fileCommand;
                    return true;
                }
            }
        }
    }
    return false;
}
