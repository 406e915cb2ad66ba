#pragma once

#include "comm/host_framing.h"
#include "comm/scripted_serial_line.h"

#include <functional>

// A printer on the far end of a scripted line: it sees every command frame
// the host writes (not the host's one-byte ACK and NAK) and reacts.
using TPrinterReaction =
    std::function<void(TScriptedSerialLine &line, quint8 sequence, const QList<QByteArray> &fields)>;
void ScriptPrinter(TScriptedSerialLine &line, TPrinterReaction reaction);

// The usual good answer to a command in the extended protocol.
QByteArray ExtendedAnswer(quint8 sequence, qint16 printer, qint16 fiscal, qint16 returnCode,
                          const QList<QByteArray> &extra);
