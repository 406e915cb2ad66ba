#include "sim/sim_aux_input.h"

#include "comm/aux_framing.h"

#include <utility>

QList<TSimAuxInput::TUnit> TSimAuxInput::Feed(const QByteArray &bytes)
{
    QList<TUnit> units;
    TUnit noise;
    const auto flushNoise = [&] {
        if (!noise.Bytes.isEmpty())
            units.append(std::exchange(noise, {}));
    };
    m_parser.Feed(bytes);
    for (;;) {
        TAuxReceiveParser::TStep step = m_parser.Next();
        if (step.Kind == TAuxReceiveParser::TStep::MoreNeeded)
            break;
        if (step.Kind == TAuxReceiveParser::TStep::OtherByte && step.Frame.at(0) != TAuxFraming::ENQ) {
            noise.Bytes += step.Frame;
            continue;
        }
        flushNoise();
        switch (step.Kind) {
        case TAuxReceiveParser::TStep::AckReceived:
            units.append({TUnit::Ack, QByteArray(1, TAuxFraming::ACK)});
            break;
        case TAuxReceiveParser::TStep::NakReceived:
            units.append({TUnit::Nak, QByteArray(1, TAuxFraming::NAK)});
            break;
        case TAuxReceiveParser::TStep::OtherByte:   // ENQ
            units.append({TUnit::Enq, std::move(step.Frame)});
            break;
        case TAuxReceiveParser::TStep::FrameComplete:
            units.append({TUnit::Request, std::move(step.Frame)});
            break;
        case TAuxReceiveParser::TStep::BadChecksum:
        case TAuxReceiveParser::TStep::Overflow:
            units.append({TUnit::BadRequest, std::move(step.Frame)});
            break;
        case TAuxReceiveParser::TStep::MoreNeeded:
            break;
        }
    }
    flushNoise();
    return units;
}

bool TSimAuxInput::Common(const TUnit &unit, TSimResponder::TReaction &reaction)
{
    reaction.Received.append(unit.Bytes);
    if (unit.Kind == TUnit::BadRequest) {
        reaction.Notes << QStringLiteral("request frame with a bad checksum");
        reaction.Outputs.append({0, QByteArray(1, TAuxFraming::NAK)});
        return false;
    }
    return unit.Kind != TUnit::Noise;
}
