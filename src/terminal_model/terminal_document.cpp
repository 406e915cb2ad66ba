#include "terminal_model/terminal_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QPair>

#include <utility>
#include <vector>

namespace {

const QString kGroups = QStringLiteral("Groups");

// Sections of the format that no group or command may take over.
const QStringList &ReservedSections()
{
    static const QStringList names = {
        QStringLiteral("General"), QStringLiteral("Return code"), QStringLiteral("FiscalAnswer"),
        QStringLiteral("PrinterAnswer"), QStringLiteral("Groups"), QStringLiteral("Return codes"),
    };
    return names;
}

QString Fold(const QString &text)
{
    return text.toCaseFolded();
}

bool Same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The value a key gets when its section is copied: Commands and Answers as
// they are, the line lists (CL<n>, Notes) in their stored form of one pair of
// enclosing quotes.
QString CopiedValue(const QString &key, const QString &value)
{
    if (Same(key, QStringLiteral("Commands")) || Same(key, QStringLiteral("Answers")))
        return value;
    const bool enclosed = value.size() >= 2 && value.startsWith(QLatin1Char('"'))
                          && value.endsWith(QLatin1Char('"'));
    return enclosed ? value : QLatin1Char('"') + value + QLatin1Char('"');
}

using TKeyValues = std::vector<std::pair<QString, QString>>;

TKeyValues CopiedSection(const TExtIniFile &ini, const QString &section)
{
    TKeyValues result;
    for (const QString &key : ini.ReadSection(section))
        result.emplace_back(key, CopiedValue(key, ini.ReadString(section, key)));
    return result;
}

void WriteKeyValues(TExtIniFile &ini, const QString &section, const TKeyValues &values)
{
    for (const auto &[key, value] : values)
        ini.WriteString(section, key, value);
}

} // namespace

// Who uses which section: groups by their group section, commands by the
// concatenation of group and command name.
struct TTerminalDocument::TSectionOwners {
    QHash<QString, QString> groups;                              // folded section -> group
    QHash<QString, QList<QPair<QString, QString>>> commands;     // folded section -> (group, command)
};

TTerminalDocument::TTerminalDocument() = default;

TTerminalDocument::TTerminalDocument(const QString &fileName)
{
    Load(fileName);
}

bool TTerminalDocument::Load(const QString &fileName)
{
    if (!m_ini.Load(fileName)) {
        m_lastError = m_ini.LastError();
        return false;
    }
    m_syncedData = m_ini.ToData();
    m_lastError.clear();
    return true;
}

bool TTerminalDocument::Reload()
{
    return Load(m_ini.FileName());
}

QString TTerminalDocument::FileName() const
{
    return m_ini.FileName();
}

QString TTerminalDocument::LastError() const
{
    return m_lastError;
}

const TExtIniFile &TTerminalDocument::Ini() const
{
    return m_ini;
}

QString TTerminalDocument::NotATerminalFile(const TExtIniFile &ini)
{
    if (ini.SectionExists(kGroups))
        return QString();
    const QString name = QDir::toNativeSeparators(ini.FileName());
    return ini.ToData().contains('\0')
        ? QStringLiteral("%1 is not a terminal file: it holds binary data").arg(name)
        : QStringLiteral("%1 is not a terminal file: it has no [Groups] section").arg(name);
}

QStringList TTerminalDocument::Groups() const
{
    return m_ini.ReadSection(kGroups);
}

QStringList TTerminalDocument::Commands(const QString &group) const
{
    return m_ini.ReadSection(group);
}

bool TTerminalDocument::GroupExists(const QString &group) const
{
    return m_ini.ValueExists(kGroups, group);
}

bool TTerminalDocument::CommandExists(const QString &group, const QString &command) const
{
    return GroupExists(group) && m_ini.ValueExists(group, command);
}

QString TTerminalDocument::CommandSection(const QString &group, const QString &command)
{
    return group + command;
}

QString TTerminalDocument::CutName(const QString &name)
{
    return name.trimmed().left(MaxNameLength).trimmed();
}

