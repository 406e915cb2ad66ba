#include "main_window_fixture.h"
#include "shell/form_child_log_window.h"
#include "shell/form_main.h"
#include "shell/main_actions.h"
#include "shell/plan_opener.h"
#include "sim_process.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "terminal_window/form_plan_run.h"
#include "test_files.h"
#include "widgets/scripted_prompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// "Run plan ..." in the main window against the simulator with the sample
// profile: the plan window marks each step as it ends, Stop ends the run
// between steps, a failed step shows what was expected and what came, and
// opens in the terminal window with its values.
class TstFormMainPlans : public QObject, private TMainWindowFixture<>
{
    Q_OBJECT

public:
    TstFormMainPlans() : TMainWindowFixture(QStringLiteral("TessalyPlans")) {}

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void passingPlanRunsThroughTheAction();
    void failedStepShowsExpectedAndActual();
    void stopEndsTheRunBetweenSteps();
    void failedStepOpensWithItsValues();
    void refusedPlanListsEveryProblem_data();
    void refusedPlanListsEveryProblem();
    void cancelledFileQuestionRunsNothing();

private:
    // The main window on a copy of the sample file in the current folder,
    // with the status query on display.
    std::unique_ptr<TFormMain> StartOnSample();
    // Writes a plan into the current folder; its path.
    QString WritePlan(const QString &name, const QByteArray &content);
    // Runs the plan through the action and waits for its end.
    TFormPlanRun *RunToEnd(TFormMain &window, const QString &plan);
    static QString Result(TFormPlanRun *run, int step);

    TSimProcess m_sim;
};

void TstFormMainPlans::initTestCase()
{
    SetUpStore();
    QVERIFY2(m_sim.Start({QStringLiteral("--protocol"), QStringLiteral("extended"), QStringLiteral("--profile"),
                          QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo-profile.ini")}),
             qPrintable(m_sim.Error()));
}

void TstFormMainPlans::init()
{
    SetUpTest();
    m_options.HostPort = m_sim.HostPath();
    m_options.FiscalPort = m_sim.FiscalPath();
}

void TstFormMainPlans::cleanup()
{
    TearDownTest();
}

std::unique_ptr<TFormMain> TstFormMainPlans::StartOnSample()
{
    auto window = Start({TestFiles::CopySample(QDir::current().absoluteFilePath("demo.tsy"))});
    TFormChildTerminalWindow *terminal = window->TerminalWindow();
    if (terminal && terminal->CommandTree()->SelectCommand(QStringLiteral("StatusStatus query")))
        terminal->CommandTree()->ShowSelectedCommand();
    return window;
}

QString TstFormMainPlans::WritePlan(const QString &name, const QByteArray &content)
{
    const QString path = QDir::current().absoluteFilePath(name);
    TestFiles::Write(path, content);
    return path;
}

TFormPlanRun *TstFormMainPlans::RunToEnd(TFormMain &window, const QString &plan)
{
    m_prompts.FileNames.enqueue(plan);
    window.findChild<QAction *>(QStringLiteral("ActionRunPlan"))->trigger();
    TFormPlanRun *run = window.PlanRunWindow();
    if (run && run->IsRunning()) {
        QSignalSpy finished(run, &TFormPlanRun::Finished);
        if (!finished.wait(20000))
            qWarning("the plan did not end in time");
    }
    return run;
}

QString TstFormMainPlans::Result(TFormPlanRun *run, int step)
{
    return run->StepList()->topLevelItem(step)->text(TFormPlanRun::ColumnResult);
}

void TstFormMainPlans::passingPlanRunsThroughTheAction()
{
    auto window = StartOnSample();
    QVERIFY(window->TerminalWindow());
    QAction *action = window->findChild<QAction *>(QStringLiteral("ActionRunPlan"));
    QVERIFY(action->isEnabled());
    TCommandPage *page = window->TerminalWindow()->CommandPage();
    QVERIFY(page->ButtonSend()->isEnabled());
    QFile::copy(QStringLiteral(TESSALY_SOURCE_DIR "/examples/status.plan"), "status.plan");

    m_prompts.FileNames.enqueue(QDir::current().absoluteFilePath("status.plan"));
    action->trigger();
    TFormPlanRun *run = window->PlanRunWindow();
    QVERIFY(run);
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindOpen), 1);
    QVERIFY(!action->isEnabled());
    // Between every two steps the page's Send and Repeat and the tree stay
    // the plan's, as during a Repeat.
    QList<bool> userCouldSend;
    connect(run, &TFormPlanRun::StepFinished, this, [&] {
        userCouldSend.append(page->ButtonSend()->isEnabled() || page->ButtonRepeat()->isEnabled()
                             || window->TerminalWindow()->CommandTree()->isEnabled());
    });
    QSignalSpy finished(run, &TFormPlanRun::Finished);
    QVERIFY(finished.wait(20000));

    const int steps = run->StepList()->topLevelItemCount();
    QCOMPARE(steps, 4);
    QCOMPARE(run->ProgressBar()->value(), run->ProgressBar()->maximum());
    QCOMPARE(run->ProgressBar()->maximum(), steps);
    QCOMPARE(run->Results().size(), steps);
    for (int i = 0; i < steps; ++i) {
        QCOMPARE(Result(run, i), QStringLiteral("passed"));
        QCOMPARE(run->StepList()->topLevelItem(i)->childCount(), 0);
    }
    QCOMPARE(run->StepList()->topLevelItem(0)->text(TFormPlanRun::ColumnOutcome), QStringLiteral("answer"));
    QCOMPARE(run->StepList()->topLevelItem(2)->text(TFormPlanRun::ColumnOutcome), QStringLiteral("waited"));
    QCOMPARE(userCouldSend, QList<bool>(steps, false));
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
    QVERIFY(run->SummaryLabel()->text().startsWith(QStringLiteral("4 passed, 0 failed, 0 not run")));
    // The frames went the usual road, into the log window.
    QTRY_VERIFY_WITH_TIMEOUT(window->LogWindow()->Text().count(QStringLiteral("HOST --> 06")) >= 3, 5000);
    // The page and the action are the user's again.
    QVERIFY(page->ButtonSend()->isEnabled());
    QVERIFY(window->TerminalWindow()->CommandTree()->isEnabled());
    QVERIFY(action->isEnabled());
    QVERIFY(run->ButtonClose()->isEnabled());
    QVERIFY(!run->ButtonStop()->isEnabled());
}

