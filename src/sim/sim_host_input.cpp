#include "sim/sim_host_input.h"

#include "comm/host_framing.h"

#include <utility>

QList<TSimHostInput::TUnit> TSimHostInput::Feed(const QByteArray &bytes)
{
    QList<TUnit> units;
    m_buffer += bytes;
    TUnit noise;
    const auto flushNoise = [&] {
        if (!noise.Bytes.isEmpty())
            units.append(std::exchange(noise, {}));
    };
    while (!m_buffer.isEmpty()) {
        const char first = m_buffer.at(0);
        if (first == THostFraming::ACK || first == THostFraming::NAK) {
            flushNoise();
            units.append({first == THostFraming::ACK ? TUnit::Ack : TUnit::Nak, m_buffer.left(1), {}, false});
            m_buffer.remove(0, 1);
            continue;
        }
        if (first != THostFraming::STX) {
            noise.Bytes += first;
            m_buffer.remove(0, 1);
            continue;
        }
        THostFrame frame;
        const THostFraming::TParseStatus status = THostFraming::ParseFrame(m_buffer, frame);
        if (status == THostFraming::FrameIncomplete) {
            // A start without an end for this long is noise, not a command.
            if (m_buffer.size() > MaxFrameBytes) {
                noise.Bytes += std::exchange(m_buffer, {});
                noise.Dropped = true;
            }
            break;
        }
        flushNoise();
        const TUnit::TKind kind = status == THostFraming::FrameBadChecksum ? TUnit::BadCommand : TUnit::Command;
        units.append({kind, m_buffer.left(frame.Length), frame, false});
        m_buffer.remove(0, frame.Length);
    }
    flushNoise();
    return units;
}

bool TSimHostInput::Common(const TUnit &unit, TSimResponder::TReaction &reaction)
{
    reaction.Received.append(unit.Bytes);
    if (unit.Kind == TUnit::Noise) {
        if (unit.Dropped)
            reaction.Notes << QStringLiteral("unterminated frame dropped");
        return false;
    }
    if (unit.Kind == TUnit::BadCommand) {
        reaction.Notes << QStringLiteral("command frame with a bad checksum");
        reaction.Outputs.append({0, QByteArray(1, THostFraming::NAK)});
        return false;
    }
    return true;
}
