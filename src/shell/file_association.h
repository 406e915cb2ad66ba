#pragma once

#include <QByteArray>
#include <QString>

// Registers the terminal-file type with the desktop, so that opening a *.tsy
// file starts this program with it. On freedesktop systems: a MIME type and a
// .desktop entry in the user's data folder; on Windows: the per-user class
// keys. Files are written only when missing or different.
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

    // True when everything is in place afterwards; Changed() tells whether
    // anything had to be written.
    bool Register();
    bool Changed() const;
    QString LastError() const;

    // Lets the desktop pick up changed files (runs its cache tools detached).
    void NotifyDesktop() const;

private:
    bool WriteIfDifferent(const QString &path, const QByteArray &content);

    QString m_extension;
    QString m_typeName;
    QString m_executable;
    QString m_dataDir;
    bool m_changed = false;
    QString m_lastError;
};
