#include "terminal_model/document_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Larger files are not terminal files; refusing them keeps a mistaken open
// from eating the machine's memory.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

} // namespace

bool TDocumentFile::Read(const QString &fileName, QByteArray *data, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("TDocumentFile", "Unable to read from %1: %2").arg(QDir::toNativeSeparators(fileName), file.errorString());
        return false;
    }
    if (file.size() > kMaxFileSize) {
        *error = QCoreApplication::translate("TDocumentFile", "Unable to read from %1: the file is too large for a terminal file")
                     .arg(QDir::toNativeSeparators(fileName));
        return false;
    }
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QCoreApplication::translate("TDocumentFile", "Unable to read from %1").arg(QDir::toNativeSeparators(fileName));
        return false;
    }
    return true;
}

bool TDocumentFile::Write(const QString &fileName, const QByteArray &data, QString *error)
{
    const QString failure = QCoreApplication::translate("TDocumentFile", "Unable to write to %1").arg(QDir::toNativeSeparators(fileName));
    if (fileName.isEmpty()) {
        *error = failure;
        return false;
    }
    // A read-only file stays untouched even where its folder would allow the
    // replacement.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isWritable()) {
        *error = failure;
        return false;
    }
    QSaveFile file(fileName);
    // The explicit flush reports a short write (full disk): commit() would
    // otherwise put the cut-off copy in place of the file.
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        *error = failure;
        return false;
    }
    if (!file.commit()) {
        *error = failure;
        return false;
    }
    return true;
}
