#pragma once

#include "execution/field_value.h"
#include "execution/run_outcome.h"

#include <QList>
#include <QMetaType>
#include <QString>

// How one step of a plan went: the outcome of its command, how long it took,
// the values it went out with and each expectation that did not hold.
struct TStepResult {
    struct TFailure {
        QString Expectation;   // "Outcome", "Field Receipt number", ...
        QString Expected;
        QString Actual;
        int Line = 0;          // of the expectation in the plan

        bool operator==(const TFailure &other) const = default;
        // "Field Receipt number: expected 1043, actual 1044".
        QString Text() const;
    };

    int Index = 0;         // from 0
    QString Title;         // TPlan::TStep::DisplayTitle()
    QString Command;       // GROUP/COMMAND; empty for a wait
    QString Section;       // the command section
    bool Wait = false;
    bool Sent = false;     // false: stopped before anything went out
    TRunOutcome Outcome;
    qint64 ElapsedMs = 0;
    QList<TFieldInput> Inputs;   // per field of the command, as sent
    QList<TFailure> Failures;

    bool Passed() const { return Failures.isEmpty(); }
};

Q_DECLARE_METATYPE(TStepResult)
