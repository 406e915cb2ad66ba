#include "execution/plan_checker.h"
#include "execution/plan_reader.h"
#include "terminal_model/terminal_document.h"

#include "test_files.h"

#include <QTemporaryDir>
#include <QtTest>

// A plan against the sample terminal file: what it names is resolved, and
// every name or value the file does not have is a problem on its line.
class TestPlanChecker : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void resolvesNames();
    void refusesWhatTheFileLacks_data();
    void refusesWhatTheFileLacks();
    void listsEveryProblem();
    void valuesThatOnlyARunKnows();
    void terminalFileThatCannotBeUsed();

private:
    TPlanChecker::TResult Check(const QByteArray &steps);

    TTerminalDocument m_document;
};

void TestPlanChecker::initTestCase()
{
    QVERIFY(m_document.Load(TestFiles::SampleFile()));
}

TPlanChecker::TResult TestPlanChecker::Check(const QByteArray &steps)
{
    const TPlanReader::TResult read =
        TPlanReader::Parse("[Plan]\nTerminal = demo.tsy\n" + steps, QStringLiteral("/plans/t.plan"));
    if (!read.Ok())
        qWarning() << read.Problems.first().Text();
    return TPlanChecker::Check(read.Plan, m_document, QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
}

void TestPlanChecker::resolvesNames()
{
    const TPlanChecker::TResult result = Check("[Step]\n"
                                               "Command = receipt/SELL ITEM\n"
                                               "Set description = Tea\n"
                                               "Set 4 = 2,00\n"
                                               "Keep Item amount = amount\n"
                                               "Return code = a receipt is already open\n"
                                               "[Step]\n"
                                               "Command = Fiscal port/Alive check\n"
                                               "Fiscal answers = 0\n"
                                               "[Step]\n"
                                               "Command = Status/Set date time\n"
                                               "Date Date = 2026-12-24\n"
                                               "Time 3 = 08:00:00\n");
    QVERIFY2(result.Ok(), qPrintable(result.Problems.value(0).Text()));
    const TPlan::TStep &sell = result.Plan.Steps.at(0);
    QCOMPARE(sell.CommandName, QStringLiteral("Receipt/Sell item"));
    QCOMPARE(sell.Section, QStringLiteral("ReceiptSell item"));
    QCOMPARE(sell.Port, cpHostPort);
    QCOMPARE(sell.Values.at(0).Index, 1);
    QCOMPARE(sell.Values.at(1).Index, 3);
    QCOMPARE(sell.Expectations.at(0).Number, 10);
    QCOMPARE(result.Plan.Steps.at(1).Port, cpFiscalPort);
    QCOMPARE(result.Plan.Steps.at(2).Values.at(0).Index, 1);
    QVERIFY(result.Plan.UsesPort(cpHostPort));
    QVERIFY(result.Plan.UsesPort(cpFiscalPort));
}

void TestPlanChecker::refusesWhatTheFileLacks_data()
{
    QTest::addColumn<QByteArray>("steps");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");

    const QByteArray sell = "[Step]\nCommand = Receipt/Sell item\nSet Unit price = 1\n";
    QTest::newRow("unknown command") << QByteArray("[Step]\nCommand = Receipt/Refund\n") << 4 << "has no command \"Receipt/Refund\"";
    QTest::newRow("field number beyond") << sell + "Set 7 = 1\n" << 6 << "has no field \"7\" (give its number from 1 to 6";
    QTest::newRow("unknown caption") << sell + "Set Colour = red\n" << 6 << "has no field \"Colour\"";
    QTest::newRow("same field twice") << sell + "Set 4 = 2\n" << 6 << "given a value twice (first on line 5)";
    QTest::newRow("text for a picker") << QByteArray("[Step]\nCommand = Status/Set date time\nSet 2 = 241226\n") << 5 << "is a date picker: give it with Date";
    QTest::newRow("date for a text box") << sell + "Date 2 = 2026-01-01\n" << 6 << "is not a date picker";
    QTest::newRow("time for a date picker") << QByteArray("[Step]\nCommand = Status/Set date time\nTime 2 = 10:00:00\n") << 5 << "is not a time picker";
    QTest::newRow("read-only field") << sell + "Set 1 = 0999\n" << 6 << "read-only";
    QTest::newRow("text the box refuses") << sell + "Set Quantity = 1x\n" << 6 << "Field 3 (Quantity)";
    QTest::newRow("required field left empty") << QByteArray("[Step]\nCommand = Receipt/Sell item\n") << 4 << "Field 4 (Unit price): a text is required";
    QTest::newRow("amount too wide") << QByteArray("[Step]\nCommand = Receipt/Sell item\nSet 4 = 12345678,5\n") << 5 << "8 integer digits";
    QTest::newRow("unknown answer field") << sell + "Field Change = 1\n" << 6 << "has no answer field \"Change\"";
    QTest::newRow("unknown field kept") << sell + "Keep Total = t\n" << 6 << "has no answer field \"Total\"";
    QTest::newRow("unknown range field") << sell + "Range Tax = 1 .. 2\n" << 6 << "has no answer field \"Tax\"";
    QTest::newRow("status text no record shows") << sell + "Shown = Receipt open\n" << 6 << "no fixed answer of demo.tsy shows \"Receipt open\"";
    QTest::newRow("return code text not described") << sell + "Return code = All fine\n" << 6 << "no return code of demo.tsy is described as \"All fine\"";
    QTest::newRow("value nobody kept") << sell + "Set 2 = ${item}\n" << 6 << "no earlier step keeps a value \"item\"";
    QTest::newRow("value kept by the same step") << sell + "Keep Item amount = amount\nField Receipt subtotal = ${amount}\n" << 7 << "no earlier step keeps a value \"amount\"";
    QTest::newRow("repeat on the fiscal port") << QByteArray("[Step]\nCommand = Fiscal port/Alive check\nRepeat = 2\n") << 5 << "which has no Repeat";
    QTest::newRow("fiscal expectation on a host command") << sell + "Fiscal answers = 1\n" << 6 << "goes to the host port";
    QTest::newRow("host expectation on a fiscal command") << QByteArray("[Step]\nCommand = Fiscal port/Alive check\nShown = Fiscalized\n") << 5 << "goes to the fiscal port";
    QTest::newRow("keep on a fiscal command") << QByteArray("[Step]\nCommand = Fiscal port/Alive check\nKeep Answer = a\n") << 5 << "no fields to keep";
}

void TestPlanChecker::refusesWhatTheFileLacks()
{
    QFETCH(QByteArray, steps);
    QFETCH(int, line);
    QFETCH(QString, message);
    const TPlanChecker::TResult result = Check(steps);
    QCOMPARE(result.Problems.size(), 1);
    QCOMPARE(result.Problems.first().Line, line);
    QVERIFY2(result.Problems.first().Message.contains(message), qPrintable(result.Problems.first().Message));
}

void TestPlanChecker::listsEveryProblem()
{
    const TPlanChecker::TResult result = Check("[Step]\nCommand = Receipt/Nothing\n"
                                               "[Step]\nCommand = Receipt/Sell item\nSet 4 = 1\nSet 9 = 1\nField Nope = 1\n"
                                               "[Step]\nWait = 10\n"
                                               "[Step]\nCommand = Status/Status query\nShown = Nope\nNot shown = Neither\n");
    QList<int> lines;
    for (const TPlan::TProblem &problem : result.Problems)
        lines << problem.Line;
    QCOMPARE(lines, QList<int>({4, 8, 9, 14, 15}));
}

void TestPlanChecker::valuesThatOnlyARunKnows()
{
    // A value kept by an earlier step fills a required field; a step that
    // expects bad input may give a value the box refuses.
    const TPlanChecker::TResult result = Check("[Step]\nCommand = Receipt/Open receipt\nKeep Receipt number = n\n"
                                               "[Step]\nCommand = Receipt/Sell item\nSet Unit price = ${n}\n"
                                               "[Step]\nCommand = Receipt/Sell item\nSet Unit price = 1,234\nOutcome = bad-input\n");
    QVERIFY2(result.Ok(), qPrintable(result.Problems.value(0).Text()));
}

void TestPlanChecker::terminalFileThatCannotBeUsed()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TestFiles::Write(dir.filePath("notes.txt"), "[General]\nProtocol=1\n");
    for (const QString &terminal : {QStringLiteral("missing.tsy"), QStringLiteral("notes.txt")}) {
        const TPlanReader::TResult read = TPlanReader::Parse(
            "; header\n[Plan]\nTerminal = " + terminal.toUtf8() + "\n[Step]\nWait = 1\n", dir.filePath("a.plan"));
        QVERIFY(read.Ok());
        TTerminalDocument document;
        QList<TPlan::TProblem> problems;
        QVERIFY(!TPlanChecker::LoadTerminal(read.Plan, &document, &problems));
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems.first().Line, 3);
        QVERIFY2(problems.first().Message.startsWith("Terminal: " + dir.filePath(terminal) + ": "),
                 qPrintable(problems.first().Message));
    }
}

QTEST_GUILESS_MAIN(TestPlanChecker)
#include "tst_plan_checker.moc"