void TstFormMainPlans::failedStepShowsExpectedAndActual()
{
    auto window = StartOnSample();
    QFile::copy(QStringLiteral(TESSALY_SOURCE_DIR "/examples/failing.plan"), "failing.plan");
    TFormPlanRun *run = RunToEnd(*window, QDir::current().absoluteFilePath("failing.plan"));
    QVERIFY(run);
    QVERIFY(!run->IsRunning());
    QCOMPARE(run->Results().size(), 3);
    QCOMPARE(Result(run, 0), QStringLiteral("failed"));
    QTreeWidgetItem *first = run->StepList()->topLevelItem(0);
    QCOMPARE(first->childCount(), 1);
    QCOMPARE(first->child(0)->text(0), QStringLiteral("Field Receipt number: expected 9999, actual 1043"));
    QCOMPARE(Result(run, 1), QStringLiteral("failed"));
    QVERIFY(run->StepList()->topLevelItem(1)->child(0)->text(0).contains(QStringLiteral("Paper low")));
    // A failed step does not stop the run; its kept value reached the last.
    QCOMPARE(Result(run, 2), QStringLiteral("passed"));
    QVERIFY(run->SummaryLabel()->text().startsWith(QStringLiteral("1 passed, 2 failed, 0 not run")));
    // The plan reports a failed step; no error box comes with it.
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
}

void TstFormMainPlans::stopEndsTheRunBetweenSteps()
{
    auto window = StartOnSample();
    const QString plan = WritePlan("stop.plan", "[Plan]\nTerminal = demo.tsy\n"
                                                "[Step One]\nCommand = Status/Status query\n"
                                                "[Step Two]\nCommand = Status/Status query\n"
                                                "[Step Three]\nCommand = Status/Status query\n");
    m_prompts.FileNames.enqueue(plan);
    window->findChild<QAction *>(QStringLiteral("ActionRunPlan"))->trigger();
    TFormPlanRun *run = window->PlanRunWindow();
    QVERIFY(run);
    connect(run, &TFormPlanRun::StepFinished, run->ButtonStop(), &QPushButton::click, Qt::SingleShotConnection);
    QSignalSpy finished(run, &TFormPlanRun::Finished);
    QVERIFY(finished.wait(20000));
    QCOMPARE(run->Results().size(), 1);
    QCOMPARE(Result(run, 0), QStringLiteral("passed"));
    QCOMPARE(Result(run, 1), QStringLiteral("not run"));
    QCOMPARE(Result(run, 2), QStringLiteral("not run"));
    QCOMPARE(run->ProgressBar()->value(), 1);
    QVERIFY(run->SummaryLabel()->text().startsWith(QStringLiteral("Stopped: 1 passed, 0 failed, 2 not run")));
    QVERIFY(window->TerminalWindow()->CommandPage()->ButtonSend()->isEnabled());

    // Escape during a run stops it too, and leaves the window open.
    run->Start();
    QVERIFY(run->IsRunning());
    run->reject();
    QVERIFY(run->isVisible());
    QVERIFY(finished.wait(20000));
    QVERIFY(run->Results().size() < 3);
    QVERIFY(run->SummaryLabel()->text().startsWith(QStringLiteral("Stopped")));
}

