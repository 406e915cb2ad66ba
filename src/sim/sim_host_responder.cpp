#include "sim/sim_host_responder.h"

#include "comm/host_framing.h"

TSimHostResponder::TSimHostResponder(TProtocolType protocol, const TSimProfile &profile,
                                     const TSimFaultPlan &faults)
    : m_protocol(protocol), m_profile(profile), m_faults(faults)
{
}

void TSimHostResponder::Reset()
{
    m_input.Reset();
    m_lastAnswer.clear();
    m_repeats = 0;
}

TSimResponder::TReaction TSimHostResponder::Receive(const QByteArray &bytes)
{
    TReaction reaction;
    for (const TSimHostInput::TUnit &unit : m_input.Feed(bytes)) {
        if (!TSimHostInput::Common(unit, reaction))
            continue;
        if (unit.Kind == TSimHostInput::TUnit::Command) {
            Answer(unit.Frame.Sequence, unit.Frame.Fields, reaction);
        } else if (unit.Kind == TSimHostInput::TUnit::Nak && !m_lastAnswer.isEmpty() && m_repeats < MaxRepeats) {
            ++m_repeats;
            reaction.Notes << QStringLiteral("answer repeated on NAK");
            reaction.Outputs.append({0, m_lastAnswer});
        }
    }
    return reaction;
}

void TSimHostResponder::Answer(quint8 sequence, const QList<QByteArray> &fields,
                               TReaction &reaction)
{
    const int request = ++m_requests;
    const TSimFaultPlan::TFaults faults = m_faults.For(request);
    const QString tag = QStringLiteral("command %1: ").arg(request);
    m_lastAnswer.clear();
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
        reaction.Notes << tag + QStringLiteral("NAK instead of ACK");
        reaction.Outputs.append({faults.DelayMs, QByteArray(1, THostFraming::NAK)});
        return;
    }
    reaction.Outputs.append({faults.DelayMs, QByteArray(1, THostFraming::ACK)});
    if (faults.Dc2Count > 0)
        reaction.Notes << tag + QStringLiteral("%1 DC2, %2 ms apart").arg(faults.Dc2Count).arg(faults.Dc2GapMs);
    if (faults.BusyFrames > 0)
        reaction.Notes << tag + QStringLiteral("%1 intermediate frames, %2 ms apart").arg(faults.BusyFrames).arg(faults.BusyGapMs);
    for (int i = 0; i < faults.Dc2Count; ++i)
        reaction.Outputs.append({faults.Dc2GapMs, QByteArray(1, THostFraming::DC2)});
    for (int i = 0; i < faults.BusyFrames; ++i) {
        reaction.Outputs.append(
            {faults.BusyGapMs, THostFraming::BuildAnswerFrame(THostFraming::IntermediateSequence, {})});
    }

    const TSimProfile::THostReply reply = m_profile.HostReply(fields);
    const QByteArray answer = THostFraming::BuildAnswerFrame(
        sequence, THostFraming::AnswerFields(m_protocol, reply.PrinterStatus, reply.FiscalStatus,
                                             reply.ReturnCode, reply.Fields));
    if (faults.OtherSequence) {
        // The one before, within the protocol's range; never 0x80.
        const bool compatible = m_protocol == protocol_Compatible;
        const quint8 low = compatible ? 0x20 : 0x81;
        const quint8 high = compatible ? 0x7F : 0xFF;
        const quint8 other = sequence <= low || sequence > high ? high : quint8(sequence - 1);
        reaction.Notes << tag + QStringLiteral("answer for sequence %1 first").arg(other, 2, 16, QLatin1Char('0'));
        reaction.Outputs.append({0, THostFraming::BuildAnswerFrame(other, {})});
    }
    if (faults.GarbageBytes > 0) {
        reaction.Notes << tag + QStringLiteral("%1 noise bytes").arg(faults.GarbageBytes);
        reaction.Outputs.append({0, TSimFaultPlan::Garbage(faults.GarbageBytes)});
    }
    if (faults.BadChecksum) {
        QByteArray bad = answer;
        // Change the last checksum digit; it stays a hex digit.
        char &digit = bad[bad.size() - 1];
        digit = digit == '0' ? '1' : '0';
        reaction.Notes << tag + QStringLiteral("bad checksum first");
        reaction.Outputs.append({0, bad});
    } else {
        reaction.Outputs.append({0, answer});
    }
    m_lastAnswer = answer;
}
