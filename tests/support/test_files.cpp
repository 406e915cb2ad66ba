#include "test_files.h"

#include <QFile>

namespace TestFiles {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Write(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString SampleFile()
{
    return QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy");
}

QString CopySample(const QString &path)
{
    QFile::remove(path);
    if (!QFile::copy(SampleFile(), path))
        qFatal("cannot copy the sample file to %s", qPrintable(path));
    // The copy keeps the source's permissions, read-only in some checkouts.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

} // namespace TestFiles
