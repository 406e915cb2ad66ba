#include "port_event_recorder.h"

#include <QtTest>

namespace {

QString Hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

}

TPortEventRecorder::TPortEventRecorder(TFPHostControl &host)
{
    m_clock.start();
    TFPHostControl *h = &host;
    connect(h, &TFPHostControl::OnOpen, this, [this] { Add("open"); });
    connect(h, &TFPHostControl::OnClose, this, [this] { Add("close"); });
    connect(h, &TFPHostControl::OnAck, this, [this] { Add("ack"); });
    connect(h, &TFPHostControl::OnNack, this, [this] { Add("nak"); });
    connect(h, &TFPHostControl::OnIntermediateAnswer, this, [this] { Add("intermediate"); });
    connect(h, &TFPHostControl::OnWrite, this, [this](const QByteArray &value) { Add("write " + Hex(value)); });
    connect(h, &TFPHostControl::OnRead, this, [this](const QByteArray &value) { Add("read " + Hex(value)); });
    connect(h, &TFPHostControl::OnFinalAnswer, this, [this, h](const THostAnswer &answer) {
        answers << answer;
        Add(QStringLiteral("final/%1").arg(int(h->State())), true);
    });
    connect(h, &TFPHostControl::OnError, this, [this, h](TPortError error, const TLineFailure &failure) {
        failures << failure;
        Add(QStringLiteral("error %1/%2").arg(int(error)).arg(int(h->State())), true);
    });
}

TPortEventRecorder::TPortEventRecorder(TFPAuxControl &aux)
{
    m_clock.start();
    TFPAuxControl *a = &aux;
    connect(a, &TFPAuxControl::OnOpen, this, [this] { Add("open"); });
    connect(a, &TFPAuxControl::OnClose, this, [this] { Add("close"); });
    connect(a, &TFPAuxControl::OnAck, this, [this] { Add("ack", true); });
    connect(a, &TFPAuxControl::OnNack, this, [this] { Add("nak"); });
    connect(a, &TFPAuxControl::OnWrite, this, [this](const QByteArray &value) { Add("write " + Hex(value)); });
    connect(a, &TFPAuxControl::OnRead, this, [this](const QByteArray &value) { Add("read " + Hex(value)); });
    connect(a, &TFPAuxControl::OnAnswer, this, [this](const QByteArray &text, bool isFinal) {
        Add(QStringLiteral("answer %1 %2").arg(isFinal ? "final" : "more", QString::fromLatin1(text)),
            isFinal);
    });
    connect(a, &TFPAuxControl::OnError, this, [this, a](TPortError error, const TLineFailure &failure) {
        failures << failure;
        Add(QStringLiteral("error %1/%2").arg(int(error)).arg(int(a->State())), true);
    });
}

void TPortEventRecorder::Add(const QString &event, bool ends)
{
    times << m_clock.elapsed();
    events << event;
    if (ends) {
        ++ended;
        endedAtMs = times.last();
    }
}

void TPortEventRecorder::clear()
{
    events.clear();
    times.clear();
    answers.clear();
    failures.clear();
    ended = 0;
    endedAtMs = -1;
}

qint64 TPortEventRecorder::timeOf(const QString &event) const
{
    const qsizetype index = events.indexOf(event);
    return index < 0 ? -1 : times.value(index, -1);
}

bool TPortEventRecorder::waitForEnd(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return ended >= count; }, timeoutMs);
}
