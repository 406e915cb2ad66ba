#include "cli/plan_report.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace {

QString What(const TStepResult &result)
{
    return result.Wait ? QCoreApplication::translate("TPlanReport", "wait") : result.Command;
}

}

QString TPlanReport::StepText(const TStepResult &result, int steps)
{
    // One pass: a title holding "%3" stays as written.
    QString text = QStringLiteral("[%1/%2] %3  %4  %5  %6  %7 ms\n")
                       .arg(QString::number(result.Index + 1), QString::number(steps),
                            result.Passed() ? QCoreApplication::translate("TPlanReport", "passed") : QCoreApplication::translate("TPlanReport", "FAILED"), result.Title, What(result),
                            result.Wait ? QCoreApplication::translate("TPlanReport", "done") : TRunOutcome::KindName(result.Outcome.kind),
                            QString::number(result.ElapsedMs));
    for (const TStepResult::TFailure &failure : result.Failures)
        text += QStringLiteral("      ") + failure.Text()
                + (failure.Line > 0 ? QCoreApplication::translate("TPlanReport", " (line %1)").arg(failure.Line) : QString()) + QLatin1Char('\n');
    return text;
}

QString TPlanReport::SummaryText(const TPlan &plan, const TPlanRun::TSummary &summary)
{
    QString text = QCoreApplication::translate("TPlanReport", "%1: %2 steps, %3 passed, %4 failed")
                       .arg(plan.Name)
                       .arg(summary.Steps)
                       .arg(summary.Passed)
                       .arg(summary.Failed);
    if (summary.NotRun > 0)
        text += QCoreApplication::translate("TPlanReport", ", %1 not run").arg(summary.NotRun);
    return text + QCoreApplication::translate("TPlanReport", " in %1 ms").arg(summary.ElapsedMs) + QLatin1Char('\n');
}

QJsonObject TPlanReport::Json(const TPlan &plan, const QList<TStepResult> &results, const TPlanRun::TSummary &summary)
{
    QJsonArray steps;
    for (const TStepResult &result : results) {
        QJsonArray failures;
        for (const TStepResult::TFailure &failure : result.Failures)
            failures.append(QJsonObject{{QStringLiteral("expectation"), failure.Expectation},
                                        {QStringLiteral("expected"), failure.Expected},
                                        {QStringLiteral("actual"), failure.Actual},
                                        {QStringLiteral("line"), failure.Line}});
        QJsonObject step{{QStringLiteral("step"), result.Index + 1},
                         {QStringLiteral("title"), result.Title},
                         {QStringLiteral("passed"), result.Passed()},
                         {QStringLiteral("elapsedMs"), result.ElapsedMs},
                         {QStringLiteral("failures"), failures}};
        if (result.Wait) {
            step.insert(QStringLiteral("wait"), true);
        } else {
            step.insert(QStringLiteral("command"), result.Command);
            step.insert(QStringLiteral("outcome"), TRunOutcome::KindName(result.Outcome.kind));
            step.insert(QStringLiteral("sent"), result.Outcome.sent);
        }
        steps.append(step);
    }
    return QJsonObject{{QStringLiteral("plan"), plan.Name},
                       {QStringLiteral("file"), plan.FileName},
                       {QStringLiteral("terminal"), plan.TerminalPath()},
                       {QStringLiteral("steps"), steps},
                       {QStringLiteral("passed"), summary.Passed},
                       {QStringLiteral("failed"), summary.Failed},
                       {QStringLiteral("notRun"), summary.NotRun},
                       {QStringLiteral("elapsedMs"), summary.ElapsedMs}};
}
