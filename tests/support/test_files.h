#pragma once

#include <QByteArray>
#include <QString>

// The files tests write and read back. A file that cannot be written ends
// the test program: nothing after it would mean anything.
namespace TestFiles {

// The whole file, or "<missing>" when it cannot be read.
QByteArray ReadAll(const QString &path);
// Creates or replaces the file with exactly these bytes.
void Write(const QString &path, const QByteArray &data);
// The sample terminal file shipped with the program.
QString SampleFile();
// A writable copy of the sample file at path; path is returned.
QString CopySample(const QString &path);

} // namespace TestFiles