bool TTerminalDocument::IsReservedName(const QString &name)
{
    static const QStringList reserved = {
        QStringLiteral("General"), QStringLiteral("Return code"), QStringLiteral("FiscalAnswer"),
        QStringLiteral("PrinterAnswer"), QStringLiteral("Groups"),
    };
    return reserved.contains(name.trimmed(), Qt::CaseInsensitive);
}

QString TTerminalDocument::CheckNameCharacters(const QString &name)
{
    bool bad = name.trimmed().startsWith(QLatin1Char(';'));
    for (const QChar c : name)
        bad = bad || c == QLatin1Char('=') || c == QLatin1Char('[') || c == QLatin1Char(']') || c.unicode() < 32;
    if (!bad)
        return QString();
    return QCoreApplication::translate("TTerminalDocument", "The name \"%1\" cannot be stored: names may not contain \"=\", \"[\", \"]\" "
                          "or control characters, nor start with \";\"")
        .arg(name);
}

QString TTerminalDocument::GroupExistsMessage()
{
    return QCoreApplication::translate("TTerminalDocument", "Group already exists");
}

QString TTerminalDocument::CommandExistsMessage()
{
    return QCoreApplication::translate("TTerminalDocument", "The command already exists");
}

void TTerminalDocument::CopySection(TExtIniFile &ini, const QString &source, const QString &target)
{
    if (Same(source, target))
        return;
    WriteKeyValues(ini, target, CopiedSection(ini, source));
}

bool TTerminalDocument::Sync()
{
    const QString fileName = m_ini.FileName();
    if (fileName.isEmpty())
        return true;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return true;   // a vanished file is reported by the write
    const QByteArray onDisk = file.readAll();
    if (onDisk == m_syncedData && !m_ini.IsModified())
        return true;
    m_ini.LoadFromData(onDisk);
    m_syncedData = onDisk;
    return true;
}

TTerminalDocument::TResult TTerminalDocument::Commit(TResult result)
{
    // A refused write (a character the file's encoding lacks) fails the
    // operation like a refused file write, even when nothing else changed.
    if (!m_ini.IsModified() && m_ini.RefusedChange().isEmpty())
        return result;
    if (m_ini.UpdateFile()) {
        m_syncedData = m_ini.ToData();
        result.Changed = true;
        m_lastError.clear();
        return result;
    }
    // The file keeps its old content; so does the document.
    m_lastError = m_ini.LastError();
    m_ini.LoadFromData(m_syncedData);
    result.Ok = false;
    result.Changed = false;
    result.Message = m_lastError;
    result.Added.clear();
    return result;
}

namespace {

TTerminalDocument::TResult Refused(const QString &message)
{
    TTerminalDocument::TResult result;
    result.Message = message;
    return result;
}

TTerminalDocument::TResult Accepted(const QString &name)
{
    TTerminalDocument::TResult result;
    result.Ok = true;
    result.Name = name;
    return result;
}

QString StoredName(const QStringList &names, const QString &name)
{
    for (const QString &n : names) {
        if (Same(n, name))
            return n;
    }
    return name;
}

} // namespace

QString TTerminalDocument::CheckSectionFree(const QString &section, const TSectionOwners &owners,
                                            const QString &ignoreGroup, const QString &ignoreCommand,
                                            bool ignoreWholeGroup) const
{
    for (const QString &reserved : ReservedSections()) {
        if (Same(section, reserved))
            return QCoreApplication::translate("TTerminalDocument", "The section [%1] is reserved").arg(section);
    }
    const QString folded = Fold(section);
    const auto group = owners.groups.constFind(folded);
    if (group != owners.groups.constEnd() && !(ignoreWholeGroup && Same(group.value(), ignoreGroup)))
        return QCoreApplication::translate("TTerminalDocument", "The section [%1] is already used by group \"%2\"").arg(section, group.value());
    for (const auto &[g, c] : owners.commands.value(folded)) {
        const bool ignored = Same(g, ignoreGroup) && (ignoreWholeGroup || Same(c, ignoreCommand));
        if (!ignored)
            return QCoreApplication::translate("TTerminalDocument", "The section [%1] is already used by command \"%2\" of group \"%3\"")
                .arg(section, c, g);
    }
    return QString();
}

