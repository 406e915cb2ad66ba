#pragma once

#include "execution/plan.h"

#include <QList>
#include <QString>

// A plan the main window is asked to run against the terminal file on
// display: read, its terminal file the one on display, checked against it,
// and the ports its commands go to open. Every problem is listed, so one
// error box names them all; nothing has been sent.
class TPlanOpener
{
public:
    struct TResult {
        TPlan Plan;   // as the checker resolved it
        QList<TPlan::TProblem> Problems;
        bool Ok() const { return Problems.isEmpty(); }
    };

    static TResult Open(const QString &planFile, const QString &terminalFile, bool hostOpen, bool fiscalOpen);
    // Whether two names lead to the same file (links and "..", and case
    // where the file system ignores it, followed).
    static bool SameFile(const QString &a, const QString &b);
};
