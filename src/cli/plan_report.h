#pragma once

#include "execution/plan.h"
#include "execution/plan_run.h"
#include "execution/step_result.h"

#include <QJsonObject>
#include <QList>
#include <QString>

// What the run command prints: a line per step as it ends (with a line per
// failed expectation), the summary, or the whole run as one JSON object.
class TPlanReport {
public:
    // "[2/5] FAILED  Sell coffee  Receipt/Sell item  answer  12 ms" and the failures.
    static QString StepText(const TStepResult &result, int steps);
    static QString SummaryText(const TPlan &plan, const TPlanRun::TSummary &summary);
    static QJsonObject Json(const TPlan &plan, const QList<TStepResult> &results, const TPlanRun::TSummary &summary);
};