bool TTerminalDocument::SectionStillUsed(const QString &section, const TSectionOwners &owners,
                                         const QString &group, const QString &command, bool wholeGroup) const
{
    return !CheckSectionFree(section, owners, group, command, wholeGroup).isEmpty();
}

TTerminalDocument::TSectionOwners TTerminalDocument::Owners() const
{
    TSectionOwners owners;
    for (const QString &group : Groups()) {
        owners.groups.insert(Fold(group), group);
        for (const QString &command : Commands(group))
            owners.commands[Fold(CommandSection(group, command))].append({group, command});
    }
    return owners;
}

TTerminalDocument::TResult TTerminalDocument::AddGroup(const QString &name)
{
    Sync();
    const QString group = CutName(name);
    if (group.isEmpty())
        return TResult();
    if (const QString bad = CheckNameCharacters(group); !bad.isEmpty())
        return Refused(bad);
    if (GroupExists(group) || IsReservedName(group))
        return Refused(GroupExistsMessage());
    if (const QString taken = CheckSectionFree(group, Owners(), QString(), QString(), false); !taken.isEmpty())
        return Refused(taken);
    m_ini.WriteString(kGroups, group, QString());
    return Commit(Accepted(group));
}

TTerminalDocument::TResult TTerminalDocument::RenameGroup(const QString &oldName, const QString &newName)
{
    Sync();
    if (!GroupExists(oldName))
        return Refused(QStringLiteral("Group \"%1\" does not exist").arg(oldName));
    const QString oldGroup = StoredName(Groups(), oldName);
    const QString group = CutName(newName);
    if (group.isEmpty())
        return TResult();
    if (const QString bad = CheckNameCharacters(group); !bad.isEmpty())
        return Refused(bad);
    if (GroupExists(group) || IsReservedName(group))
        return Refused(GroupExistsMessage());

    const TSectionOwners owners = Owners();
    const QStringList commands = Commands(oldGroup);
    if (const QString taken = CheckSectionFree(group, owners, oldGroup, QString(), true); !taken.isEmpty())
        return Refused(taken);
    for (const QString &command : commands) {
        const QString taken = CheckSectionFree(CommandSection(group, command), owners, oldGroup, QString(), true);
        if (!taken.isEmpty())
            return Refused(taken);
    }

    // Take every command section out before writing the new ones: an old and
    // a new section name may coincide (group A with BC and C renamed to AB).
    std::vector<TKeyValues> sections;
    sections.reserve(commands.size());
    for (const QString &command : commands)
        sections.push_back(CopiedSection(m_ini, CommandSection(oldGroup, command)));
    for (const QString &command : commands) {
        const QString section = CommandSection(oldGroup, command);
        if (!SectionStillUsed(section, owners, oldGroup, QString(), true))
            m_ini.EraseSection(section);
    }
    if (!SectionStillUsed(oldGroup, owners, oldGroup, QString(), true))
        m_ini.EraseSection(oldGroup);
    for (int i = 0; i < commands.size(); ++i) {
        m_ini.WriteString(group, commands.at(i), QString());
        WriteKeyValues(m_ini, CommandSection(group, commands.at(i)), sections[i]);
    }
    m_ini.DeleteKey(kGroups, oldGroup);
    m_ini.WriteString(kGroups, group, QString());
    return Commit(Accepted(group));
}

