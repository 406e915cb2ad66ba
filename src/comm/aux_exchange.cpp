#include "comm/aux_exchange.h"

#include "comm/aux_framing.h"
#include "comm/event_clock.h"
#include "comm/fp_aux_enums.h"

void TAuxExchange::Run(TSerialLine &line, const TCommand &command, TReporter &reporter)
{
    const qint64 startUs = TEventClock::NowUs();
    if (!line.write(command.Bytes, WriteTimeOut(command.Bytes.size()))) {
        reporter.Report({FEFP_N_WriteFailed, command.Id, {}, {}, false, TLineFailure::Of(line)});
        return;
    }
    reporter.Report({FEFP_N_FrameWritten, command.Id, command.Bytes, {}, false, {}});
    if (!WaitAnswer(line, command, startUs, reporter))
        reporter.Report({FEFP_N_AnswerTimedOut, command.Id, {}, {}, false, TLineFailure::Of(line)});
    m_parser.Reset();
}

void TAuxExchange::BeforeClose(TSerialLine &line)
{
    line.setDataTerminalReady(false);
    line.setRequestToSend(false);
}

bool TAuxExchange::WaitAnswer(TSerialLine &line, const TCommand &command, qint64 startUs,
                              TReporter &reporter)
{
    const auto status = [&](TFAuxNotification code, const QByteArray &frame = {}, bool final = false,
                            qint64 elapsedUs = -1) {
        reporter.Report({code, command.Id, frame, {}, final, {}, elapsedUs});
    };
    m_parser.Reset();
    const int readMs = command.TimeOutMs > 0 ? command.TimeOutMs : UnlimitedReadSliceMs;
    int received = 0;
    for (;;) {
        reporter.Flush();
        QByteArray chunk;
        if (!line.read(chunk, ReceiveLimit - received, readMs)) {
            const bool silence = line.error() == TSerialLine::TimeoutError;
            if (silence && command.TimeOutMs <= 0 && !line.isAborted())
                continue;
            return false;
        }
        received += int(chunk.size());
        m_parser.Feed(chunk);
        for (;;) {
            const TAuxReceiveParser::TStep step = m_parser.Next();
            switch (step.Kind) {
            case TAuxReceiveParser::TStep::MoreNeeded:
            case TAuxReceiveParser::TStep::OtherByte:
                break;
            case TAuxReceiveParser::TStep::AckReceived:
                status(FEFP_N_AckReceived, {}, false, TEventClock::NowUs() - startUs);
                return true;
            case TAuxReceiveParser::TStep::NakReceived:
                status(FEFP_N_NakReceived);
                break;
            case TAuxReceiveParser::TStep::FrameComplete: {
                received = 0;
                // Read before the ACK goes out: the time is the printer's alone.
                const qint64 elapsedUs = TEventClock::NowUs() - startUs;
                const bool final = TAuxFraming::IsFinalFrame(step.Frame);
                // The ACK goes out before the answer is reported: a caller
                // that closes the port on the final answer must not cut it
                // off. The answer is still reported first.
                const bool acknowledged =
                    line.write(QByteArray(1, TAuxFraming::ACK), WriteTimeOut(1));
                status(FEFP_N_AnswerFrame, step.Frame, final, final ? elapsedUs : -1);
                if (acknowledged)
                    status(FEFP_N_AckSent);
                if (final)
                    return true;
                break;
            }
            case TAuxReceiveParser::TStep::BadChecksum:
                if (line.write(QByteArray(1, TAuxFraming::NAK), WriteTimeOut(1)))
                    status(FEFP_N_NakSent);
                break;
            case TAuxReceiveParser::TStep::Overflow:
                return false;
            }
            if (step.Kind == TAuxReceiveParser::TStep::MoreNeeded)
                break;
        }
        if (received >= ReceiveLimit)
            return false;
    }
}
