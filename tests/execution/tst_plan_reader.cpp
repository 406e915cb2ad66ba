#include "execution/plan_reader.h"

#include "test_files.h"

#include <QTemporaryDir>
#include <QtTest>

// The plan file as a person writes it: every form a step takes, and every
// mistake refused with the line that holds it.
class TestPlanReader : public QObject {
    Q_OBJECT
private slots:
    void readsEveryForm();
    void refusesMistakes_data();
    void refusesMistakes();
    void listsEveryProblem();
    void tellsPlansFromTerminalFiles();
    void readsNumbersAsPlansWriteThem_data();
    void readsNumbersAsPlansWriteThem();
};

namespace {

QByteArray Plan(const QByteArray &steps)
{
    return "[Plan]\nTerminal = demo.tsy\n" + steps;
}

}

void TestPlanReader::readsEveryForm()
{
    const QByteArray text =
        "\xEF\xBB\xBF; a receipt from open to close\r\n"
        "[Plan]\r\n"
        "Name = Receipt\r\n"
        "Terminal = ../examples/demo.tsy\r\n"
        "\r\n"
        "# every value form\r\n"
        "[Step Sell coffee]\r\n"
        "Command = Receipt/Sell item\r\n"
        "Set 2 = Coffee\r\n"
        "Set   Unit price = \"  1,50 \"\r\n"
        "Date 3 = 2026-12-24\r\n"
        "Time 4 = 08:00:00\r\n"
        "Repeat = 3\r\n"
        "Outcome = Answer\r\n"
        "Return code = Command executed\r\n"
        "Shown = Fiscal receipt open\r\n"
        "Shown = Paper OK\r\n"
        "Not shown = Paper low\r\n"
        "Field Items in receipt = ${count}\r\n"
        "Pattern Item amount = \\d+\\.50\r\n"
        "Range Receipt subtotal = 1 .. 99,5\r\n"
        "Range Item amount = ..2\r\n"
        "Keep Receipt subtotal = subtotal_1\r\n"
        "[step]\r\n"
        "wait = 1.5 s\r\n"
        "[Step]\n"
        "Command = Fiscal port/Alive check\n"
        "Fiscal answers = 2\n"
        "Fiscal answer 1 = 0000 x\n"
        "Fiscal pattern 2 = 0000 .*\n"
        "Outcome = timeout\n"
        "Return code = 257\n";
    const TPlanReader::TResult result = TPlanReader::Parse(text, "/plans/receipt.plan");
    QVERIFY2(result.Ok(), qPrintable(result.Problems.value(0).Text()));
    const TPlan &plan = result.Plan;
    QCOMPARE(plan.Name, QStringLiteral("Receipt"));
    QCOMPARE(plan.TerminalLine, 4);
    QCOMPARE(plan.TerminalPath(), QStringLiteral("/examples/demo.tsy"));
    QCOMPARE(plan.Steps.size(), 3);

    const TPlan::TStep &sell = plan.Steps.at(0);
    QCOMPARE(sell.Line, 7);
    QCOMPARE(sell.Title, QStringLiteral("Sell coffee"));
    QCOMPARE(sell.Command, QStringLiteral("Receipt/Sell item"));
    QCOMPARE(sell.Repeat, 3);
    QCOMPARE(sell.Values.size(), 4);
    QCOMPARE(sell.Values.at(1).Field, QStringLiteral("Unit price"));
    QCOMPARE(sell.Values.at(1).Text, QStringLiteral("  1,50 "));
    QCOMPARE(sell.Values.at(1).Line, 10);
    QCOMPARE(sell.Values.at(2).Kind, TPlan::TValueKind::Date);
    QCOMPARE(sell.Values.at(3).Kind, TPlan::TValueKind::Time);
    QCOMPARE(sell.Expectations.size(), 9);
    QCOMPARE(sell.Expectations.at(0).Outcome, TRunOutcome::Answer);
    QCOMPARE(sell.Expectations.at(1).Number, -1);   // a text: the checker finds its code
    QCOMPARE(sell.Expectations.at(4).Kind, TPlan::TExpectationKind::NotShown);
    QCOMPARE(sell.Expectations.at(5).Subject, QStringLiteral("Items in receipt"));
    QCOMPARE(sell.Expectations.at(5).Text, QStringLiteral("${count}"));
    QCOMPARE(sell.Expectations.at(6).Kind, TPlan::TExpectationKind::FieldMatches);
    const TPlan::TExpectation &range = sell.Expectations.at(7);
    QVERIFY(range.HasMin && range.HasMax);
    QCOMPARE(range.Min, 1.0);
    QCOMPARE(range.Max, 99.5);
    QVERIFY(!sell.Expectations.at(8).HasMin && sell.Expectations.at(8).HasMax);
    QCOMPARE(sell.Keeps.size(), 1);
    QCOMPARE(sell.Keeps.at(0).Name, QStringLiteral("subtotal_1"));

    QVERIFY(plan.Steps.at(1).IsWait());
    QCOMPARE(plan.Steps.at(1).WaitMs, 1500);
    QCOMPARE(plan.Steps.at(1).DisplayTitle(), QStringLiteral("Wait 1500 ms"));

    const TPlan::TStep &fiscal = plan.Steps.at(2);
    QCOMPARE(fiscal.DisplayTitle(), QStringLiteral("Fiscal port/Alive check"));
    QCOMPARE(fiscal.Expectations.at(0).Kind, TPlan::TExpectationKind::FiscalCount);
    QCOMPARE(fiscal.Expectations.at(0).Number, 2);
    QCOMPARE(fiscal.Expectations.at(2).Kind, TPlan::TExpectationKind::FiscalMatches);
    QCOMPARE(fiscal.Expectations.at(2).Number, 2);
    QCOMPARE(fiscal.Expectations.at(3).Outcome, TRunOutcome::TimeOut);
    QCOMPARE(fiscal.Expectations.at(4).Number, 257);

    // Without a Name the plan is called after its file.
    QCOMPARE(TPlanReader::Parse(Plan("[Step]\nWait = 10\n"), "x/nightly.plan").Plan.Name, QStringLiteral("nightly"));
}

