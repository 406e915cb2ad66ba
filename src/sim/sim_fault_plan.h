#pragma once

#include <QList>
#include <QString>

// Faults the simulated printer injects, each on the Nth request of its port
// or on every request. A fault is written KIND[=ARGS][@N|@every]:
//   nak              NAK instead of ACK (fiscal port: instead of the answer)
//   bad-checksum     the answer frame first with a wrong checksum; the good
//                    one after the host's NAK
//   dc2=K,M          K intermediate DC2 bytes, M ms apart (host port)
//   busy-frame=K,M   K intermediate frames with sequence number 0x80 (host port)
//   other-seq        first an answer for another sequence number (host port)
//   silence          no reaction at all
//   delay=MS         wait MS ms before reacting
//   garbage=K        K noise bytes before the answer frame's STX
//   unplug=MS        no reaction: the port goes away as a pulled adapter
//                    does and comes back MS ms later (a pseudo-terminal only)
class TSimFaultPlan
{
public:
    enum TPort { HostPort, FiscalPort };

    struct TFaults
    {
        bool Nak = false;
        bool BadChecksum = false;
        bool OtherSequence = false;
        bool Silence = false;
        int DelayMs = 0;
        int Dc2Count = 0;
        int Dc2GapMs = 0;
        int BusyFrames = 0;
        int BusyGapMs = 0;
        int GarbageBytes = 0;
        int UnplugMs = -1;   // -1: stays plugged in
    };

    explicit TSimFaultPlan(TPort port = HostPort) : m_port(port) {}

    // False with error when the text is not a fault of this port.
    bool Add(const QString &spec, QString &error);
    // The faults for the request with this 1-based number.
    TFaults For(int request) const;
    bool IsEmpty() const { return m_entries.isEmpty(); }

    // The noise bytes a garbage fault sends: none of them is a control
    // byte of either protocol.
    static QByteArray Garbage(int count);

private:
    struct TEntry
    {
        QString Kind;
        int First = 0;
        int Second = 0;
        int Request = 0;   // 0: every request
    };

    TPort m_port;
    QList<TEntry> m_entries;
};
