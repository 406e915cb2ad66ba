#include "cli/plan_report.h"

#include <QtTest>

class TestPlanReport : public QObject {
    Q_OBJECT

private slots:
    void stepLineKeepsTheTitleAsWritten();
};

void TestPlanReport::stepLineKeepsTheTitleAsWritten()
{
    // A title or a failure may hold "%": the line is filled in one pass,
    // so nothing in it is taken for a place of its own.
    TStepResult result;
    result.Index = 1;
    result.Title = QStringLiteral("Discount 10%7 %3");
    result.Command = QStringLiteral("Receipt/Discount");
    result.Outcome.kind = TRunOutcome::Answer;
    result.ElapsedMs = 12;
    QCOMPARE(TPlanReport::StepText(result, 5),
             QStringLiteral("[2/5] passed  Discount 10%7 %3  Receipt/Discount  answer  12 ms\n"));

    result.Failures.append({QStringLiteral("Field Rate"), QStringLiteral("10%"), QStringLiteral("5%1"), 9});
    QCOMPARE(TPlanReport::StepText(result, 5),
             QStringLiteral("[2/5] FAILED  Discount 10%7 %3  Receipt/Discount  answer  12 ms\n"
                            "      Field Rate: expected 10%, actual 5%1 (line 9)\n"));
}

QTEST_GUILESS_MAIN(TestPlanReport)
#include "tst_plan_report.moc"
