#pragma once

#include <QByteArray>
#include <QList>

// The host's side of an answer, fed with the bytes as they arrive after a
// command frame was written. It recognises the printer's ACK, NAK and DC2,
// collects the answer frame, checks its checksum and sequence number and says
// what the worker has to do; it neither writes nor posts anything itself.
//
// States: 0 waiting for the printer's reaction, 1 command acknowledged,
// 2 sequence number, 3 data, 4 escaped byte, 5-8 checksum digits 1-4.
class THostReceiveParser
{
public:
    // Done in this order while a chunk is parsed.
    enum TAction {
        NotifyAck,           // the printer accepted the command
        NotifyNak,           // the printer rejected the command
        NotifyIntermediate,  // DC2, or a good frame with sequence number 0x80
        WriteAck             // a good answer to another command: acknowledge it, nothing else
    };

    // How the chunk ended.
    enum TOutcome {
        MoreNeeded,
        BadChecksum,  // write NAK; the printer is expected to repeat the frame
        FinalFrame    // write ACK; ReadFrame() and Fields() hold the answer
    };

    struct TResult
    {
        QList<TAction> Actions;
        TOutcome Outcome = MoreNeeded;
    };

    THostReceiveParser();

    // Forgets the bytes received and starts over in state 0; the fields of
    // the last frame stay readable.
    void Reset();
    void SetLastSentSequence(quint8 sequence) { m_lastSent = sequence; }

    // Room left for bytes of the answer being read; a frame that outgrows
    // the receive buffer cannot be completed.
    qsizetype FreeSpace() const;

    // Parses chunk (bytes beyond FreeSpace() are dropped). The rest of a
    // chunk after a bad checksum or after the final frame is discarded.
    TResult Feed(const QByteArray &chunk);

    int State() const { return m_state; }
    // The final answer frame, STX through the last checksum digit.
    QByteArray ReadFrame() const { return m_readFrame; }
    // Every field of the last frame begun, the one before ETX included.
    QList<QByteArray> Fields() const { return m_fields; }
    quint8 ReceivedSequence() const { return m_received; }

private:
    QByteArray m_buffer;
    qsizetype m_frameStart = 0;
    int m_state = 0;
    quint16 m_sum = 0;
    quint8 m_received = 0;
    quint8 m_lastSent = 0;
    QByteArray m_field;
    QByteArray m_checkSum;
    QList<QByteArray> m_fields;
    QByteArray m_readFrame;
};
