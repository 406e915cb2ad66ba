#include "comm/host_exchange.h"

#include "comm/event_clock.h"
#include "comm/host_framing.h"

THostExchange::THostExchange(TBaudRate baudRate)
    : m_baudRate(baudRate),
      m_answerTimeOut(THostFraming::AnswerTimeOutMs),
      m_writeTimeOutMargin(THostFraming::WriteTimeOutMarginMs)
{
}

void THostExchange::Run(TSerialLine &line, const TCommand &command, TReporter &reporter)
{
    const auto status = [&](THostNotificationCode code, const QByteArray &frame = {},
                            const QList<QByteArray> &fields = {}) {
        reporter.Report({code, command.Id, frame, fields, false, {}});
    };
    const auto failure = [&](THostNotificationCode code) {
        reporter.Report({code, command.Id, {}, {}, false, TLineFailure::Of(line)});
    };

    const QByteArray &frame = command.Bytes;
    const qint64 startUs = TEventClock::NowUs();
    if (!Write(line, frame)) {
        failure(EFP_N_WriteFailed);
        return;
    }
    status(EFP_N_FrameWritten, frame);

    m_parser.Reset();
    m_parser.SetLastSentSequence(frame.size() > 1 ? quint8(frame.at(1)) : 0);
    for (;;) {
        reporter.Flush();
        QByteArray chunk;
        if (!line.read(chunk, m_parser.FreeSpace(), m_answerTimeOut.load())) {
            failure(EFP_N_AnswerTimedOut);
            return;
        }
        const THostReceiveParser::TResult result = m_parser.Feed(chunk);
        // Read before the ACK goes out: the time is the printer's alone.
        const qint64 parsedUs = TEventClock::NowUs();
        for (THostReceiveParser::TAction action : result.Actions) {
            switch (action) {
            case THostReceiveParser::NotifyAck:
                status(EFP_N_AckReceived);
                break;
            case THostReceiveParser::NotifyNak:
                status(EFP_N_NakReceived);
                break;
            case THostReceiveParser::NotifyIntermediate:
                status(EFP_N_IntermediateAnswer);
                break;
            case THostReceiveParser::WriteAck:
                Write(line, QByteArray(1, THostFraming::ACK));
                break;
            }
        }
        if (result.Outcome == THostReceiveParser::BadChecksum) {
            if (Write(line, QByteArray(1, THostFraming::NAK)))
                status(EFP_N_NakSent);
        } else if (result.Outcome == THostReceiveParser::FinalFrame) {
            const bool acknowledged = Write(line, QByteArray(1, THostFraming::ACK));
            status(EFP_N_FrameRead, m_parser.ReadFrame());
            if (acknowledged)
                status(EFP_N_AckSent);
            reporter.Report({EFP_N_FinalAnswer, command.Id, {}, m_parser.Fields(), false, {},
                             parsedUs - startUs});
            m_parser.Reset();
            return;
        }
    }
}

bool THostExchange::Write(TSerialLine &line, const QByteArray &bytes)
{
    return line.write(bytes, THostFraming::WriteTimeOut(m_baudRate, bytes.size(),
                                                        m_writeTimeOutMargin.load()));
}