void TestPlanReader::refusesMistakes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");

    QTest::newRow("key before any section") << QByteArray("Terminal = a.tsy\n[Plan]\nTerminal = a.tsy\n[Step]\nWait = 1\n") << 1 << "before any section";
    QTest::newRow("line without =") << Plan("[Step]\nWait = 1\nCommand Receipt/Sell item\n") << 5 << "expected KEY = VALUE";
    QTest::newRow("unclosed header") << Plan("[Step]\nWait = 1\n[Step\n") << 5 << "ends with \"]\"";
    QTest::newRow("unknown section") << Plan("[Steps]\nWait = 1\n[Step]\nWait = 1\n") << 3 << "unknown section [Steps]";
    QTest::newRow("second plan section") << Plan("[Step]\nWait = 1\n[Plan]\n") << 5 << "a second [Plan]";
    QTest::newRow("unknown plan key") << QByteArray("[Plan]\nTerminal = a.tsy\nProtocol = 1\n[Step]\nWait = 1\n") << 3 << "unknown key \"Protocol\" in [Plan]";
    QTest::newRow("empty terminal") << QByteArray("[Plan]\nTerminal =\n[Step]\nWait = 1\n") << 2 << "Terminal names";
    QTest::newRow("unknown step key") << Plan("[Step]\nCommand = A/B\nExpect = 1\n") << 5 << "unknown key \"Expect\"";
    QTest::newRow("command without group") << Plan("[Step]\nCommand = Sell item\n") << 4 << "GROUP/COMMAND";
    QTest::newRow("command twice") << Plan("[Step]\nCommand = A/B\nCommand = A/C\n") << 5 << "\"Command\" is given twice";
    QTest::newRow("repeat zero") << Plan("[Step]\nCommand = A/B\nRepeat = 0\n") << 5 << "from 1 to 999";
    QTest::newRow("repeat too many") << Plan("[Step]\nCommand = A/B\nRepeat = 1000\n") << 5 << "from 1 to 999";
    QTest::newRow("wait without unit form") << Plan("[Step]\nWait = soon\n") << 4 << "500 ms or 2 s";
    QTest::newRow("wait over an hour") << Plan("[Step]\nWait = 3601 s\n") << 4 << "at most an hour";
    QTest::newRow("set without field") << Plan("[Step]\nCommand = A/B\nSet = 1\n") << 5 << "names the field";
    QTest::newRow("field set twice") << Plan("[Step]\nCommand = A/B\nSet 2 = 1\nSet  2 = 3\n") << 6 << "given twice";
    QTest::newRow("bad date") << Plan("[Step]\nCommand = A/B\nDate 2 = 24.12.2026\n") << 5 << "not a date YYYY-MM-DD";
    QTest::newRow("bad time") << Plan("[Step]\nCommand = A/B\nTime 2 = 25:00:00\n") << 5 << "not a time HH:MM:SS";
    QTest::newRow("unclosed reference") << Plan("[Step]\nCommand = A/B\nSet 2 = ${receipt\n") << 5 << "without its closing";
    QTest::newRow("bad reference name") << Plan("[Step]\nCommand = A/B\nSet 2 = ${1x}\n") << 5 << "letters, digits and _";
    QTest::newRow("bad outcome") << Plan("[Step]\nCommand = A/B\nOutcome = fine\n") << 5 << "Outcome \"fine\"";
    QTest::newRow("return code too big") << Plan("[Step]\nCommand = A/B\nReturn code = 70000\n") << 5 << "0 to 65535";
    QTest::newRow("empty shown") << Plan("[Step]\nCommand = A/B\nShown =\n") << 5 << "text of a status panel";
    QTest::newRow("bad pattern") << Plan("[Step]\nCommand = A/B\nPattern Total = (12\n") << 5 << "not a valid pattern";
    QTest::newRow("range without dots") << Plan("[Step]\nCommand = A/B\nRange Total = 12\n") << 5 << "MIN .. MAX";
    QTest::newRow("range not numbers") << Plan("[Step]\nCommand = A/B\nRange Total = a .. b\n") << 5 << "MIN .. MAX";
    QTest::newRow("range upside down") << Plan("[Step]\nCommand = A/B\nRange Total = 5 .. 1\n") << 5 << "lower end is above";
    QTest::newRow("field expectation twice") << Plan("[Step]\nCommand = A/B\nField Total = 1\nField total = 2\n") << 6 << "given twice";
    QTest::newRow("field expectation twice, accented") << Plan("[Step]\nCommand = A/B\nField \xC3\x89tat = 1\nfield \xC3\xA9tat = 2\n") << 6 << "given twice";
    QTest::newRow("field set twice, tab between words") << Plan("[Step]\nCommand = A/B\nSet\t2 = 1\nset 2 = 3\n") << 6 << "given twice";
    QTest::newRow("keep bad name") << Plan("[Step]\nCommand = A/B\nKeep Total = the total\n") << 5 << "a kept value's name";
    QTest::newRow("fiscal answer without number") << Plan("[Step]\nCommand = A/B\nFiscal answer x = 1\n") << 5 << "by its number from 1";
    QTest::newRow("fiscal answers not a count") << Plan("[Step]\nCommand = A/B\nFiscal answers = many\n") << 5 << "number of answers";
    QTest::newRow("step without command") << Plan("[Step]\nSet 2 = 1\n") << 3 << "neither sends";
    QTest::newRow("step that sends and waits") << Plan("[Step]\nCommand = A/B\nWait = 1\n") << 3 << "not both";
    QTest::newRow("wait with expectation") << Plan("[Step]\nWait = 1\nOutcome = ack\n") << 5 << "a wait sends nothing";
    QTest::newRow("no plan section") << QByteArray("[Step]\nWait = 1\n") << 0 << "no [Plan] section";
    QTest::newRow("no terminal") << QByteArray("[Plan]\nName = x\n[Step]\nWait = 1\n") << 0 << "has no Terminal";
    QTest::newRow("no steps") << Plan("; nothing yet\n") << 0 << "has no [Step]";
    QTest::newRow("binary data") << QByteArray("[Plan]\n\0\xff", 9) << 0 << "not UTF-8 text";
}

