#pragma once

#include <QString>

class QWidget;
class TExtIniFile;
class TPrompts;

// The terminal file as the editors see it: read afresh before every change
// and written back atomically after it, with failures shown to the user.
class TEditorFile
{
public:
    TEditorFile(const QString &fileName, TPrompts &prompts, QWidget *owner);

    QString FileName() const { return m_fileName; }
    // False (reported) when the file cannot be read.
    bool Read(TExtIniFile &ini) const;
    // Read for showing the file (a grid, a page): the failure is reported
    // once, not again by every later showing, until a read succeeds.
    bool ReadToShow(TExtIniFile &ini);
    // False (reported) when the file cannot be written; the file on disk is
    // then unchanged.
    bool Write(TExtIniFile &ini) const;
    // Reports a value that would exceed the format's limit for its key.
    bool CheckLength(const QString &key, const QString &value, int limit) const;

private:
    QString m_fileName;
    TPrompts &m_prompts;
    QWidget *m_owner;
    bool m_showFailureReported = false;
};
