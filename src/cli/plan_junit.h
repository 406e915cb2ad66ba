#pragma once

#include "execution/plan.h"
#include "execution/plan_run.h"
#include "execution/step_result.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A plan's run as JUnit XML, as CI servers read test reports: one test
// suite per plan, one test case per step, each failed expectation a
// failure with its message, the steps a stopped run left out skipped.
class TPlanJUnit {
public:
    static QByteArray Xml(const TPlan &plan, const QList<TStepResult> &results, const TPlanRun::TSummary &summary);
    // Written whole or not at all; false with *error set.
    static bool Write(const QString &fileName, const QByteArray &xml, QString *error);
};