void TestPlanReader::refusesMistakes()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(QString, message);
    const TPlanReader::TResult result = TPlanReader::Parse(text, "/plans/broken.plan");
    QCOMPARE(result.Problems.size(), 1);
    const TPlan::TProblem &problem = result.Problems.first();
    QCOMPARE(problem.Line, line);
    QVERIFY2(problem.Message.contains(message), qPrintable(problem.Message));
    QVERIFY(problem.Text().startsWith(line ? QStringLiteral("broken.plan:%1: ").arg(line) : QStringLiteral("broken.plan: ")));
}

void TestPlanReader::listsEveryProblem()
{
    const TPlanReader::TResult result = TPlanReader::Parse(
        Plan("[Step]\nCommand = A/B\nRepeat = x\nOutcome = maybe\n[Step]\nWait = never\n"), "p.plan");
    QList<int> lines;
    for (const TPlan::TProblem &problem : result.Problems)
        lines << problem.Line;
    QCOMPARE(lines, QList<int>({5, 6, 8}));
}

void TestPlanReader::tellsPlansFromTerminalFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TestFiles::Write(dir.filePath("nightly.PLAN"), "");
    TestFiles::Write(dir.filePath("nightly.txt"), "; plan\n\n[Plan]\nTerminal = a.tsy\n");
    TestFiles::Write(dir.filePath("shop.txt"), "[General]\nProtocol=1\n[Plan]\n");
    QVERIFY(TPlanReader::IsPlanFile(dir.filePath("nightly.PLAN")));
    QVERIFY(TPlanReader::IsPlanFile(dir.filePath("nightly.txt")));
    QVERIFY(!TPlanReader::IsPlanFile(dir.filePath("shop.txt")));
    QVERIFY(!TPlanReader::IsPlanFile(TestFiles::SampleFile()));
    QVERIFY(!TPlanReader::IsPlanFile(dir.filePath("missing.plan.txt")));

    const TPlanReader::TResult missing = TPlanReader::Read(dir.filePath("missing.plan"));
    QCOMPARE(missing.Problems.size(), 1);
    QVERIFY(missing.Problems.first().Message.startsWith("cannot be read"));
}

void TestPlanReader::readsNumbersAsPlansWriteThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("decimal comma") << "1,99" << true << 1.99;
    QTest::newRow("decimal point, blanks") << "  12.5 " << true << 12.5;
    QTest::newRow("negative") << "-0,25" << true << -0.25;
    QTest::newRow("leading zeros") << "0001043.00" << true << 1043.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("plus sign") << "+5" << true << 5.0;
    QTest::newRow("empty") << "  " << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("words") << "abc" << false << 0.0;
    QTest::newRow("lone sign") << "-" << false << 0.0;
}

void TestPlanReader::readsNumbersAsPlansWriteThem()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double read = 0;
    QCOMPARE(TPlan::Number(text, &read), ok);
    if (ok)
        QCOMPARE(read, value);
}

QTEST_GUILESS_MAIN(TestPlanReader)
#include "tst_plan_reader.moc"
