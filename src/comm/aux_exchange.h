#pragma once

#include "comm/aux_receive_parser.h"
#include "comm/port_exchange.h"

// One command of the auxiliary protocol: write the bytes, then read and
// parse until an ACK or a final answer frame, acknowledging every good frame
// after reporting it and answering a bad one with NAK. The command's
// TimeOutMs is the silence limit; 0 waits until purged. Notification codes
// are TFAuxNotification.
class TAuxExchange : public TPortExchange
{
public:
    // Bytes received since the last good frame after which the command ends
    // as a time-out: noise or frames that never check out cannot keep it
    // busy for ever.
    static constexpr int ReceiveLimit = TAuxReceiveParser::BufferSize;
    // Longest silence waited in one read while the time-out is unlimited.
    static constexpr int UnlimitedReadSliceMs = 1000;

    void Run(TSerialLine &line, const TCommand &command, TReporter &reporter) override;
    // DTR and RTS go off before the line closes.
    void BeforeClose(TSerialLine &line) override;

    // Milliseconds a write of count bytes may take at 9600 baud.
    static int WriteTimeOut(qsizetype count) { return int(count) * 10 + 1500; }

private:
    // startUs: when the command's first byte was written.
    bool WaitAnswer(TSerialLine &line, const TCommand &command, qint64 startUs, TReporter &reporter);

    TAuxReceiveParser m_parser;
};
