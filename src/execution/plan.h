#pragma once

#include "execution/run_command.h"
#include "execution/run_outcome.h"

#include <QList>
#include <QString>
#include <QStringView>

// A test plan as its file gives it: the terminal file it runs against and
// its steps in order. TPlanReader fills what the file says; TPlanChecker
// resolves the commands, fields and return-code texts against the terminal
// file (the fields marked "checker").
struct TPlan {
    // A mistake in a plan, with the line that holds it.
    struct TProblem {
        QString File;
        int Line = 0;   // from 1; 0 when no line holds it (a missing section)
        QString Message;

        bool operator==(const TProblem &other) const = default;
        // "receipt.plan:12: message", or "receipt.plan: message".
        QString Text() const;
    };

    // A command field's value: "Set", "Date" or "Time" and the field.
    enum class TValueKind { Set, Date, Time };
    struct TValue {
        TValueKind Kind = TValueKind::Set;
        QString Field;   // as written: a number from 1 or a caption
        QString Text;    // may hold ${name}
        int Line = 0;
        int Index = -1;  // checker: the field, from 0
    };

    enum class TExpectationKind {
        Outcome,        // Outcome = answer
        ReturnCode,     // Return code = 0 | Command executed
        Shown,          // Shown = Fiscal receipt open
        NotShown,       // Not shown = Paper low
        FieldEquals,    // Field LABEL = TEXT
        FieldMatches,   // Pattern LABEL = REGEX
        FieldRange,     // Range LABEL = MIN .. MAX
        FiscalEquals,   // Fiscal answer N = TEXT
        FiscalMatches,  // Fiscal pattern N = REGEX
        FiscalCount     // Fiscal answers = N
    };
    struct TExpectation {
        TExpectationKind Kind = TExpectationKind::Outcome;
        QString Subject;   // the answer field's label; empty for the others
        QString Text;      // the value as written; may hold ${name}
        int Line = 0;
        TRunOutcome::TKind Outcome = TRunOutcome::Answer;
        int Number = -1;   // fiscal answer (from 1) or count; return code (checker for a text)
        bool HasMin = false;
        bool HasMax = false;
        double Min = 0;
        double Max = 0;
    };

    // Keep LABEL = name: the answer field's text is kept under name.
    struct TKeep {
        QString Field;
        QString Name;
        int Line = 0;
    };

    struct TStep {
        int Line = 0;       // of its [Step] header
        QString Title;      // the name after "Step"; may be empty
        QString Command;    // GROUP/COMMAND as written; empty for a wait
        int CommandLine = 0;
        int Repeat = 0;     // 0 sends once; 1..999 repeats
        int RepeatLine = 0;
        int WaitMs = -1;    // a wait step: how long
        QList<TValue> Values;
        QList<TExpectation> Expectations;
        QList<TKeep> Keeps;
        QString Section;    // checker: the command section
        QString CommandName;   // checker: GROUP/COMMAND as the terminal file spells it
        TCommandPort Port = cpHostPort;   // checker

        bool IsWait() const { return WaitMs >= 0; }
        // The title, else the command, else the wait.
        QString DisplayTitle() const;
        // Without an Outcome expectation a step expects an answer or an ACK.
        bool ExpectsOutcome() const;
    };

    QString FileName;
    QString Name;        // [Plan] Name, else the file's base name
    QString Terminal;    // as written
    int TerminalLine = 0;
    QList<TStep> Steps;

    // The terminal file, relative to the plan's folder unless absolute.
    QString TerminalPath() const;
    // Whether some command goes to this port (checker).
    bool UsesPort(TCommandPort port) const;

    // Keys, labels and panel texts are compared without case. Nearly all are
    // ASCII, which this lowers without Qt's Unicode tables; a long plan
    // lowers thousands of them.
    static QString Folded(const QString &text);
    // A number as a plan or a converted answer writes it: blanks around it,
    // "." or "," before the decimals.
    static bool Number(QStringView text, double *value);
};
