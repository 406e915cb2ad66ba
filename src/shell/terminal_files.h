#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

struct TSettings;

// The rules of the main window's file commands, apart from any window.
namespace TerminalFiles {

inline constexpr char Extension[] = "tsy";
inline constexpr char NewFileName[] = "default.tsy";

// True when the path ends in ".tsy", in any letter case: the one test of a
// terminal file's name, wherever a file comes from.
bool HasTerminalExtension(const QString &path);

// The terminal file named on the command line, or empty when the argument is
// to be ignored: it must have the terminal extension and exist; a relative
// path is taken from currentDir.
QString FileFromArgument(const QString &argument, const QString &currentDir);

// The terminal file of a drop: only the first file counts, and it must have
// the terminal extension. Empty when the drop is ignored.
QString FileFromDrop(const QStringList &paths);

// The new-file template embedded in the program; empty when missing.
QByteArray NewFileTemplate();

// Appends ".tsy" to a path typed without an extension.
QString WithDefaultExtension(const QString &path);

// Replaces path with data through a temporary file, so a failure leaves the
// old file as it was. On failure, error holds "Unable to write to <path>".
bool WriteFileAtomically(const QString &path, const QByteArray &data, QString *error);

// Copies source over target (replacing it) atomically.
bool CopyTerminalFile(const QString &source, const QString &target, QString *error);

// Whether an existing file may be replaced; the user is asked.
using TMayReplace = std::function<bool(const QString &path)>;

// Writes the template as default.tsy into the first folder of the list
// where that works (the program's folder, then the user's data folder);
// returns the path written, or empty with error set. Every change in a
// terminal file is saved at once, so an existing default.tsy may hold a
// whole definition: it is replaced only when mayReplace agrees; when it
// does not, the result and error are empty and nothing is written.
QString CreateNewFile(const QStringList &folders, const QByteArray &content, QString *error,
                      const TMayReplace &mayReplace = {});

// The questions before a file is replaced.
QString ReplaceWithNewQuestion(const QString &path);
QString ReplaceQuestion(const QString &path);

// Whether the file can be read as a terminal file; otherwise error says why.
// Checked before the open file gives way to it.
bool IsReadable(const QString &path, QString *error);

// The per-file values of the [General] section. Missing, non-numeric or
// out-of-range values read as 0.
bool ReadGeneralSection(TSettings &settings, const QString &fileName, QString *error);
// Writes them back; leaves the file untouched when it already holds these
// values or no longer exists (a deleted file is not recreated).
bool WriteGeneralSection(const TSettings &settings, const QString &fileName, QString *error);

} // namespace TerminalFiles
