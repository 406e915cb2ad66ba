#pragma once

#include <QByteArray>
#include <QString>

// The bytes of a terminal file on disk: read whole, with a size limit, and
// written atomically (a temporary file in the same folder renamed over the
// original, permissions kept), so a crash or a full disk leaves the old file
// or the new one, never a torn one.
class TDocumentFile {
public:
    // False + *error "Unable to read from <file>...".
    static bool Read(const QString &fileName, QByteArray *data, QString *error);
    // False + *error "Unable to write to <file>": the file is unchanged.
    static bool Write(const QString &fileName, const QByteArray &data, QString *error);
};
