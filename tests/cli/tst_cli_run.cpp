#include "sim_process.h"
#include "support_cli_test_base.h"
#include "test_files.h"

#include <QJsonArray>
#include <QXmlStreamReader>
#include <QtTest>

// The built tessaly-cli's run and check of plans: the example plans against
// the simulator with its sample profile (so CI runs them), the JUnit file
// read back, the exit statuses, and plans refused before anything is sent.
class TestCliRun : public TCliTestBase {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void examplesPass_data();
    void examplesPass();
    void failingPlan();
    void stopOnFailureSkipsTheRest();
    void jsonOutput();
    void refusedPlanSendsNothing();
    void checkPlan_data();
    void checkPlan();
    void portThatCannotOpen();

private:
    QStringList Ports() const;

    std::unique_ptr<TSimProcess> m_sim;
};

namespace {

QString Example(const QString &name)
{
    return QStringLiteral(TESSALY_SOURCE_DIR "/examples/") + name;
}

struct TJUnitCase {
    QString name;
    QString failure;   // the message of its failure
    bool skipped = false;
};

struct TJUnitSuite {
    QString name;
    int tests = -1;
    int failures = -1;
    int skipped = -1;
    QList<TJUnitCase> cases;
    QString error;
};

TJUnitSuite ReadJUnit(const QByteArray &xml)
{
    TJUnitSuite suite;
    int suites = 0;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        if (reader.name() == QLatin1String("testsuite")) {
            ++suites;
            suite.name = a.value("name").toString();
            suite.tests = a.value("tests").toInt();
            suite.failures = a.value("failures").toInt();
            suite.skipped = a.value("skipped").toInt();
        } else if (reader.name() == QLatin1String("testcase")) {
            suite.cases.append({a.value("name").toString(), QString(), false});
        } else if (reader.name() == QLatin1String("failure")) {
            suite.cases.last().failure = a.value("message").toString();
        } else if (reader.name() == QLatin1String("skipped")) {
            suite.cases.last().skipped = true;
        }
    }
    if (reader.hasError())
        suite.error = reader.errorString();
    else if (suites != 1)
        suite.error = QStringLiteral("%1 test suites").arg(suites);
    return suite;
}

}

void TestCliRun::initTestCase()
{
    QVERIFY(PrepareDirectory());
}

void TestCliRun::init()
{
    m_sim = std::make_unique<TSimProcess>();
    QVERIFY2(m_sim->Start({"--profile", Example("demo-profile.ini")}), qPrintable(m_sim->Error()));
}

void TestCliRun::cleanup()
{
    QCOMPARE(m_sim->Stop(), 0);
    m_sim.reset();
}

QStringList TestCliRun::Ports() const
{
    return {"--port", m_sim->HostPath(), "--fiscal-port", m_sim->FiscalPath(), "--timeout", "3000"};
}

void TestCliRun::examplesPass_data()
{
    QTest::addColumn<QString>("plan");
    QTest::addColumn<QString>("suite");
    QTest::addColumn<int>("steps");
    QTest::newRow("receipt") << "receipt.plan" << "Receipt from open to close" << 5;
    QTest::newRow("status") << "status.plan" << "Status check" << 4;
    QTest::newRow("fiscal port") << "fiscal-port.plan" << "Fiscal port alive" << 2;
}

void TestCliRun::examplesPass()
{
    QFETCH(QString, plan);
    QFETCH(QString, suite);
    QFETCH(int, steps);
    const QString junit = m_dir.filePath("results.xml");
    const TRun run = Cli(QStringList{"run", Example(plan), "--junit", junit} + Ports());
    QVERIFY2(run.exit == 0, qPrintable(run.err + run.out));
    const QStringList lines = Lines(run.out);
    QCOMPARE(lines.size(), steps + 1);
    for (int i = 0; i < steps; ++i)
        QVERIFY2(lines.at(i).startsWith(QStringLiteral("[%1/%2] passed  ").arg(i + 1).arg(steps)), qPrintable(lines.at(i)));
    QVERIFY2(lines.last().startsWith(QStringLiteral("%1: %2 steps, %2 passed, 0 failed in ").arg(suite).arg(steps)),
             qPrintable(lines.last()));

    const TJUnitSuite read = ReadJUnit(TestFiles::ReadAll(junit));
    QCOMPARE(read.error, QString());
    QCOMPARE(read.name, suite);
    QCOMPARE(read.tests, steps);
    QCOMPARE(read.failures, 0);
    QCOMPARE(read.cases.size(), steps);
    for (const TJUnitCase &c : read.cases)
        QVERIFY(c.failure.isEmpty() && !c.skipped);
}

