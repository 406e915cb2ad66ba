#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

// The answer of a host-port command, as the answer page shows it.
struct TReceivedAnswer {
    QString commandKey;   // section of the command that was sent
    quint16 fiscalStatus = 0;
    quint16 printerStatus = 0;
    quint16 returnCode = 0;
    QList<QByteArray> fields;   // extra fields, in order
    // Microseconds from the first byte written to the answer; -1 when not
    // measured (an answer shown without a command).
    qint64 ElapsedUs = -1;
};

Q_DECLARE_METATYPE(TReceivedAnswer)
