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
};
Q_DECLARE_METATYPE(TPortNotification)