void TestCliRun::failingPlan()
{
    const QString junit = m_dir.filePath("failing.xml");
    const TRun run = Cli(QStringList{"run", Example("failing.plan"), "--junit", junit} + Ports());
    QCOMPARE(run.exit, 5);
    const QStringList lines = Lines(run.out);
    QVERIFY2(lines.at(0).startsWith("[1/3] FAILED  Open a ticket  Receipt/Open receipt  answer  "), qPrintable(lines.at(0)));
    QCOMPARE(lines.at(1), QStringLiteral("      Field Receipt number: expected 9999, actual 1043 (line 11)"));
    QVERIFY(lines.at(2).startsWith("[2/3] FAILED  Paper"));
    QVERIFY(lines.at(3).startsWith("      Not shown: expected not \"Paper low\", actual "));
    QCOMPARE(lines.at(4), QStringLiteral("      Range VAT total: expected 0 .. 100, actual 00002142.00 (line 17)"));
    // The receipt number kept by the failed first step still serves the third.
    QVERIFY(lines.at(5).startsWith("[3/3] passed  Cancel the ticket"));
    QVERIFY(lines.at(6).startsWith("Fails on purpose: 3 steps, 1 passed, 2 failed in "));

    const TJUnitSuite read = ReadJUnit(TestFiles::ReadAll(junit));
    QCOMPARE(read.error, QString());
    QCOMPARE(read.failures, 2);
    QCOMPARE(read.skipped, 0);
    QCOMPARE(read.cases.size(), 3);
    QCOMPARE(read.cases.at(0).name, QStringLiteral("001 Open a ticket"));
    QCOMPARE(read.cases.at(0).failure, QStringLiteral("Field Receipt number: expected 9999, actual 1043"));
    QVERIFY(read.cases.at(1).failure.startsWith("Not shown: "));
    QVERIFY(read.cases.at(2).failure.isEmpty());
}

void TestCliRun::stopOnFailureSkipsTheRest()
{
    const QString junit = m_dir.filePath("stopped.xml");
    const TRun run = Cli(QStringList{"run", Example("failing.plan"), "--junit", junit, "--stop-on-failure"} + Ports());
    QCOMPARE(run.exit, 5);
    QVERIFY(Lines(run.out).last().startsWith("Fails on purpose: 3 steps, 0 passed, 1 failed, 2 not run in "));
    const TJUnitSuite read = ReadJUnit(TestFiles::ReadAll(junit));
    QCOMPARE(read.failures, 1);
    QCOMPARE(read.skipped, 2);
    QVERIFY(!read.cases.at(0).skipped);
    QVERIFY(read.cases.at(1).skipped && read.cases.at(2).skipped);
}

void TestCliRun::jsonOutput()
{
    const TRun run = Cli(QStringList{"run", Example("failing.plan"), "--json"} + Ports());
    QCOMPARE(run.exit, 5);
    const QJsonObject json = run.Json();
    QCOMPARE(json.value("plan").toString(), QStringLiteral("Fails on purpose"));
    QCOMPARE(json.value("passed").toInt(), 1);
    QCOMPARE(json.value("failed").toInt(), 2);
    const QJsonArray steps = json.value("steps").toArray();
    QCOMPARE(steps.size(), 3);
    const QJsonObject first = steps.at(0).toObject();
    QCOMPARE(first.value("command").toString(), QStringLiteral("Receipt/Open receipt"));
    QCOMPARE(first.value("outcome").toString(), QStringLiteral("answer"));
    QCOMPARE(first.value("passed").toBool(), false);
    const QJsonObject failure = first.value("failures").toArray().at(0).toObject();
    QCOMPARE(failure.value("expectation").toString(), QStringLiteral("Field Receipt number"));
    QCOMPARE(failure.value("expected").toString(), QStringLiteral("9999"));
    QCOMPARE(failure.value("actual").toString(), QStringLiteral("1043"));
    QCOMPARE(failure.value("line").toInt(), 11);
    QCOMPARE(steps.at(2).toObject().value("passed").toBool(), true);
}

