#include "shell/file_association.h"

#include "shell/terminal_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Quotes an argument of an Exec line as the desktop entry format requires.
QString DesktopQuoted(const QString &path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1String("\\\\");
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString XmlEscaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString SamePathForm(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QByteArray ReadSmallFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(64 * 1024) : QByteArray();
}

// Whether a desktop entry's MimeType key lists the type.
bool EntryListsType(const QByteArray &entry, const QString &mimeType)
{
    for (const QByteArray &line : entry.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith("MimeType=")
            && trimmed.mid(9).split(';').contains(mimeType.toUtf8()))
            return true;
    }
    return false;
}

} // namespace

TFileAssociation::TFileAssociation(const QString &extension, const QString &typeName,
                                   const QString &executable, const QString &dataDir)
    : m_extension(extension), m_typeName(typeName), m_executable(executable), m_dataDir(dataDir)
{
}

QString TFileAssociation::MimeType() const
{
    return QStringLiteral("application/x-%1").arg(m_typeName.toLower());
}

QString TFileAssociation::MimeFile() const
{
    return MimeFileIn(m_dataDir);
}

QString TFileAssociation::DesktopFile() const
{
    return DesktopFileIn(m_dataDir);
}

QString TFileAssociation::MimeFileIn(const QString &dataDir) const
{
    return QDir(dataDir).filePath(QStringLiteral("mime/packages/%1.xml").arg(m_typeName.toLower()));
}

QString TFileAssociation::DesktopFileIn(const QString &dataDir) const
{
    return QDir(dataDir).filePath(QStringLiteral("applications/%1.desktop").arg(m_typeName.toLower()));
}

QStringList TFileAssociation::SystemDataDirs()
{
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    dirs.removeAll(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return dirs;
}

bool TFileAssociation::InstalledIn(const QStringList &dataDirs) const
{
    const QString executable = SamePathForm(m_executable);
    const QString program = QFileInfo(m_executable).fileName();
    const QByteArray typeAttribute = QStringLiteral("type=\"%1\"").arg(MimeType()).toUtf8();
    for (const QString &dir : dataDirs) {
        if (SamePathForm(QDir(dir).filePath(QStringLiteral("../bin/") + program)) != executable)
            continue;
        if (EntryListsType(ReadSmallFile(DesktopFileIn(dir)), MimeType())
            && ReadSmallFile(MimeFileIn(dir)).contains(typeAttribute))
            return true;
    }
    return false;
}

QByteArray TFileAssociation::MimeXml() const
{
    const QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"%1\">\n"
        "    <comment>%2 terminal file</comment>\n"
        "    <sub-class-of type=\"text/plain\"/>\n"
        "    <glob pattern=\"*.%3\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n")
        .arg(XmlEscaped(MimeType()), XmlEscaped(m_typeName), XmlEscaped(m_extension));
    return xml.toUtf8();
}

QByteArray TFileAssociation::DesktopEntry() const
{
    const QString entry = QStringLiteral(
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=%1\n"
        "Comment=Test and drive fiscal printers over serial ports\n"
        "Exec=%2 %f\n"
        "MimeType=%3;\n"
        "Categories=Utility;\n"
        "Terminal=false\n")
        .arg(QCoreApplication::applicationName().isEmpty() ? m_typeName : QCoreApplication::applicationName(),
             DesktopQuoted(m_executable), MimeType());
    return entry.toUtf8();
}

bool TFileAssociation::WriteIfDifferent(const QString &path, const QByteArray &content)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return true;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        m_lastError = QCoreApplication::translate("TFileAssociation", "Unable to write to %1").arg(QDir::toNativeSeparators(path));
        return false;
    }
    if (!TerminalFiles::WriteFileAtomically(path, content, &m_lastError))
        return false;
    m_changed = true;
    return true;
}

bool TFileAssociation::Register()
{
    m_changed = false;
    m_lastError.clear();
#ifdef Q_OS_WIN
    // The per-user part of the class registry.
    QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
    const QString exe = QDir::toNativeSeparators(m_executable);
    const QString command = exe + QStringLiteral("  \"%1\"");
    const QString icon = exe + QStringLiteral(",2");
    const auto set = [&](const QString &key, const QString &value) {
        if (classes.value(key).toString() != value) {
            classes.setValue(key, value);
            m_changed = true;
        }
    };
    set(QLatin1Char('.') + m_extension + QStringLiteral("/."), m_typeName);
    set(m_typeName + QStringLiteral("/Shell/Open/Command/."), command);
    set(m_typeName + QStringLiteral("/DefaultIcon/."), icon);
    classes.sync();
    if (classes.status() != QSettings::NoError) {
        m_lastError = QCoreApplication::translate("TFileAssociation", "Unable to register the .%1 file type").arg(m_extension);
        return false;
    }
    return true;
#else
    if (InstalledIn(SystemDataDirs()))
        return true;
    const bool mime = WriteIfDifferent(MimeFile(), MimeXml());
    const bool desktop = WriteIfDifferent(DesktopFile(), DesktopEntry());
    return mime && desktop;
#endif
}

bool TFileAssociation::Changed() const
{
    return m_changed;
}

QString TFileAssociation::LastError() const
{
    return m_lastError;
}

void TFileAssociation::NotifyDesktop() const
{
#ifndef Q_OS_WIN
    const QString mimeTool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!mimeTool.isEmpty())
        QProcess::startDetached(mimeTool, {QDir(m_dataDir).filePath(QStringLiteral("mime"))});
    const QString desktopTool = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (!desktopTool.isEmpty())
        QProcess::startDetached(desktopTool, {QDir(m_dataDir).filePath(QStringLiteral("applications"))});
#endif
}