TTerminalDocument::TResult TTerminalDocument::RemoveGroup(const QString &name)
{
    Sync();
    if (!GroupExists(name))
        return Refused(QStringLiteral("Group \"%1\" does not exist").arg(name));
    const QString group = StoredName(Groups(), name);
    const TSectionOwners owners = Owners();
    for (const QString &command : Commands(group)) {
        const QString section = CommandSection(group, command);
        if (!SectionStillUsed(section, owners, group, QString(), true))
            m_ini.EraseSection(section);
    }
    if (!SectionStillUsed(group, owners, group, QString(), true))
        m_ini.EraseSection(group);
    m_ini.DeleteKey(kGroups, group);
    return Commit(Accepted(group));
}

TTerminalDocument::TResult TTerminalDocument::AddCommand(const QString &groupName, const QString &name)
{
    Sync();
    if (!GroupExists(groupName))
        return Refused(QStringLiteral("Group \"%1\" does not exist").arg(groupName));
    const QString group = StoredName(Groups(), groupName);
    const QString command = CutName(name);
    if (command.isEmpty())
        return TResult();
    if (const QString bad = CheckNameCharacters(command); !bad.isEmpty())
        return Refused(bad);
    if (CommandExists(group, command))
        return Refused(CommandExistsMessage());
    const QString section = CommandSection(group, command);
    if (const QString taken = CheckSectionFree(section, Owners(), QString(), QString(), false); !taken.isEmpty())
        return Refused(taken);

    m_ini.WriteString(group, command, QString());
    // A new command starts without fields, even over a section whose command
    // was removed by hand.
    m_ini.WriteString(section, QStringLiteral("Commands"), QString());
    m_ini.WriteString(section, QStringLiteral("Answers"), QString());
    return Commit(Accepted(command));
}

TTerminalDocument::TResult TTerminalDocument::RenameCommand(const QString &groupName, const QString &oldName,
                                                            const QString &newName)
{
    Sync();
    if (!CommandExists(groupName, oldName))
        return Refused(QStringLiteral("Command \"%1\" does not exist").arg(oldName));
    const QString group = StoredName(Groups(), groupName);
    const QString oldCommand = StoredName(Commands(group), oldName);
    const QString command = CutName(newName);
    if (command.isEmpty())
        return TResult();
    if (const QString bad = CheckNameCharacters(command); !bad.isEmpty())
        return Refused(bad);
    if (CommandExists(group, command))
        return Refused(CommandExistsMessage());
    const TSectionOwners owners = Owners();
    const QString section = CommandSection(group, command);
    if (const QString taken = CheckSectionFree(section, owners, group, oldCommand, false); !taken.isEmpty())
        return Refused(taken);

    const QString oldSection = CommandSection(group, oldCommand);
    m_ini.WriteString(group, command, QString());
    CopySection(m_ini, oldSection, section);
    if (!SectionStillUsed(oldSection, owners, group, oldCommand, false))
        m_ini.EraseSection(oldSection);
    m_ini.DeleteKey(group, oldCommand);
    return Commit(Accepted(command));
}

TTerminalDocument::TResult TTerminalDocument::RemoveCommand(const QString &groupName, const QString &name)
{
    Sync();
    if (!CommandExists(groupName, name))
        return Refused(QStringLiteral("Command \"%1\" does not exist").arg(name));
    const QString group = StoredName(Groups(), groupName);
    const QString command = StoredName(Commands(group), name);
    const QString section = CommandSection(group, command);
    if (!SectionStillUsed(section, Owners(), group, command, false))
        m_ini.EraseSection(section);
    m_ini.DeleteKey(group, command);
    return Commit(Accepted(command));
}

TTerminalDocument::TResult TTerminalDocument::DuplicateGroup(const QString &sourceName)
{
    Sync();
    if (!GroupExists(sourceName))
        return Refused(QStringLiteral("Group \"%1\" does not exist").arg(sourceName));
    const QString source = StoredName(Groups(), sourceName);
    const QStringList commands = Commands(source);
    const TSectionOwners owners = Owners();

    // The first free name of the form source + n whose sections are free too.
    QString group;
    for (int n = 1; group.isEmpty(); ++n) {
        const QString candidate = source + QString::number(n);
        if (GroupExists(candidate) || IsReservedName(candidate)
            || !CheckSectionFree(candidate, owners, QString(), QString(), false).isEmpty())
            continue;
        bool free = true;
        for (const QString &command : commands) {
            if (!CheckSectionFree(CommandSection(candidate, command), owners, QString(), QString(), false).isEmpty()) {
                free = false;
                break;
            }
        }
        if (free)
            group = candidate;
    }

    m_ini.WriteString(kGroups, group, QString());
    for (const QString &command : commands) {
        m_ini.WriteString(group, command, QString());
        CopySection(m_ini, CommandSection(source, command), CommandSection(group, command));
    }
    TResult result = Accepted(group);
    result.Added = commands;
    return Commit(result);
}

