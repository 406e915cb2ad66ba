#pragma once

#include "comm/serial_line.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>

// One report of a port worker about one command. The frames and fields
// travel with it, so a later frame can never replace one not yet handled.
struct TPortNotification
{
    quint8 Code = 0;           // THostNotificationCode or TFAuxNotification
    quint64 CommandId = 0;     // the number the command was started with
    QByteArray Frame;          // the frame written or read
    QList<QByteArray> Fields;  // host final answer: every field of the answer
    bool Final = false;        // auxiliary answer frame: it starts with a final code
    TLineFailure Failure;      // write failed, answer timed out: what the line said
    // The step that answered the command (host final answer, auxiliary ACK
    // or final frame): microseconds from the first byte written; -1 on any
    // other step.
    qint64 ElapsedUs = -1;
};
Q_DECLARE_METATYPE(TPortNotification)
