#pragma once

#include "comm/host_types.h"
#include "comm/scripted_serial_line.h"

#include <QByteArray>
#include <QList>
#include <QMutex>

#include <memory>

// The far end of the two scripted lines: a printer that records every
// command and reacts as the test asks. Reactions run on the components'
// worker threads, so everything here is locked.
class TScriptedPrinter {
public:
    enum class TReply {
        Answer,   // ACK, then an answer echoing the command's fields
        Silent,   // nothing: the command times out
        Nak       // NAK: the printer rejects every frame
    };

    TScriptedPrinter();

    // The host line answers in the given protocol.
    void AttachHost(TScriptedSerialLine &line, TProtocolType protocol);
    // The auxiliary line answers each request with the texts set by
    // SetFiscalAnswers (the last one final), or ACK when there are none.
    void AttachFiscal(TScriptedSerialLine &line);

    void SetReply(TReply reply);
    void SetAnswerDelay(int ms);
    void SetStatus(qint16 printerStatus, qint16 fiscalStatus, qint16 returnCode);
    void SetFiscalAnswers(const QList<QByteArray> &texts);

    // Fields of every host command received, in order.
    QList<QList<QByteArray>> HostCommands() const;
    // Data of every auxiliary request received, in order.
    QList<QByteArray> FiscalRequests() const;

private:
    struct TState;
    std::shared_ptr<TState> m_state;
};
