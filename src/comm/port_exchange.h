#pragma once

#include "comm/port_notification.h"
#include "comm/serial_line.h"

#include <QByteArray>

// One protocol's exchange of one command on an open line, run by a
// TPortWorker on its thread: write the command, read and parse until the
// command is over, acknowledge what needs acknowledging, and report every
// step. A failed exchange reports its failure itself.
class TPortExchange
{
public:
    // Where an exchange reports. Report() keeps a step; Flush() hands every
    // step kept so far to the component in one notification. An exchange
    // flushes before each read, so the steps of one arrival (the printer's
    // ACK, the answer, the ACK written for it, the end) travel together,
    // and none is held back while the printer is silent. The worker
    // flushes when the exchange is over.
    class TReporter
    {
    public:
        virtual ~TReporter() = default;
        virtual void Report(TPortNotification notification) = 0;
        virtual void Flush() = 0;
    };

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

    virtual void Run(TSerialLine &line, const TCommand &command, TReporter &reporter) = 0;
    // Called on the worker's thread before the line is drained and closed.
    virtual void BeforeClose(TSerialLine &line) { Q_UNUSED(line); }
};
