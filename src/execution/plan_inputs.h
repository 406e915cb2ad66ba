#pragma once

#include "execution/command_definition.h"
#include "execution/plan.h"
#include "execution/plan_values.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The field inputs of one step as `tessaly-cli send` builds them from --set,
// --date and --time: fields not named keep what a freshly built control
// holds, a named text goes through the typed box's rules, and every value
// must go out as entered. Kept values are put in first.
class TPlanInputs {
public:
    struct TResult {
        QList<TFieldInput> Inputs;
        QString Error;     // naming the field; empty when every value fits
        int Line = 0;      // of the value at fault; 0 for a default
        int Field = -1;    // from 0
        bool Missing = false;   // a kept value that holds nothing yet
        bool Ok() const { return Error.isEmpty(); }
    };

    // The step's values must have their field indexes (TPlanChecker).
    // Without kept values (a check before the run) a value that refers to
    // one is taken as fitting its field.
    static TResult Build(const TCommandDefinition &definition, const QList<TPlan::TValue> &values,
                         const TPlanValues *kept, const QDateTime &now);
};
