#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/command_runner.h"
#include "execution/plan_checker.h"
#include "execution/plan_reader.h"
#include "execution/plan_run.h"
#include "sim_runner_fixture.h"
#include "terminal_model/terminal_document.h"

#include <QtTest>

// A plan run step by step through the command runner against the simulator
// with the sample profile: values kept and used, Stop between steps and in
// a wait, stop on failure, a value that cannot go out.
class TestPlanRun : public QObject, private TSimRunnerFixture {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void keepsValuesForLaterSteps_data();
    void keepsValuesForLaterSteps();
    void stopsBetweenSteps();
    void sendAheadLetsTheStepOnTheWireFinish();
    void commandSentAheadRefusedAtOnce();
    void stopCutsAWaitShort();
    void stopsOnFailureWhenAsked();
    void valueThatCannotGoOutIsNotSent();
    void missingKeptValueFailsTheStep();

private:
    TPlan Checked(const QByteArray &steps);
    struct TRun {
        QList<TStepResult> results;
        TPlanRun::TSummary summary;
        int started = 0;
        bool runningAfterStart = false;
        bool ended = false;   // Finished came, and the run no longer runs
    };
    TRun Run(const TPlan &plan, bool stopOnFailure = false, int stopAfterStep = -1, bool sendAhead = false);

    TTerminalDocument m_document;
};