void TestCliRun::refusedPlanSendsNothing()
{
    const QString plan = WriteFile("refused.plan", "[Plan]\nTerminal = " + Demo().toUtf8() + "\n"
                                                   "[Step]\nCommand = Receipt/Refund\n"
                                                   "[Step]\nCommand = Receipt/Sell item\nSet 4 = 1\nField Change = 0\n"
                                                   "[Step]\nCommand = Status/Status query\nOutcome = fine\n");
    const QString junit = m_dir.filePath("refused.xml");
    const TRun run = Cli(QStringList{"run", plan, "--junit", junit} + Ports());
    QCOMPARE(run.exit, 1);
    QVERIFY(run.out.isEmpty());
    const QStringList errors = run.err.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(errors.size(), 4);
    QVERIFY2(errors.at(0).startsWith("tessaly-cli: refused.plan:11: Outcome \"fine\""), qPrintable(errors.at(0)));
    QVERIFY2(errors.at(1).startsWith("tessaly-cli: refused.plan:4: demo.tsy has no command \"Receipt/Refund\""), qPrintable(errors.at(1)));
    QVERIFY2(errors.at(2).startsWith("tessaly-cli: refused.plan:8: Receipt/Sell item has no answer field \"Change\""), qPrintable(errors.at(2)));
    QVERIFY(errors.at(3).endsWith("the plan is refused; nothing was sent"));
    QVERIFY(!QFile::exists(junit));
    QVERIFY2(!m_sim->Trace().contains("HOST"), qPrintable(m_sim->Trace()));
}

void TestCliRun::checkPlan_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QStringList>("lines");

    const QByteArray header = "[Plan]\nTerminal = " + Demo().toUtf8() + "\n";
    QTest::newRow("clean") << header + "[Step]\nCommand = Status/Status query\n" << QStringList() << 0
                           << QStringList{"PLAN: no problems, 1 steps"};
    QTest::newRow("problems") << header + "[Step]\nCommand = Status/Status query\nShown = Paper gone\n"
                                          "[Step]\nCommand = Status/Status query\nWait = 3\n"
                                          "[Step]\nCommand = Status/Status query\nSet 2 = x\n"
                              << QStringList() << 1
                              << QStringList{"check.plan:6: a step either sends a Command or waits, not both",
                                             "check.plan:5: no fixed answer of demo.tsy shows \"Paper gone\"",
                                             "check.plan:11: Status/Status query has no field \"2\" (give its number from 1 to 1 or its caption)"};
    QTest::newRow("missing terminal file") << QByteArray("[Plan]\nTerminal = nowhere.tsy\n[Step]\nWait = 1\n")
                                           << QStringList() << 1 << QStringList{"check.plan:2: Terminal: DIR/nowhere.tsy: no such file"};
    QTest::newRow("json") << header + "[Step]\nCommand = Status/Nothing\n" << QStringList{"--json"} << 1 << QStringList();
}

void TestCliRun::checkPlan()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, arguments);
    QFETCH(int, exit);
    QFETCH(QStringList, lines);
    const QString plan = WriteFile("check.plan", content);
    const TRun run = Cli(QStringList{"check", plan} + arguments);
    QCOMPARE(run.exit, exit);
    if (arguments.contains("--json")) {
        const QJsonObject json = run.Json();
        QCOMPARE(json.value("clean").toBool(), false);
        const QJsonObject problem = json.value("problems").toArray().at(0).toObject();
        QCOMPARE(problem.value("line").toInt(), 4);
        QVERIFY(problem.value("message").toString().contains("no command \"Status/Nothing\""));
        return;
    }
    for (QString &line : lines)
        line.replace("PLAN", plan).replace("DIR", m_dir.path());
    QCOMPARE(Lines(run.out), lines);
}

void TestCliRun::portThatCannotOpen()
{
    const TRun run = Cli({"run", Example("status.plan"), "--port", "/nonexistent/tty"});
    QCOMPARE(run.exit, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains("cannot open the host port /nonexistent/tty: no such port"), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestCliRun)
#include "tst_cli_run.moc"
