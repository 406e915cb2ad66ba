#pragma once

#include "execution/run_command.h"

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>

// One line of a capture file: bytes that went over one port in one
// direction, with the time they did.
struct TCaptureRecord
{
    QDateTime Wall;          // the time of day, to the millisecond
    qint64 OffsetUs = 0;     // monotonic, since the recording session started
    TCommandPort Port = cpHostPort;
    bool Out = false;        // written by the program; false: sent by the printer
    QByteArray Bytes;
};
