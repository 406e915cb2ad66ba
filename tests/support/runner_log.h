#pragma once

#include "execution/command_runner.h"

#include <QList>
#include <QObject>
#include <QStringList>

// Everything a runner tells its window, as short lines in order.
class TRunnerLog : public QObject {
public:
    explicit TRunnerLog(TCommandRunner &runner);

    QStringList Statuses() const;
    bool WaitFinished(int timeoutMs = 10000);

    QStringList Events;
    QList<TReceivedAnswer> Answers;
    QList<TRunOutcome> Outcomes;
};
