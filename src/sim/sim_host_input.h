#pragma once

#include "comm/host_framing.h"
#include "sim/sim_responder.h"

#include <QByteArray>
#include <QList>

// What the host port of a simulated printer makes of the client's bytes:
// ACK, NAK, command frames (those with a bad checksum apart) and the noise
// between them, each unit with the bytes it was read from. A frame still
// incomplete waits for more bytes. Pure logic, shared by the printer that
// answers from its profile and the one that answers from a capture.
class TSimHostInput
{
public:
    // Longest command frame taken; the host never sends more.
    static constexpr int MaxFrameBytes = 2 * 8192;

    struct TUnit
    {
        enum TKind { Noise, Ack, Nak, Command, BadCommand };
        TKind Kind = Noise;
        QByteArray Bytes;   // as received; noise in a row is one unit
        THostFrame Frame;   // Command: the parsed frame
        // Noise: a start without an end for MaxFrameBytes was dropped in it.
        bool Dropped = false;
    };

    QList<TUnit> Feed(const QByteArray &bytes);
    void Reset() { m_buffer.clear(); }

    // What every printer does with a unit, whatever it answers: writes it
    // down as received, notes a dropped frame and refuses a bad one with
    // NAK. True when the unit is the responder's to answer (ACK, NAK, a
    // command).
    static bool Common(const TUnit &unit, TSimResponder::TReaction &reaction);

private:
    QByteArray m_buffer;   // bytes not yet taken
};
