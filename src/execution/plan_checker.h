#pragma once

#include "execution/plan.h"

#include <QDateTime>
#include <QList>

class TTerminalDocument;

// A plan against its terminal file, before anything is sent: every command
// must exist and be sendable, every field named must be one of its command
// fields of the right kind, every value written out must be one its box
// takes (unless the step expects bad input), every answer field expected or
// kept must be one the command defines, every status text one a fixed
// answer shows, every return-code text one the file describes, every kept
// value kept by an earlier step. Every problem is listed.
class TPlanChecker {
public:
    struct TResult {
        TPlan Plan;   // resolved: sections, field indexes, ports, return codes
        QList<TPlan::TProblem> Problems;
        bool Ok() const { return Problems.isEmpty(); }
    };

    static TResult Check(const TPlan &plan, const TTerminalDocument &document, const QDateTime &now);
    // Loads the plan's terminal file; false with a problem at its line.
    static bool LoadTerminal(const TPlan &plan, TTerminalDocument *document, QList<TPlan::TProblem> *problems);
    // Loads the plan's terminal file and checks the plan against it: *plan
    // becomes the resolved plan and every problem is appended. False when
    // the terminal file cannot be loaded (the plan is left as it was).
    static bool LoadAndCheck(TPlan *plan, TTerminalDocument *document, QList<TPlan::TProblem> *problems);
};
