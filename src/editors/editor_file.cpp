#include "editors/editor_file.h"

#include "terminal_model/ext_ini_file.h"
#include "widgets/prompts.h"

TEditorFile::TEditorFile(const QString &fileName, TPrompts &prompts, QWidget *owner)
    : FFileName(fileName)
    , FPrompts(prompts)
    , FOwner(owner)
{
}

bool TEditorFile::Read(TExtIniFile &ini) const
{
    if (ini.Load(FFileName))
        return true;
    FPrompts.Error(FOwner, TPrompts::ErrorCaption, ini.LastError());
    return false;
}

bool TEditorFile::ReadToShow(TExtIniFile &ini)
{
    if (ini.Load(FFileName)) {
        FShowFailureReported = false;
        return true;
    }
    if (!FShowFailureReported)
        FPrompts.Error(FOwner, TPrompts::ErrorCaption, ini.LastError());
    FShowFailureReported = true;
    return false;
}

bool TEditorFile::Write(TExtIniFile &ini) const
{
    if (ini.UpdateFile())
        return true;
    FPrompts.Error(FOwner, TPrompts::ErrorCaption, ini.LastError());
    return false;
}

bool TEditorFile::CheckLength(const QString &key, const QString &value, int limit) const
{
    if (value.size() <= limit)
        return true;
    FPrompts.Error(FOwner, TPrompts::ErrorCaption,
                   QStringLiteral("The value of %1 would be %2 characters long; a terminal file holds at most %3. "
                                  "Nothing was changed.")
                       .arg(key)
                       .arg(value.size())
                       .arg(limit));
    return false;
}
