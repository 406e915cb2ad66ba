#pragma once

#include "execution/capture_record.h"
#include "sim/sim_aux_input.h"
#include "sim/sim_host_input.h"
#include "sim/sim_responder.h"

#include <QHash>
#include <QList>

// One port of the simulated printer answering from a capture: each command
// gets what the printer answered to the same command in the capture (host
// frames compared without their sequence number and checksum). Repeated
// commands take the recorded answers in order, the last one again once
// they run out. A host answer frame is rebuilt with the sequence number of
// the command and its checksum; what the printer sent after the host's ACK
// (the next frame of a fiscal answer) waits for that ACK again. A command
// the capture lacks gets NAK and a note on the trace.
class TSimReplayResponder : public TSimResponder
{
public:
    // How often one answer frame is repeated on the host's NAK.
    static constexpr int MaxRepeats = 3;

    // withDelays: each output keeps its recorded distance from the byte
    // before it; otherwise everything goes at once.
    TSimReplayResponder(const QList<TCaptureRecord> &records, TCommandPort port, bool withDelays);

    TReaction Receive(const QByteArray &bytes) override;
    void Reset() override;
    int RequestCount() const override { return m_requests; }
    // The commands of this port in the capture.
    int RecordedCount() const { return m_recorded; }

private:
    // What the printer sent between two bytes of the host: first on the
    // command, then each after the host's next ACK.
    using TGroup = QList<TOutput>;
    struct TExchange
    {
        QList<TGroup> Groups;
    };

    void Load(const QList<TCaptureRecord> &records, bool withDelays);
    QByteArray Key(const QByteArray &command) const;
    bool IsCommand(const QByteArray &bytes) const;
    void Command(const QByteArray &command, TReaction &reaction);
    void HostAck(TReaction &reaction);
    void HostNak(TReaction &reaction);
    void SendGroup(TReaction &reaction);

    TCommandPort m_port;
    QHash<QByteArray, QList<TExchange>> m_exchanges;
    QHash<QByteArray, int> m_taken;
    int m_recorded = 0;
    int m_requests = 0;

    TSimHostInput m_hostInput;
    TSimAuxInput m_auxInput;
    QList<TGroup> m_pending;           // groups still to send
    quint8 m_sequence = 0;             // of the host command being answered
    QByteArray m_lastFrame;            // repeated on the host's NAK
    int m_repeats = 0;
};
