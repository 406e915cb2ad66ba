#pragma once

#include "terminal_model/ext_ini_file.h"

#include <QString>
#include <QStringList>

#include <functional>

// The group and command operations of the command tree, on a terminal file,
// without any user interface. Every operation that changes the file writes it
// once (atomically); a refused write leaves the file as it was and the
// document reloaded from it.
//
// Before each operation the document re-reads the file when it changed on disk
// (an editor may have written it), so nothing written elsewhere is overwritten
// with a stale copy.
//
// Questions are asked through callbacks; messages are the texts to show.
class TTerminalDocument {
public:
    static constexpr int MaxNameLength = 25;

    // The answer to "Command already exists, choose action".
    enum class TPasteChoice { Overwrite = 1, Cancel = 2, New = 6 };

    struct TResult {
        bool Ok = false;        // false: refused or failed, Message tells why
                                // (an empty Message: nothing to do, e.g. an empty name)
        bool Changed = false;   // the file was written
        QString Message;        // error, or remarks about skipped items when Ok
        QString Name;           // the group or command name finally used
        bool Overwritten = false;   // a paste replaced an existing command
        QStringList Added;      // commands that became new children (merge, duplicate)
    };

    // Asked when the name is already taken in the target group, with the taken
    // name. Overwrite replaces that command; on New the callback stores the new
    // name (it is cut to MaxNameLength; empty stops) and it is checked again.
    using TOverwriteChooser = std::function<TPasteChoice(const QString &takenName, QString *newName)>;
    // Asked per command of a merge that already exists in the target; true
    // overwrites it.
    using TMergeConfirm = std::function<bool(const QString &command)>;

    TTerminalDocument();
    explicit TTerminalDocument(const QString &fileName);

    bool Load(const QString &fileName);           // false + LastError()
    bool Reload();
    QString FileName() const;
    QString LastError() const;

    // The in-memory copy: current after every operation of this class.
    const TExtIniFile &Ini() const;

    // Why a file that was read is no terminal file: without a [Groups] section
    // it holds no commands (and may well be binary data). Empty when it is one.
    // Such a file is not opened, so nothing is ever written into it.
    static QString NotATerminalFile(const TExtIniFile &ini);

    QStringList Groups() const;                             // in file order
    QStringList Commands(const QString &group) const;       // in file order
    bool GroupExists(const QString &group) const;
    bool CommandExists(const QString &group, const QString &command) const;
    static QString CommandSection(const QString &group, const QString &command);

    // Names as entered: trimmed, then cut to MaxNameLength characters. The
    // operations below cut the names they are given themselves.
    static QString CutName(const QString &name);
    static bool IsReservedName(const QString &name);
    // Empty when the text can be stored as a key and a section name.
    static QString CheckNameCharacters(const QString &name);

    TResult AddGroup(const QString &name);
    TResult RenameGroup(const QString &oldName, const QString &newName);
    TResult RemoveGroup(const QString &group);
    TResult AddCommand(const QString &group, const QString &name);
    TResult RenameCommand(const QString &group, const QString &oldName, const QString &newName);
    TResult RemoveCommand(const QString &group, const QString &command);

    // Paste or drop of a group on the root: a copy named group + n, the first
    // n whose group and command sections are all free.
    TResult DuplicateGroup(const QString &source);
    // Paste or drop of a group on a group.
    TResult MergeGroup(const QString &target, const QString &source, const TMergeConfirm &confirm);
    // Paste or drop of a command on a group (or on a command of that group).
    TResult CopyCommand(const QString &targetGroup, const QString &sourceGroup,
                        const QString &command, const TOverwriteChooser &choose);

    // Every key of the source section into the target section, which is not
    // cleared first; CL<n> and Notes keep their stored form. Memory only.
    static void CopySection(TExtIniFile &ini, const QString &source, const QString &target);

    static QString GroupExistsMessage();      // "Group already exists"
    static QString CommandExistsMessage();    // "The command already exists"

private:
    struct TSectionOwners;

    TSectionOwners Owners() const;
    bool Sync();
    TResult Commit(TResult result);
    QString CheckSectionFree(const QString &section, const TSectionOwners &owners,
                             const QString &ignoreGroup, const QString &ignoreCommand,
                             bool ignoreWholeGroup) const;
    bool SectionStillUsed(const QString &section, const TSectionOwners &owners,
                          const QString &group, const QString &command, bool wholeGroup) const;

    TExtIniFile m_ini;
    QByteArray m_syncedData;
    QString m_lastError;
};
