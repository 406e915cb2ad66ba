#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The tessaly-cli program without its main(): the commands list, show,
// check, send and run, their options and help texts, the outputs and the exit
// status. Errors go to err, one line each.
class TCliTool {
public:
    enum TExit {
        ExitOk = 0,
        ExitError = 1,      // usage, file or port-opening errors
        ExitTimeOut = 2,    // time-out or write error
        ExitNak = 3,
        ExitBadInput = 4,
        ExitFailed = 5      // run: some expectation of the plan did not hold
    };

    // arguments without the program name. settingsName is the per-user
    // store whose port settings send takes as defaults.
    static int Run(const QStringList &arguments, QTextStream &out, QTextStream &err,
                   const QString &settingsName = QStringLiteral("tessaly"));

    static QString Version();
};