void TstFormMainPlans::failedStepOpensWithItsValues()
{
    auto window = StartOnSample();
    const QString plan = WritePlan("sell.plan", "[Plan]\nTerminal = demo.tsy\n"
                                                "[Step Wait]\nWait = 1 ms\n"
                                                "[Step Sell tea]\nCommand = Receipt/Sell item\n"
                                                "Set Description = Green tea\nSet Quantity = 3\nSet Unit price = 2,25\n"
                                                "Field Item amount = 1\n");
    TFormPlanRun *run = RunToEnd(*window, plan);
    QVERIFY2(run, qPrintable(m_prompts.Texts(TScriptedPrompts::KindError).join('\n')));
    QCOMPARE(Result(run, 1), QStringLiteral("failed"));
    // Neither a passed nor a wait step has anything to open.
    QVERIFY(!run->ButtonOpen()->isEnabled());
    run->StepList()->setCurrentItem(run->StepList()->topLevelItem(0));
    QVERIFY(!run->ButtonOpen()->isEnabled());
    // A failure line opens the step it belongs to.
    run->StepList()->setCurrentItem(run->StepList()->topLevelItem(1)->child(0));
    QVERIFY(run->ButtonOpen()->isEnabled());
    run->ButtonOpen()->click();

    TFormChildTerminalWindow *terminal = window->TerminalWindow();
    QCOMPARE(terminal->CommandTree()->currentItem()->text(0), QStringLiteral("Sell item"));
    QCOMPARE(terminal->CommandPage()->CommandKey(), QStringLiteral("ReceiptSell item"));
    const QList<TFieldInput> shown = terminal->CommandPage()->InputPanel()->Inputs();
    const QList<TFieldInput> sent = run->Results().at(1).Inputs;
    QCOMPARE(shown.size(), sent.size());
    QStringList shownTexts;
    for (int i = 0; i < shown.size(); ++i) {
        QCOMPARE(shown.at(i).text, sent.at(i).text);
        shownTexts.append(shown.at(i).text);
    }
    QVERIFY(shownTexts.contains(QStringLiteral("Green tea")));
    QVERIFY(shownTexts.contains(QStringLiteral("3")));
    QCOMPARE(terminal->CommandPage()->PageControl()->currentIndex(), int(TCommandPage::CommandsPage));
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
}

void TstFormMainPlans::refusedPlanListsEveryProblem_data()
{
    QTest::addColumn<QByteArray>("plan");
    QTest::addColumn<QStringList>("problems");

    QTest::newRow("another terminal file")
        << QByteArray("[Plan]\nTerminal = other.tsy\n[Step]\nCommand = Status/Status query\n")
        << QStringList{QStringLiteral("refused.plan:2: Terminal:"), QStringLiteral("not the terminal file on display")};
    QTest::newRow("unknown command and field")
        << QByteArray("[Plan]\nTerminal = demo.tsy\n"
                      "[Step]\nCommand = Status/No such command\n"
                      "[Step]\nCommand = Receipt/Sell item\nSet No such field = 1\n")
        << QStringList{QStringLiteral("refused.plan:4:"), QStringLiteral("refused.plan:7:")};
    QTest::newRow("no terminal named")
        << QByteArray("[Plan]\nName = Nothing\n[Step]\nWait = 1 ms\n")
        << QStringList{QStringLiteral("refused.plan")};
}

void TstFormMainPlans::refusedPlanListsEveryProblem()
{
    QFETCH(QByteArray, plan);
    QFETCH(QStringList, problems);
    auto window = StartOnSample();
    TestFiles::CopySample(QDir::current().absoluteFilePath("other.tsy"));
    TFormPlanRun *run = RunToEnd(*window, WritePlan("refused.plan", plan));
    QVERIFY(!run);
    const QStringList errors = m_prompts.Texts(TScriptedPrompts::KindError);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.constFirst().contains(QStringLiteral("nothing was sent")), qPrintable(errors.constFirst()));
    for (const QString &problem : problems)
        QVERIFY2(errors.constFirst().contains(problem), qPrintable(errors.constFirst()));
    QVERIFY(window->TerminalWindow()->CommandPage()->ButtonSend()->isEnabled());
}

void TstFormMainPlans::cancelledFileQuestionRunsNothing()
{
    auto window = StartOnSample();
    window->findChild<QAction *>(QStringLiteral("ActionRunPlan"))->trigger();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindOpen), 1);
    QVERIFY(!window->PlanRunWindow());
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
    // Without a terminal file there is no plan to run.
    window->CloseFile();
    QVERIFY(!window->findChild<QAction *>(QStringLiteral("ActionRunPlan"))->isEnabled());
}

QTEST_MAIN(TstFormMainPlans)
#include "tst_form_main_plans.moc"
