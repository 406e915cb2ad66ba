#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Registers the terminal-file type with the desktop, so that opening a *.tsy
// file starts this program with it. On freedesktop systems: a MIME type and a
// .desktop entry in the user's data folder; on Windows: the per-user class
// keys. Files are written only when missing or different, and not at all by
// an installed copy whose package already put them in the system's folders.
class TFileAssociation
{
public:
    TFileAssociation(const QString &extension, const QString &typeName, const QString &executable,
                     const QString &dataDir);

    QString MimeType() const;
    QString MimeFile() const;
    QString DesktopFile() const;
    QByteArray MimeXml() const;
    QByteArray DesktopEntry() const;

    // The desktop's shared data folders (XDG_DATA_DIRS), where packages
    // install desktop entries and MIME types.
    static QStringList SystemDataDirs();
    // True when one of dataDirs holds this type's desktop entry and MIME type
    // and the executable is that installation's own (its bin folder beside
    // the share folder): the system then knows the type already.
    bool InstalledIn(const QStringList &dataDirs) const;

    // True when everything is in place afterwards; Changed() tells whether
    // anything had to be written.
    bool Register();
    bool Changed() const;
    QString LastError() const;

    // Lets the desktop pick up changed files (runs its cache tools detached).
    void NotifyDesktop() const;

private:
    QString MimeFileIn(const QString &dataDir) const;
    QString DesktopFileIn(const QString &dataDir) const;
    bool WriteIfDifferent(const QString &path, const QByteArray &content);

    QString m_extension;
    QString m_typeName;
    QString m_executable;
    QString m_dataDir;
    bool m_changed = false;
    QString m_lastError;
};
