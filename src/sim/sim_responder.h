#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The reacting half of one simulated port: bytes from the client go in,
// what the printer sends goes out as a timed list. Pure logic; the server
// does the waiting and the I/O.
class TSimResponder
{
public:
    struct TOutput
    {
        int GapMs = 0;      // after the previous output (or now, for the first)
        QByteArray Bytes;
    };

    struct TReaction
    {
        QList<QByteArray> Received;   // what was recognised, one unit per trace line
        QList<TOutput> Outputs;
        QStringList Notes;            // faults applied, for the trace
        int UnplugMs = -1;            // >= 0: the port goes away for that long
    };

    virtual ~TSimResponder() = default;

    virtual TReaction Receive(const QByteArray &bytes) = 0;
    // The client went away: forget every half-read frame and pending answer.
    virtual void Reset() = 0;
    // Requests seen since the start.
    virtual int RequestCount() const = 0;
};
