#pragma once

#include "comm/port_notification.h"
#include "comm/serial_line.h"

#include <QByteArray>

#include <functional>

// One protocol's exchange of one command on an open line, run by a
// TPortWorker on its thread: write the command, read and parse until the
// command is over, acknowledge what needs acknowledging, and report every
// step through notify. A failed exchange reports its failure itself.
class TPortExchange
{
public:
    using TNotify = std::function<void(TPortNotification notification)>;

    struct TCommand
    {
        QByteArray Bytes;
        quint64 Id = 0;
        int TimeOutMs = 0;  // silence after which the command ends; protocol's own meaning of 0
    };

    TPortExchange() = default;
    TPortExchange(const TPortExchange &) = delete;
    TPortExchange &operator=(const TPortExchange &) = delete;
    virtual ~TPortExchange() = default;

    virtual void Run(TSerialLine &line, const TCommand &command, const TNotify &notify) = 0;
    // Called on the worker's thread before the line is drained and closed.
    virtual void BeforeClose(TSerialLine &line) { Q_UNUSED(line); }
};
