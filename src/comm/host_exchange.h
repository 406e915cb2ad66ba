#pragma once

#include "comm/host_receive_parser.h"
#include "comm/host_types.h"
#include "comm/port_exchange.h"

#include <atomic>

// One command of the host protocol: write the frame (time-out per baud rate
// plus a margin), then read and parse with THostReceiveParser until the
// answer for the frame's sequence number is complete, the silence time-out
// restarting on every arrival. Nothing is re-sent. Notification codes are
// THostNotificationCode.
class THostExchange : public TPortExchange
{
public:
    explicit THostExchange(TBaudRate baudRate);

    void Run(TSerialLine &line, const TCommand &command, TReporter &reporter) override;

    // Any thread; taken into account at the next wait.
    void SetAnswerTimeOut(int ms) { m_answerTimeOut.store(ms); }
    void SetWriteTimeOutMargin(int ms) { m_writeTimeOutMargin.store(ms); }

private:
    bool Write(TSerialLine &line, const QByteArray &bytes);

    const TBaudRate m_baudRate;
    std::atomic<int> m_answerTimeOut;
    std::atomic<int> m_writeTimeOutMargin;
    THostReceiveParser m_parser;
};
