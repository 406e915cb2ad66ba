#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// The port a command goes to: the Mode of its first field record.
enum TCommandPort : quint8 { cpHostPort = 0, cpFiscalPort = 1 };

// One field of a command, ready to be sent: its value after the conversion
// by control and text type, hex literals not yet expanded.
struct TSendField {
    QString value;
    // A Repeat run appends the step number ("001" ...) to the value.
    bool autoIncrement = false;
    // The control cannot take the focus after a bad-input error.
    bool readOnly = false;
    // Why the value cannot go out as entered, naming the field; empty when
    // it can. Such a field stops the send as bad input.
    QString refusal;
};

// A command as the runner sends it.
struct TRunCommand {
    QString key;   // the command section; answers are decoded by its definitions
    TCommandPort port = cpHostPort;
    QList<TSendField> fields;
};
