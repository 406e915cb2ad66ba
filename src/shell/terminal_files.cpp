#include "shell/terminal_files.h"

#include "terminal_model/ext_ini_file.h"
#include "terminal_model/field_conversion.h"
#include "terminal_model/settings.h"
#include "terminal_model/terminal_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

// The resources live in a static library: register them before first use.
static void InitShellResources()
{
    Q_INIT_RESOURCE(shell);
}

namespace TerminalFiles {

namespace {

const QString GeneralSection = QStringLiteral("General");
const QString ProtocolKey = QStringLiteral("Protocol");
const QString OutputDateFormatKey = QStringLiteral("OutputDateFormat");
const QString InputDateFormatKey = QStringLiteral("InputDateFormat");

QString UnableToWrite(const QString &path)
{
    return QCoreApplication::translate("TerminalFiles", "Unable to write to %1").arg(QDir::toNativeSeparators(path));
}

quint8 ReadIndex(const TExtIniFile &ini, const QString &key, int last)
{
    const int value = ini.ReadInteger(GeneralSection, key, 0);
    return value >= 0 && value <= last ? quint8(value) : 0;
}

// True when the key already holds exactly this number, so nothing is written.
bool Holds(const TExtIniFile &ini, const QString &key, int value)
{
    return ini.ValueExists(GeneralSection, key)
        && ini.ReadString(GeneralSection, key) == QString::number(value);
}

quint8 ReadDateFormat(const TExtIniFile &ini, const QString &key)
{
    return quint8(TFieldConversion::DateFormatIndex(ini.ReadInteger(GeneralSection, key, 0)));
}

// A date format the file holds out of 0..7 reads as 0 and stays as written
// while the setting is still that 0: the program never rewrites a file the
// user did not change.
bool HoldsDateFormat(const TExtIniFile &ini, const QString &key, int value)
{
    return ini.ValueExists(GeneralSection, key) && ReadDateFormat(ini, key) == value;
}

} // namespace

bool HasTerminalExtension(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String(Extension), Qt::CaseInsensitive) == 0;
}

QString FileFromArgument(const QString &argument, const QString &currentDir)
{
    if (argument.isEmpty())
        return QString();
    const QFileInfo info(QDir(currentDir), argument);
    if (!HasTerminalExtension(argument) || !info.isFile())
        return QString();
    return QDir::cleanPath(info.absoluteFilePath());
}

QString FileFromDrop(const QStringList &paths)
{
    if (paths.isEmpty())
        return QString();
    const QFileInfo info(paths.constFirst());
    if (!HasTerminalExtension(paths.constFirst()))
        return QString();
    return QDir::cleanPath(info.absoluteFilePath());
}

QByteArray NewFileTemplate()
{
    static const bool registered = (InitShellResources(), true);
    Q_UNUSED(registered);
    QFile resource(QStringLiteral(":/DEFAULTTSY"));
    if (!resource.open(QIODevice::ReadOnly))
        return QByteArray();
    return resource.readAll();
}

QString WithDefaultExtension(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + QLatin1String(Extension);
}

bool WriteFileAtomically(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (error)
            *error = UnableToWrite(path);
        return false;
    }
    return true;
}

bool CopyTerminalFile(const QString &source, const QString &target, QString *error)
{
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QCoreApplication::translate("TerminalFiles", "Unable to read %1").arg(QDir::toNativeSeparators(source));
        return false;
    }
    const QByteArray data = input.readAll();
    if (input.error() != QFileDevice::NoError) {
        if (error)
            *error = QCoreApplication::translate("TerminalFiles", "Unable to read %1").arg(QDir::toNativeSeparators(source));
        return false;
    }
    input.close();
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        return true;
    return WriteFileAtomically(target, data, error);
}

QString CreateNewFile(const QStringList &folders, const QByteArray &content, QString *error,
                      const TMayReplace &mayReplace)
{
    for (const QString &folder : folders) {
        if (folder.isEmpty() || !QDir().mkpath(folder) || !QFileInfo(folder).isWritable())
            continue;
        const QString path = QDir::cleanPath(QDir(folder).absoluteFilePath(QLatin1String(NewFileName)));
        if (QFileInfo::exists(path) && mayReplace && !mayReplace(path)) {
            if (error)
                error->clear();
            return QString();
        }
        if (WriteFileAtomically(path, content, error))
            return path;
    }
    if (error && error->isEmpty())
        *error = UnableToWrite(QLatin1String(NewFileName));
    return QString();
}

QString ReplaceWithNewQuestion(const QString &path)
{
    return QCoreApplication::translate("TerminalFiles", "\"%1\" already exists.\nReplace it with a new terminal file?")
        .arg(QDir::toNativeSeparators(path));
}

QString ReplaceQuestion(const QString &path)
{
    return QCoreApplication::translate("TerminalFiles", "\"%1\" already exists.\nReplace it?").arg(QDir::toNativeSeparators(path));
}

bool IsReadable(const QString &path, QString *error)
{
    TExtIniFile ini;
    const QString why = ini.Load(path) ? TTerminalDocument::NotATerminalFile(ini) : ini.LastError();
    if (error)
        *error = why;
    return why.isEmpty();
}

bool ReadGeneralSection(TSettings &settings, const QString &fileName, QString *error)
{
    TExtIniFile ini;
    const bool loaded = ini.Load(fileName);
    if (!loaded && error)
        *error = ini.LastError();
    settings.Protocol = ReadIndex(ini, ProtocolKey, 1);
    settings.OutputDateFormat = ReadDateFormat(ini, OutputDateFormatKey);
    settings.InputDateFormat = ReadDateFormat(ini, InputDateFormatKey);
    return loaded;
}

bool WriteGeneralSection(const TSettings &settings, const QString &fileName, QString *error)
{
    if (!QFileInfo(fileName).isFile())
        return true;
    TExtIniFile ini;
    if (!ini.Load(fileName)) {
        if (error)
            *error = ini.LastError();
        return false;
    }
    if (Holds(ini, ProtocolKey, settings.Protocol)
        && HoldsDateFormat(ini, OutputDateFormatKey, settings.OutputDateFormat)
        && HoldsDateFormat(ini, InputDateFormatKey, settings.InputDateFormat))
        return true;
    ini.WriteInteger(GeneralSection, ProtocolKey, settings.Protocol);
    ini.WriteInteger(GeneralSection, OutputDateFormatKey, settings.OutputDateFormat);
    ini.WriteInteger(GeneralSection, InputDateFormatKey, settings.InputDateFormat);
    if (!ini.UpdateFile()) {
        if (error)
            *error = ini.LastError();
        return false;
    }
    return true;
}

} // namespace TerminalFiles
