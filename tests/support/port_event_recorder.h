#pragma once

#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QStringList>

// Writes down every event of a port component, in order, with what it
// carried, as short texts:
//   "open", "close", "ack", "nak", "intermediate", "write <hex>", "read <hex>",
//   host: "final/<State>", auxiliary: "answer final <text>", "answer more <text>",
//   both: "error <code>/<State>" (State() as the event saw it).
// The host's answers and both components' line failures are kept whole.
class TPortEventRecorder : public QObject
{
public:
    explicit TPortEventRecorder(TFPHostControl &host);
    explicit TPortEventRecorder(TFPAuxControl &aux);

    QStringList events;
    QList<qint64> times;          // when each event came, from construction
    QList<THostAnswer> answers;   // every OnFinalAnswer's answer
    QList<TLineFailure> failures; // every OnError's line failure
    int ended = 0;                // events that ended a command
    qint64 endedAtMs = -1;        // when the last command ended, from construction

    void clear();
    qint64 timeOf(const QString &event) const;
    // Waits with a deadline until count commands have ended.
    bool waitForEnd(int count = 1, int timeoutMs = 5000);

private:
    void Add(const QString &event, bool ends = false);

    QElapsedTimer m_clock;
};
