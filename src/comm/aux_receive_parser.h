#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Receive parser of the auxiliary fiscal port. Bytes are fed as they arrive;
// Next() then hands out one step at a time until it reports MoreNeeded.
// It only recognises: the caller acknowledges, notifies and ends commands.
class TAuxReceiveParser
{
public:
    // A frame still incomplete after this many bytes is given up.
    static constexpr int BufferSize = 1024;

    struct TStep
    {
        enum TKind {
            MoreNeeded,    // every byte fed so far is consumed
            AckReceived,   // ACK outside a frame
            NakReceived,   // NAK outside a frame
            OtherByte,     // any other byte outside a frame (Frame holds it)
            FrameComplete, // a frame whose sum is zero (Frame holds STX to checksum)
            BadChecksum,   // a frame whose sum is not zero (Frame holds it)
            Overflow       // BufferSize bytes without the end of the frame
        };
        TKind Kind = MoreNeeded;
        QByteArray Frame;
    };

    void Feed(QByteArrayView bytes);
    TStep Next();
    // Drops every byte fed and not yet consumed, and any partial frame.
    void Reset();

    int State() const { return m_state; }

private:
    QByteArray m_input;
    qsizetype m_inputPos = 0;
    QByteArray m_frame;
    int m_state = 0;
    quint8 m_sum = 0;
};
