#include "editors/editor_file.h"

#include "terminal_model/ext_ini_file.h"
#include "widgets/prompts.h"

TEditorFile::TEditorFile(const QString &fileName, TPrompts &prompts, QWidget *owner)
    : m_fileName(fileName)
    , m_prompts(prompts)
    , m_owner(owner)
{
}

bool TEditorFile::Read(TExtIniFile &ini) const
{
    if (ini.Load(m_fileName))
        return true;
    m_prompts.Error(m_owner, TPrompts::ErrorCaption, ini.LastError());
    return false;
}

bool TEditorFile::ReadToShow(TExtIniFile &ini)
{
    if (ini.Load(m_fileName)) {
        m_showFailureReported = false;
        return true;
    }
    if (!m_showFailureReported)
        m_prompts.Error(m_owner, TPrompts::ErrorCaption, ini.LastError());
    m_showFailureReported = true;
    return false;
}

bool TEditorFile::Write(TExtIniFile &ini) const
{
    if (ini.UpdateFile())
        return true;
    m_prompts.Error(m_owner, TPrompts::ErrorCaption, ini.LastError());
    return false;
}

bool TEditorFile::CheckLength(const QString &key, const QString &value, int limit) const
{
    if (value.size() <= limit)
        return true;
    m_prompts.Error(m_owner, TPrompts::ErrorCaption,
                    QStringLiteral("The value of %1 would be %2 characters long; a terminal file holds at most %3. "
                                   "Nothing was changed.")
                       .arg(key)
                       .arg(value.size())
                       .arg(limit));
    return false;
}
