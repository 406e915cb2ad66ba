#pragma once

#include "execution/received_answer.h"
#include "execution/run_command.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

// How one Send or Repeat ended.
struct TRunOutcome {
    enum TKind {
        Answer,       // host final answer, or auxiliary final answer
        Ack,          // auxiliary acknowledgement without answer text
        TimeOut,      // no answer in time
        WriteError,   // the frame could not be written
        Nak,          // the printer rejected the frame
        BadInput,     // a field value could not be expanded or was refused
        PortError,    // the port the command needs is closed
        Refused,      // the component refused the command (too long, busy)
        Cancelled,    // Cancel or Reset serial ports
        NotSent       // the command has no fields
    };

    TKind kind = NotSent;
    TCommandPort port = cpHostPort;
    int count = 1;    // commands asked for (the Repeat count)
    int sent = 0;     // commands handed to the component
    int field = -1;   // BadInput: index of the field, from 0
    int error = 0;    // LastError of the component that ended the run
    TReceivedAnswer answer;            // Answer on the host port
    QList<QByteArray> fiscalAnswers;   // auxiliary answers, in order
    // Microseconds from the first byte written to the answer (or the
    // auxiliary ACK) that ended the run; -1 when it ended without one.
    qint64 ElapsedUs = -1;
    // The same for every command of the run that was answered, in order:
    // one for a Send, one per step of a Repeat.
    QList<qint64> StepElapsedUs;

    // "answer", "ack", "timeout", "write-error", "nak", "bad-input",
    // "port-error", "refused", "cancelled", "not-sent".
    static QString KindName(TKind kind);
    // How a component's error ends a run; the two ports share their codes.
    static TKind KindOfPortError(int error);
};

Q_DECLARE_METATYPE(TRunOutcome)
