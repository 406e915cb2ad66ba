#pragma once

#include "execution/capture_record.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

// Reads a capture file strictly: the header, then the records of the kinds
// it knows (out, in). Blank lines, comments and records of other kinds are
// skipped, so later versions of the format can add kinds. The first
// malformed line stops the reading with a message naming the file and line.
class TCaptureReader
{
    Q_DECLARE_TR_FUNCTIONS(TCaptureReader)

public:
    bool Read(const QString &fileName);
    // name stands for the file in messages.
    bool ReadText(const QByteArray &text, const QString &name);

    QList<TCaptureRecord> Records() const { return m_records; }
    QString ErrorString() const { return m_error; }

private:
    bool Fail(const QString &name, int line, const QString &message);

    QList<TCaptureRecord> m_records;
    QString m_error;
};
