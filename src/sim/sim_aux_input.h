#pragma once

#include "comm/aux_receive_parser.h"
#include "sim/sim_responder.h"

#include <QByteArray>
#include <QList>

// What the fiscal port of a simulated printer makes of the client's bytes:
// ACK, NAK, ENQ, request frames (those with a bad checksum or too long
// apart) and the noise between them, each unit with the bytes it was read
// from. Pure logic, shared by the printer that answers from its profile and
// the one that answers from a capture.
class TSimAuxInput
{
public:
    struct TUnit
    {
        enum TKind { Noise, Ack, Nak, Enq, Request, BadRequest };
        TKind Kind = Noise;
        QByteArray Bytes;   // as received; noise in a row is one unit
    };

    QList<TUnit> Feed(const QByteArray &bytes);
    void Reset() { m_parser.Reset(); }

    // What every printer does with a unit, whatever it answers: writes it
    // down as received and refuses a bad request with NAK. True when the
    // unit is the responder's to answer (ACK, NAK, ENQ, a request).
    static bool Common(const TUnit &unit, TSimResponder::TReaction &reaction);

private:
    TAuxReceiveParser m_parser;
};
