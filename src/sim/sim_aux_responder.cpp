#include "sim/sim_aux_responder.h"

#include "comm/aux_framing.h"

TSimAuxResponder::TSimAuxResponder(const TSimProfile &profile, const TSimFaultPlan &faults)
    : m_profile(profile), m_faults(faults)
{
}

void TSimAuxResponder::Reset()
{
    m_input.Reset();
    m_queue.clear();
    m_lastFrame.clear();
    m_repeats = 0;
}

TSimResponder::TReaction TSimAuxResponder::Receive(const QByteArray &bytes)
{
    TReaction reaction;
    for (const TSimAuxInput::TUnit &unit : m_input.Feed(bytes)) {
        if (!TSimAuxInput::Common(unit, reaction))
            continue;
        switch (unit.Kind) {
        case TSimAuxInput::TUnit::Enq:
            Request(nullptr, reaction);
            break;
        case TSimAuxInput::TUnit::Ack:
            m_lastFrame.clear();
            SendNext(0, reaction);
            break;
        case TSimAuxInput::TUnit::Nak:
            if (!m_lastFrame.isEmpty() && m_repeats < MaxRepeats) {
                ++m_repeats;
                reaction.Notes << QStringLiteral("frame repeated on NAK");
                reaction.Outputs.append({0, m_lastFrame});
            }
            break;
        case TSimAuxInput::TUnit::Request:
            Request(&unit.Bytes, reaction);
            break;
        case TSimAuxInput::TUnit::Noise:
        case TSimAuxInput::TUnit::BadRequest:
            break;   // taken care of in common
        }
    }
    return reaction;
}

void TSimAuxResponder::Request(const QByteArray *frame, TReaction &reaction)
{
    const int request = ++m_requests;
    const TSimFaultPlan::TFaults faults = m_faults.For(request);
    const QString tag = QStringLiteral("request %1: ").arg(request);
    m_queue.clear();
    m_lastFrame.clear();
    m_repeats = 0;
    if (faults.Silence) {
        reaction.Notes << tag + QStringLiteral("silence");
        return;
    }
    if (faults.UnplugMs >= 0) {
        reaction.Notes << tag + QStringLiteral("unplugged for %1 ms").arg(faults.UnplugMs);
        reaction.UnplugMs = faults.UnplugMs;
        return;
    }
    if (faults.DelayMs > 0)
        reaction.Notes << tag + QStringLiteral("delay %1 ms").arg(faults.DelayMs);
    if (faults.Nak) {
        reaction.Notes << tag + QStringLiteral("NAK instead of the answer");
        reaction.Outputs.append({faults.DelayMs, QByteArray(1, TAuxFraming::NAK)});
        return;
    }
    if (!frame) {
        reaction.Outputs.append({faults.DelayMs, QByteArray(1, TAuxFraming::ACK)});
        return;
    }
    for (const QByteArray &text : m_profile.FiscalReplies(TAuxFraming::FrameText(*frame)))
        m_queue.append(TAuxFraming::BuildFrame(text));
    if (faults.GarbageBytes > 0) {
        reaction.Notes << tag + QStringLiteral("%1 noise bytes").arg(faults.GarbageBytes);
        reaction.Outputs.append({faults.DelayMs, TSimFaultPlan::Garbage(faults.GarbageBytes)});
        SendNext(0, reaction);
    } else {
        SendNext(faults.DelayMs, reaction);
    }
    if (faults.BadChecksum && !reaction.Outputs.isEmpty()) {
        QByteArray &bad = reaction.Outputs.last().Bytes;
        bad[bad.size() - 1] = char(bad.back() ^ 0x01);
        reaction.Notes << tag + QStringLiteral("bad checksum first");
    }
}

void TSimAuxResponder::SendNext(int gapMs, TReaction &reaction)
{
    if (m_queue.isEmpty())
        return;
    m_lastFrame = m_queue.takeFirst();
    m_repeats = 0;
    reaction.Outputs.append({gapMs, m_lastFrame});
}