TTerminalDocument::TResult TTerminalDocument::MergeGroup(const QString &targetName, const QString &sourceName,
                                                         const TMergeConfirm &confirm)
{
    Sync();
    if (!GroupExists(targetName))
        return Refused(QStringLiteral("Group \"%1\" does not exist").arg(targetName));
    if (!GroupExists(sourceName))
        return Refused(QStringLiteral("Group \"%1\" does not exist").arg(sourceName));
    const QString target = StoredName(Groups(), targetName);
    const QString source = StoredName(Groups(), sourceName);
    TResult result = Accepted(target);
    if (Same(target, source))
        return result;

    const TSectionOwners owners = Owners();
    QStringList skipped;
    for (const QString &command : Commands(source)) {
        const bool exists = CommandExists(target, command);
        const QString stored = exists ? StoredName(Commands(target), command) : command;
        if (exists && !(confirm && confirm(stored)))
            continue;
        const QString section = CommandSection(target, stored);
        const QString taken = CheckSectionFree(section, owners, target, exists ? stored : QString(), false);
        if (!taken.isEmpty()) {
            skipped.append(QStringLiteral("Command \"%1\" was not copied: %2").arg(command, taken));
            continue;
        }
        m_ini.WriteString(target, stored, QString());
        CopySection(m_ini, CommandSection(source, command), section);
        if (!exists)
            result.Added.append(stored);
    }
    result.Message = skipped.join(QLatin1Char('\n'));
    return Commit(result);
}

TTerminalDocument::TResult TTerminalDocument::CopyCommand(const QString &targetName, const QString &sourceGroup,
                                                          const QString &command, const TOverwriteChooser &choose)
{
    Sync();
    if (!GroupExists(targetName))
        return Refused(QStringLiteral("Group \"%1\" does not exist").arg(targetName));
    if (!CommandExists(sourceGroup, command))
        return Refused(QCoreApplication::translate("TTerminalDocument", "The command \"%1\" no longer exists").arg(command));
    const QString target = StoredName(Groups(), targetName);
    const QString group = StoredName(Groups(), sourceGroup);
    const QString source = StoredName(Commands(group), command);

    QString name = source;
    bool overwrite = false;
    while (CommandExists(target, name)) {
        QString newName;
        const TPasteChoice choice = choose ? choose(StoredName(Commands(target), name), &newName)
                                           : TPasteChoice::Cancel;
        if (choice == TPasteChoice::Overwrite) {
            // The name the question was about, which is the one the user saw.
            name = StoredName(Commands(target), name);
            overwrite = true;
            break;
        }
        if (choice == TPasteChoice::Cancel)
            return TResult();
        if (choice == TPasteChoice::New) {
            name = CutName(newName);
            if (name.isEmpty())
                return TResult();
            if (const QString bad = CheckNameCharacters(name); !bad.isEmpty())
                return Refused(bad);
        }
    }

    const QString sourceSection = CommandSection(group, source);
    const QString section = CommandSection(target, name);
    if (const QString taken = CheckSectionFree(section, Owners(), target, overwrite ? name : QString(), false);
        !taken.isEmpty())
        return Refused(taken);

    TResult result = Accepted(name);
    result.Overwritten = overwrite;
    m_ini.WriteString(target, name, QString());
    CopySection(m_ini, sourceSection, section);
    return Commit(result);
}
