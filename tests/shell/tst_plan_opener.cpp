#include "shell/plan_opener.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A plan asked for in the window: its terminal file must be the one on
// display, however it is named, and the ports of its commands open.
class TstPlanOpener : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void portsOfTheCommandsMustBeOpen_data();
    void portsOfTheCommandsMustBeOpen();
    void terminalFileByAnotherName_data();
    void terminalFileByAnotherName();

private:
    QString Write(const QString &name, const QByteArray &content);

    QTemporaryDir m_dir;
    QString m_terminal;
};

void TstPlanOpener::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkdir("plans"));
    m_terminal = TestFiles::CopySample(m_dir.filePath("demo.tsy"));
}

QString TstPlanOpener::Write(const QString &name, const QByteArray &content)
{
    const QString path = m_dir.filePath(name);
    TestFiles::Write(path, content);
    return path;
}

void TstPlanOpener::portsOfTheCommandsMustBeOpen_data()
{
    QTest::addColumn<QByteArray>("steps");
    QTest::addColumn<bool>("hostOpen");
    QTest::addColumn<bool>("fiscalOpen");
    QTest::addColumn<QStringList>("problems");

    const QByteArray host = "[Step]\nCommand = Status/Status query\n";
    const QByteArray fiscal = "[Step]\nCommand = Fiscal port/Alive check\n";
    const QString hostClosed = QStringLiteral("ports.plan: the host port is not open; its commands cannot go out");
    const QString fiscalClosed = QStringLiteral("ports.plan: the fiscal port is not open; its commands cannot go out");
    QTest::newRow("both open") << host + fiscal << true << true << QStringList();
    QTest::newRow("host closed") << host + fiscal << false << true << QStringList{hostClosed};
    QTest::newRow("both closed") << host + fiscal << false << false << QStringList{hostClosed, fiscalClosed};
    QTest::newRow("fiscal closed, unused") << host << true << false << QStringList();
    QTest::newRow("only waits") << QByteArray("[Step]\nWait = 1 ms\n") << false << false << QStringList();
}

void TstPlanOpener::portsOfTheCommandsMustBeOpen()
{
    QFETCH(QByteArray, steps);
    QFETCH(bool, hostOpen);
    QFETCH(bool, fiscalOpen);
    QFETCH(QStringList, problems);
    const QString plan = Write("ports.plan", "[Plan]\nTerminal = demo.tsy\n" + steps);
    const TPlanOpener::TResult result = TPlanOpener::Open(plan, m_terminal, hostOpen, fiscalOpen);
    QStringList texts;
    for (const TPlan::TProblem &problem : result.Problems)
        texts.append(problem.Text());
    QCOMPARE(texts, problems);
    QCOMPARE(result.Ok(), problems.isEmpty());
    // The plan comes back resolved: sections and ports filled in.
    if (result.Ok() && !result.Plan.Steps.constFirst().IsWait())
        QCOMPARE(result.Plan.Steps.constFirst().Section, QStringLiteral("StatusStatus query"));
}

void TstPlanOpener::terminalFileByAnotherName_data()
{
    QTest::addColumn<QString>("planName");
    QTest::addColumn<QByteArray>("terminal");
    QTest::addColumn<bool>("same");

    QTest::newRow("beside the plan") << "beside.plan" << QByteArray("demo.tsy") << true;
    QTest::newRow("from a subfolder") << "plans/up.plan" << QByteArray("../demo.tsy") << true;
    QTest::newRow("through a link") << "link.plan" << QByteArray("link.tsy") << true;
    QTest::newRow("absolute") << "absolute.plan" << QByteArray() << true;
    QTest::newRow("a copy") << "copy.plan" << QByteArray("copy.tsy") << false;
    QTest::newRow("missing") << "missing.plan" << QByteArray("nowhere.tsy") << false;
}

void TstPlanOpener::terminalFileByAnotherName()
{
    QFETCH(QString, planName);
    QFETCH(QByteArray, terminal);
    QFETCH(bool, same);
    if (!QFile::exists(m_dir.filePath("link.tsy")))
        QVERIFY(QFile::link(m_terminal, m_dir.filePath("link.tsy")));
    if (!QFile::exists(m_dir.filePath("copy.tsy")))
        TestFiles::CopySample(m_dir.filePath("copy.tsy"));
    if (terminal.isEmpty())
        terminal = m_terminal.toUtf8();
    const QString plan = Write(planName, "[Plan]\nTerminal = " + terminal + "\n[Step]\nWait = 1 ms\n");
    const TPlanOpener::TResult result = TPlanOpener::Open(plan, m_terminal, true, true);
    QCOMPARE(result.Ok(), same);
    if (!same) {
        QCOMPARE(result.Problems.size(), 1);
        QCOMPARE(result.Problems.constFirst().Line, 2);
        QVERIFY(result.Problems.constFirst().Message.contains(QStringLiteral("not the terminal file on display")));
    }
}

QTEST_GUILESS_MAIN(TstPlanOpener)
#include "tst_plan_opener.moc"
