#include "scripted_printer.h"

#include "comm/aux_framing.h"
#include "comm/host_framing.h"

#include <QMutexLocker>

struct TScriptedPrinter::TState {
    mutable QMutex mutex;
    TReply reply = TReply::Answer;
    int delay = 0;
    qint16 printerStatus = 0;
    qint16 fiscalStatus = 0;
    qint16 returnCode = 0;
    QList<QByteArray> fiscalAnswers;
    QList<QList<QByteArray>> hostCommands;
    QList<QByteArray> fiscalRequests;
};

TScriptedPrinter::TScriptedPrinter() : m_state(std::make_shared<TState>())
{
}

void TScriptedPrinter::AttachHost(TScriptedSerialLine &line, TProtocolType protocol)
{
    line.setResponder([state = m_state, protocol](TScriptedSerialLine &far, const QByteArray &written) {
        THostFrame frame;
        if (written.isEmpty() || written.at(0) != THostFraming::STX
            || THostFraming::ParseFrame(written, frame) != THostFraming::FrameComplete)
            return;
        QMutexLocker lock(&state->mutex);
        state->hostCommands.append(frame.Fields);
        switch (state->reply) {
        case TReply::Answer:
            far.deliver(QByteArray(1, THostFraming::ACK));
            far.deliver(THostFraming::BuildAnswerFrame(
                            frame.Sequence,
                            THostFraming::AnswerFields(protocol, state->printerStatus,
                                                       state->fiscalStatus, state->returnCode,
                                                       frame.Fields)),
                        state->delay);
            break;
        case TReply::Nak:
            far.deliver(QByteArray(1, THostFraming::NAK));
            break;
        case TReply::Silent:
            break;
        }
    });
}

void TScriptedPrinter::AttachFiscal(TScriptedSerialLine &line)
{
    line.setResponder([state = m_state](TScriptedSerialLine &far, const QByteArray &written) {
        const bool enquiry = written == QByteArray(1, TAuxFraming::ENQ);
        if (!enquiry && (written.size() < 3 || written.at(0) != TAuxFraming::STX))
            return;
        QMutexLocker lock(&state->mutex);
        state->fiscalRequests.append(enquiry ? written : TAuxFraming::FrameText(written));
        switch (state->reply) {
        case TReply::Answer:
            if (state->fiscalAnswers.isEmpty())
                far.deliver(QByteArray(1, TAuxFraming::ACK), state->delay);
            for (const QByteArray &text : std::as_const(state->fiscalAnswers))
                far.deliver(TAuxFraming::BuildFrame(text), state->delay);
            break;
        case TReply::Nak:
            far.deliver(QByteArray(1, TAuxFraming::NAK));
            break;
        case TReply::Silent:
            break;
        }
    });
}

void TScriptedPrinter::SetReply(TReply reply)
{
    QMutexLocker lock(&m_state->mutex);
    m_state->reply = reply;
}

void TScriptedPrinter::SetAnswerDelay(int ms)
{
    QMutexLocker lock(&m_state->mutex);
    m_state->delay = ms;
}

void TScriptedPrinter::SetStatus(qint16 printerStatus, qint16 fiscalStatus, qint16 returnCode)
{
    QMutexLocker lock(&m_state->mutex);
    m_state->printerStatus = printerStatus;
    m_state->fiscalStatus = fiscalStatus;
    m_state->returnCode = returnCode;
}

void TScriptedPrinter::SetFiscalAnswers(const QList<QByteArray> &texts)
{
    QMutexLocker lock(&m_state->mutex);
    m_state->fiscalAnswers = texts;
}

QList<QList<QByteArray>> TScriptedPrinter::HostCommands() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->hostCommands;
}

QList<QByteArray> TScriptedPrinter::FiscalRequests() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->fiscalRequests;
}