void TestPlanRun::initTestCase()
{
    QVERIFY(m_document.Load(QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy")));
    QVERIFY2(SetUpOnSimulator({"--profile", QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo-profile.ini")},
                              protocol_Extended),
             qPrintable(m_setUpError));
}

void TestPlanRun::cleanupTestCase()
{
    TearDownOnSimulator();
}

TPlan TestPlanRun::Checked(const QByteArray &steps)
{
    const TPlanReader::TResult read = TPlanReader::Parse("[Plan]\nTerminal = demo.tsy\n" + steps, "run.plan");
    const TPlanChecker::TResult checked = TPlanChecker::Check(read.Plan, m_document, QDateTime::currentDateTime());
    for (const TPlan::TProblem &problem : read.Problems + checked.Problems)
        qWarning() << problem.Text();
    return checked.Plan;
}

TestPlanRun::TRun TestPlanRun::Run(const TPlan &plan, bool stopOnFailure, int stopAfterStep, bool sendAhead)
{
    TPlanRun::TOptions options;
    options.StopOnFailure = stopOnFailure;
    options.SendAhead = sendAhead;
    options.Answers.protocol = 1;
    options.Answers.outputDateFormat = 1;
    options.Answers.today = QDate::currentDate();
    TPlanRun run(plan, m_document.Ini(), m_runner.get(), options);
    TRun result;
    connect(&run, &TPlanRun::StepStarted, this, [&result] { ++result.started; });
    connect(&run, &TPlanRun::StepFinished, this, [&](const TStepResult &step) {
        result.results.append(step);
        if (step.Index == stopAfterStep)
            run.Stop();
    });
    QSignalSpy finished(&run, &TPlanRun::Finished);
    run.Start();
    result.runningAfterStart = run.IsRunning();
    if (!finished.wait(20000))
        return result;
    result.summary = finished.first().first().value<TPlanRun::TSummary>();
    result.ended = !run.IsRunning();
    return result;
}

void TestPlanRun::keepsValuesForLaterSteps_data()
{
    QTest::addColumn<bool>("sendAhead");
    QTest::newRow("one step at a time") << false;
    // A step that uses a kept value waits for the judging of the one before.
    QTest::newRow("send ahead") << true;
}

void TestPlanRun::keepsValuesForLaterSteps()
{
    QFETCH(bool, sendAhead);
    // The receipt number comes back as a unit price: the simulator echoes
    // the price in the item amount.
    const TPlan plan = Checked("[Step]\nCommand = Receipt/Open receipt\nKeep Receipt number = receipt\n"
                               "[Step]\nCommand = Receipt/Sell item\nSet Description = No ${receipt}\n"
                               "Set Unit price = ${receipt}\nField Item amount = 0001043.00\n"
                               "[Step]\nCommand = Receipt/Close receipt\nField Receipt number = ${receipt}\n"
                               "Shown = No document open\n");
    const TRun run = Run(plan, false, -1, sendAhead);
    QVERIFY(run.runningAfterStart);
    QVERIFY(run.ended);
    QCOMPARE(run.started, 3);
    QCOMPARE(run.results.size(), 3);
    for (const TStepResult &result : run.results) {
        QVERIFY2(result.Passed(), qPrintable(result.Failures.value(0).Text()));
        QVERIFY(result.Sent);
        QCOMPARE(result.Outcome.kind, TRunOutcome::Answer);
    }
    QCOMPARE(run.results.at(1).Index, 1);
    QCOMPARE(run.results.at(1).Command, QStringLiteral("Receipt/Sell item"));
    QCOMPARE(run.results.at(1).Section, QStringLiteral("ReceiptSell item"));
    QCOMPARE(run.results.at(1).Inputs.at(1).text, QStringLiteral("No 1043"));
    QCOMPARE(run.results.at(1).Inputs.at(3).text, QStringLiteral("1043"));
    QCOMPARE(run.summary.Steps, 3);
    QCOMPARE(run.summary.Passed, 3);
    QVERIFY(run.summary.AllPassed());
    QVERIFY(!run.summary.Stopped);
}

void TestPlanRun::stopsBetweenSteps()
{
    const TPlan plan = Checked("[Step]\nCommand = Status/Status query\n"
                               "[Step]\nCommand = Status/Status query\n"
                               "[Step]\nCommand = Status/Status query\n");
    const TRun run = Run(plan, false, 0);
    QVERIFY(run.ended);
    QCOMPARE(run.started, 1);
    QCOMPARE(run.results.size(), 1);
    QCOMPARE(run.summary.Passed, 1);
    QCOMPARE(run.summary.NotRun, 2);
    QVERIFY(run.summary.Stopped);
    QVERIFY(!run.summary.AllPassed());
}

void TestPlanRun::sendAheadLetsTheStepOnTheWireFinish()
{
    const QByteArray steps = "[Step]\nCommand = Status/Status query\nField Serial number = TS-00012345\n"
                             "[Step]\nCommand = Status/Status query\nField Serial number = TS-0\n"
                             "[Step]\nWait = 1 ms\n"
                             "[Step]\nCommand = Status/Status query\n"
                             "[Step]\nCommand = Status/Status query\n";
    // Judged after the next command went out, each answer still belongs to
    // its own step.
    const TRun whole = Run(Checked(steps), false, -1, true);
    QVERIFY(whole.ended);
    QCOMPARE(whole.started, 5);
    QCOMPARE(whole.results.size(), 5);
    for (int i = 0; i < whole.results.size(); ++i)
        QCOMPARE(whole.results.at(i).Index, i);
    QVERIFY(whole.results.at(0).Passed());
    QCOMPARE(whole.results.at(1).Failures.first().Text(),
             QStringLiteral("Field Serial number: expected TS-0, actual TS-00012345"));
    QVERIFY(whole.results.at(2).Wait);
    QCOMPARE(whole.summary.Passed, 4);
    QCOMPARE(whole.summary.Failed, 1);

    // Stopped as the first step is reported: the second had gone out and
    // ends; nothing more is sent.
    const TRun stopped = Run(Checked(steps), false, 0, true);
    QVERIFY(stopped.ended);
    QCOMPARE(stopped.started, 2);
    QCOMPARE(stopped.results.size(), 2);
    QVERIFY(stopped.results.at(1).Sent);
    QCOMPARE(stopped.summary.NotRun, 3);
    QVERIFY(stopped.summary.Stopped);
}

void TestPlanRun::commandSentAheadRefusedAtOnce()
{
    // The port closes as the first answer comes: the second command, sent
    // ahead, is refused at once; its step still starts after the first is
    // reported and fails on its own.
    const TPlan plan = Checked("[Step]\nCommand = Status/Status query\n"
                               "[Step]\nCommand = Status/Status query\n"
                               "[Step]\nCommand = Status/Status query\n");
    TPlanRun::TOptions options;
    options.SendAhead = true;
    TPlanRun run(plan, m_document.Ini(), m_runner.get(), options);
    connect(m_runner.get(), &TCommandRunner::Finished, this, [this] { m_host->ClosePort(); },
            Qt::SingleShotConnection);
    QStringList order;
    connect(&run, &TPlanRun::StepStarted, this, [&order](int index) { order << QStringLiteral("start %1").arg(index); });
    QList<TStepResult> results;
    connect(&run, &TPlanRun::StepFinished, this, [&](const TStepResult &result) {
        order << QStringLiteral("end %1").arg(result.Index);
        results.append(result);
    });
    QSignalSpy finished(&run, &TPlanRun::Finished);
    run.Start();
    QVERIFY(finished.wait(20000));
    QCOMPARE(order, QStringList({"start 0", "end 0", "start 1", "end 1", "start 2", "end 2"}));
    QVERIFY(results.at(0).Passed());
    for (int i : {1, 2}) {
        QCOMPARE(results.at(i).Outcome.kind, TRunOutcome::PortError);
        QVERIFY(!results.at(i).Passed());
    }
    QVERIFY(m_host->OpenPort());
}

void TestPlanRun::stopCutsAWaitShort()
{
    const TPlan plan = Checked("[Step]\nWait = 600 s\n[Step]\nCommand = Status/Status query\n");
    TPlanRun run(plan, m_document.Ini(), m_runner.get(), TPlanRun::TOptions());
    QSignalSpy started(&run, &TPlanRun::StepStarted);
    QSignalSpy stepFinished(&run, &TPlanRun::StepFinished);
    QSignalSpy finished(&run, &TPlanRun::Finished);
    run.Start();
    QVERIFY(started.wait(5000));
    run.Stop();
    QVERIFY(finished.wait(5000));
    QCOMPARE(stepFinished.size(), 1);
    const TStepResult wait = stepFinished.first().first().value<TStepResult>();
    QVERIFY(wait.Wait);
    QVERIFY(wait.Passed());
    QVERIFY(wait.ElapsedMs < 600 * 1000);
    QCOMPARE(run.Summary().NotRun, 1);
}

void TestPlanRun::stopsOnFailureWhenAsked()
{
    const QByteArray steps = "[Step]\nCommand = Status/Status query\nField Serial number = TS-0\n"
                             "[Step]\nCommand = Status/Status query\n";
    const TRun stopping = Run(Checked(steps), true);
    QCOMPARE(stopping.results.size(), 1);
    QCOMPARE(stopping.summary.Failed, 1);
    QCOMPARE(stopping.summary.NotRun, 1);
    QCOMPARE(stopping.results.first().Failures.first().Text(),
             QStringLiteral("Field Serial number: expected TS-0, actual TS-00012345"));

    const TRun going = Run(Checked(steps), false);
    QCOMPARE(going.results.size(), 2);
    QCOMPARE(going.summary.Failed, 1);
    QCOMPARE(going.summary.Passed, 1);
    QVERIFY(!going.summary.Stopped);
}

void TestPlanRun::valueThatCannotGoOutIsNotSent()
{
    // A kept text where an amount is due: refused as the window's Send
    // refuses it, which the second step expects.
    const TPlan plan = Checked("[Step]\nCommand = Status/Status query\nKeep Serial number = serial\n"
                               "[Step]\nCommand = Receipt/Sell item\nSet Unit price = ${serial}\n"
                               "[Step]\nCommand = Receipt/Sell item\nSet Unit price = ${serial}\nOutcome = bad-input\n");
    const TRun run = Run(plan);
    QCOMPARE(run.results.size(), 3);
    const TStepResult &refused = run.results.at(1);
    QVERIFY(!refused.Sent);
    QCOMPARE(refused.Outcome.kind, TRunOutcome::BadInput);
    QCOMPARE(refused.Outcome.field, 3);
    QCOMPARE(refused.Failures.size(), 1);
    QCOMPARE(refused.Failures.first().Text(), QStringLiteral("Outcome: expected answer or ack, actual bad-input"));
    QVERIFY(run.results.at(2).Passed());
    QCOMPARE(run.summary.Failed, 1);
}

void TestPlanRun::missingKeptValueFailsTheStep()
{
    // The answer lacks the field to keep: the step that would use it fails
    // without sending anything, and the run goes on.
    TPlan plan = Checked("[Step]\nCommand = Status/Status query\nKeep Serial number = serial\n"
                         "[Step]\nCommand = Receipt/Open receipt\nSet Cashier = ${serial}\n"
                         "[Step]\nCommand = Status/Status query\n");
    plan.Steps[0].Keeps[0].Field = QStringLiteral("Serial");
    const TRun run = Run(plan);
    QCOMPARE(run.results.size(), 3);
    QCOMPARE(run.results.at(0).Failures.first().Text(),
             QStringLiteral("Keep Serial: expected a value for \"serial\", actual no such field in the answer"));
    QVERIFY(!run.results.at(1).Sent);
    QCOMPARE(run.results.at(1).Failures.size(), 1);
    QCOMPARE(run.results.at(1).Failures.first().Expectation, QStringLiteral("Field values"));
    QCOMPARE(run.results.at(1).Failures.first().Line, 8);
    QVERIFY(run.results.at(2).Passed());
}

QTEST_GUILESS_MAIN(TestPlanRun)
#include "tst_plan_run.moc"
