#pragma once

#include "execution/command_definition.h"
#include "execution/field_value.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The inputs of one command as the options of the send command give them:
// --set N=TEXT for typed boxes, --date N=YYYY-MM-DD and --time N=HH:MM:SS for
// pickers, N counted from 1. Fields not named keep what a freshly built
// control holds, a default that does not fit its type included: like the
// window's Send, Build then refuses it.
class TSendInputs {
public:
    enum class TStatus {
        Ok,
        Usage,      // an option that names no field, or the wrong kind of field
        BadInput    // a text the typed box would refuse, or a value (given or
                    // default) that would not go out as entered
    };

    struct TResult {
        TStatus status = TStatus::Ok;
        QString error;   // one line naming the field
        QList<TFieldInput> inputs;
    };

    static TResult Build(const TCommandDefinition &definition, const QStringList &sets,
                         const QStringList &dates, const QStringList &times, const QDateTime &now);
};
