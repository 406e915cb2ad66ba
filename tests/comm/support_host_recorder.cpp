#include "support_host_recorder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

THostRecorder::THostRecorder(TFPHostControl &host)
{
    clock.start();
    TFPHostControl *h = &host;
    // Connected first, so every event is stamped before it is written down.
    const auto stamp = [this] { times << clock.elapsed(); };
    QObject::connect(h, &TFPHostControl::OnOpen, h, stamp);
    QObject::connect(h, &TFPHostControl::OnClose, h, stamp);
    QObject::connect(h, &TFPHostControl::OnAck, h, stamp);
    QObject::connect(h, &TFPHostControl::OnNack, h, stamp);
    QObject::connect(h, &TFPHostControl::OnIntermediateAnswer, h, stamp);
    QObject::connect(h, &TFPHostControl::OnWrite, h, stamp);
    QObject::connect(h, &TFPHostControl::OnRead, h, stamp);
    QObject::connect(h, &TFPHostControl::OnFinalAnswer, h, stamp);
    QObject::connect(h, &TFPHostControl::OnError, h, stamp);
    QObject::connect(h, &TFPHostControl::OnOpen, h, [this] { events << "open"; });
    QObject::connect(h, &TFPHostControl::OnClose, h, [this] { events << "close"; });
    QObject::connect(h, &TFPHostControl::OnAck, h, [this] { events << "ack"; });
    QObject::connect(h, &TFPHostControl::OnNack, h, [this] { events << "nak"; });
    QObject::connect(h, &TFPHostControl::OnIntermediateAnswer, h, [this] { events << "intermediate"; });
    QObject::connect(h, &TFPHostControl::OnWrite, h, [this](const QByteArray &value) {
        events << "write " + QString::fromLatin1(value.toHex());
    });
    QObject::connect(h, &TFPHostControl::OnRead, h, [this](const QByteArray &value) {
        events << "read " + QString::fromLatin1(value.toHex());
    });
    QObject::connect(h, &TFPHostControl::OnFinalAnswer, h, [this, h] {
        events << QStringLiteral("final/%1").arg(int(h->State()));
        ++ended;
        endedAtMs = clock.elapsed();
    });
    QObject::connect(h, &TFPHostControl::OnError, h, [this, h] {
        events << QStringLiteral("error %1/%2").arg(int(h->LastError())).arg(int(h->State()));
        ++ended;
        endedAtMs = clock.elapsed();
    });
}

void THostRecorder::clear()
{
    events.clear();
    times.clear();
    ended = 0;
    endedAtMs = -1;
}

qint64 THostRecorder::timeOf(const QString &event) const
{
    const qsizetype index = events.indexOf(event);
    return index < 0 ? -1 : times.value(index, -1);
}

bool THostRecorder::waitForEnd(int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (ended < count && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return ended >= count;
}

void ScriptPrinter(TScriptedSerialLine &line, TPrinterReaction reaction)
{
    line.setResponder([reaction](TScriptedSerialLine &far, const QByteArray &written) {
        THostFrame frame;
        if (THostFraming::ParseFrame(written, frame) == THostFraming::FrameComplete)
            reaction(far, frame.Sequence, frame.Fields);
    });
}

QByteArray ExtendedAnswer(quint8 sequence, qint16 printer, qint16 fiscal, qint16 returnCode,
                          const QList<QByteArray> &extra)
{
    return THostFraming::BuildAnswerFrame(
        sequence, THostFraming::AnswerFields(protocol_Extended, printer, fiscal, returnCode, extra));
}
