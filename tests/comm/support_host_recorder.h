#pragma once

#include "comm/fp_host_control.h"
#include "comm/host_framing.h"
#include "comm/scripted_serial_line.h"

#include <QElapsedTimer>
#include <QStringList>

#include <functional>

// Writes down every event of a host component, in order, as short texts:
// "open", "close", "ack", "nak", "intermediate", "write <hex>", "read <hex>",
// "final", "error <LastError>", each with the State() seen at that moment
// for the two events that end a command ("final/1" = final while idle).
class THostRecorder
{
public:
    explicit THostRecorder(TFPHostControl &host);

    QStringList events;
    QList<qint64> times;    // when each event came, from construction
    int ended = 0;          // final answers and errors
    qint64 endedAtMs = -1;  // when the last command ended, from construction
    QElapsedTimer clock;

    void clear();
    qint64 timeOf(const QString &event) const;
    bool waitForEnd(int count = 1, int timeoutMs = 5000);
};

// A printer on the far end of a scripted line: it sees every command frame
// the host writes (not the host's one-byte ACK and NAK) and reacts.
using TPrinterReaction =
    std::function<void(TScriptedSerialLine &line, quint8 sequence, const QList<QByteArray> &fields)>;
void ScriptPrinter(TScriptedSerialLine &line, TPrinterReaction reaction);

// The usual good answer to a command in the extended protocol.
QByteArray ExtendedAnswer(quint8 sequence, qint16 printer, qint16 fiscal, qint16 returnCode,
                          const QList<QByteArray> &extra);
