#include "execution/plan_checker.h"
#include "execution/plan_expectations.h"
#include "execution/plan_reader.h"
#include "terminal_model/fixed_answer.h"
#include "terminal_model/terminal_document.h"

#include "test_files.h"

#include <QtTest>

// Each kind of expectation, holding and not holding, against answers decoded
// as the answer page decodes them with the sample file's definitions.
class TestPlanExpectations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void eachKind_data();
    void eachKind();
    void withoutOutcomeAnAnswerOrAckIsExpected_data();
    void withoutOutcomeAnAnswerOrAckIsExpected();
    void keptValuesFillExpectations();
    void keepTakesTheConvertedText();

private:
    // The step as the checker resolves it; the checker's problems in *problems.
    TPlan::TStep Step(const QByteArray &command, const QByteArray &lines, QStringList *problems = nullptr);
    TAnswerPage Page(const TReceivedAnswer &answer) const;

    TTerminalDocument m_document;
};

namespace {

// The sample's Sell item answer: item amount, subtotal, items (Decimal).
TRunOutcome SellAnswer(quint16 fiscal = 0x0018, quint16 printer = 0x0000, quint16 code = 0)
{
    TRunOutcome outcome;
    outcome.kind = TRunOutcome::Answer;
    outcome.sent = 1;
    outcome.answer.commandKey = QStringLiteral("ReceiptSell item");
    outcome.answer.fiscalStatus = fiscal;
    outcome.answer.printerStatus = printer;
    outcome.answer.returnCode = code;
    outcome.answer.fields = {"000000150", "000004750", QByteArray("\x03")};
    return outcome;
}

TRunOutcome FiscalAnswers(const QList<QByteArray> &answers)
{
    TRunOutcome outcome;
    outcome.kind = TRunOutcome::Answer;
    outcome.port = cpFiscalPort;
    outcome.fiscalAnswers = answers;
    return outcome;
}

TRunOutcome Ended(TRunOutcome::TKind kind, TCommandPort port = cpHostPort)
{
    TRunOutcome outcome;
    outcome.kind = kind;
    outcome.port = port;
    return outcome;
}

}

void TestPlanExpectations::initTestCase()
{
    QVERIFY(m_document.Load(TestFiles::SampleFile()));
}

TPlan::TStep TestPlanExpectations::Step(const QByteArray &command, const QByteArray &lines, QStringList *problems)
{
    // Sell item needs its price to be sent.
    const QByteArray price = command == "Receipt/Sell item" ? "Set Unit price = 1\n" : "";
    const TPlanReader::TResult read =
        TPlanReader::Parse("[Plan]\nTerminal = demo.tsy\n[Step]\nCommand = " + command + "\n" + price + lines, "t.plan");
    const TPlanChecker::TResult checked = TPlanChecker::Check(read.Plan, m_document, QDateTime::currentDateTime());
    if (problems)
        for (const TPlan::TProblem &problem : read.Problems + checked.Problems)
            problems->append(problem.Text());
    return checked.Plan.Steps.value(0);
}

TAnswerPage TestPlanExpectations::Page(const TReceivedAnswer &answer) const
{
    TAnswerPage::TOptions options;
    options.protocol = 1;
    options.inputDateFormat = 0;
    options.outputDateFormat = 1;
    options.today = QDate(2026, 12, 7);
    return TAnswerPage::Build(m_document.Ini(), TFixedAnswerTable::Load(m_document.Ini(), FiscalAnswerSection),
                              TFixedAnswerTable::Load(m_document.Ini(), PrinterAnswerSection), answer, options);
}

void TestPlanExpectations::eachKind_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<TRunOutcome>("outcome");
    // Empty: the expectation holds; otherwise "what|expected|actual".
    QTest::addColumn<QString>("failure");

    const QByteArray sell = "Receipt/Sell item";
    const QByteArray alive = "Fiscal port/Alive check";
    QTest::newRow("outcome holds") << sell << QByteArray("Outcome = answer") << SellAnswer() << QString("");
    QTest::newRow("outcome differs") << sell << QByteArray("Outcome = nak") << SellAnswer() << QString("Outcome|nak|answer");
    QTest::newRow("time-out expected") << sell << QByteArray("Outcome = timeout") << Ended(TRunOutcome::TimeOut) << QString("");
    QTest::newRow("bad input expected") << sell << QByteArray("Outcome = bad-input") << Ended(TRunOutcome::BadInput) << QString("");
    QTest::newRow("return code number holds") << sell << QByteArray("Return code = 10") << SellAnswer(0x18, 0, 10) << QString("");
    QTest::newRow("return code number differs") << sell << QByteArray("Return code = 0") << SellAnswer(0x18, 0, 11) << QString("Return code|0|11");
    QTest::newRow("return code text holds") << sell << QByteArray("Return code = No receipt is open") << SellAnswer(0x18, 0, 11) << QString("");
    QTest::newRow("return code text differs") << sell << QByteArray("Return code = Command executed") << SellAnswer(0x18, 0, 257) << QString("Return code|0 (Command executed)|257");
    QTest::newRow("return code without answer") << sell << QByteArray("Return code = 0\nOutcome = timeout") << Ended(TRunOutcome::TimeOut) << QString("Return code|0|no answer");
    QTest::newRow("fiscal word panel shown") << sell << QByteArray("Shown = fiscal receipt open") << SellAnswer() << QString("");
    QTest::newRow("printer word panel shown") << sell << QByteArray("Shown = Paper low") << SellAnswer(0x18, 0x0004) << QString("");
    QTest::newRow("panel not shown") << sell << QByteArray("Shown = Paper low") << SellAnswer(0x0008, 0x0000)
                                     << QString("Shown|\"Paper low\"|Fiscal memory OK, Fiscal memory space OK, Fiscalized, No document open, Printer online, Paper OK");
    QTest::newRow("not shown holds") << sell << QByteArray("Not shown = Out of paper") << SellAnswer() << QString("");
    QTest::newRow("not shown but shown") << sell << QByteArray("Not shown = Cover open") << SellAnswer(0x0018, 0x0010)
                                         << QString("Not shown|not \"Cover open\"|Fiscal memory OK, Fiscal memory space OK, Fiscalized, Fiscal receipt open, Printer online, Paper OK, Cover open");
    QTest::newRow("field equal holds") << sell << QByteArray("Field Item amount = 0000001.50") << SellAnswer() << QString("");
    QTest::newRow("field label without regard to case") << sell << QByteArray("Field items in receipt = 3") << SellAnswer() << QString("");
    QTest::newRow("field equal differs") << sell << QByteArray("Field Item amount = 1.50") << SellAnswer() << QString("Field Item amount|1.50|0000001.50");
    QTest::newRow("field without answer") << sell << QByteArray("Field Item amount = 1\nOutcome = nak") << Ended(TRunOutcome::Nak) << QString("Field Item amount|1|no answer");
    QTest::newRow("field missing from a short answer") << sell << QByteArray("Field Items in receipt = 3")
                                                       << [] { TRunOutcome o = SellAnswer(); o.answer.fields.removeLast(); return o; }()
                                                       << QString("Field Items in receipt|3|no such field in the answer");
    QTest::newRow("pattern holds") << sell << QByteArray("Pattern Receipt subtotal = 0*47\\.50") << SellAnswer() << QString("");
    QTest::newRow("pattern must match the whole text") << sell << QByteArray("Pattern Receipt subtotal = 47\\.50") << SellAnswer() << QString("Pattern Receipt subtotal|47\\.50|0000047.50");
    QTest::newRow("range holds") << sell << QByteArray("Range Receipt subtotal = 47,5 .. 47.5") << SellAnswer() << QString("");
    QTest::newRow("range open above") << sell << QByteArray("Range Items in receipt = 2 ..") << SellAnswer() << QString("");
    QTest::newRow("range below") << sell << QByteArray("Range Item amount = 2 .. 3") << SellAnswer() << QString("Range Item amount|2 .. 3|0000001.50");
    QTest::newRow("range above") << sell << QByteArray("Range Items in receipt = .. 2") << SellAnswer() << QString("Range Items in receipt| .. 2|3");
    QTest::newRow("range on a text") << QByteArray("Status/Status query") << QByteArray("Range Serial number = 1 .. 2")
                                     << [] { TRunOutcome o = SellAnswer(); o.answer.commandKey = "StatusStatus query"; o.answer.fields = {"TS-1", "1.04", "\x07"}; return o; }()
                                     << QString("Range Serial number|1 .. 2|\"TS-1\", not a number");
    QTest::newRow("fiscal answer holds") << alive << QByteArray("Fiscal answer 2 = 0000 end") << FiscalAnswers({"1000 a", "0000 end"}) << QString("");
    QTest::newRow("fiscal answer differs") << alive << QByteArray("Fiscal answer 1 = 1000 b") << FiscalAnswers({"1000 a", "0000 end"}) << QString("Fiscal answer 1|1000 b|1000 a");
    QTest::newRow("fiscal answer missing") << alive << QByteArray("Fiscal answer 3 = x") << FiscalAnswers({"1000 a", "0000 end"}) << QString("Fiscal answer 3|x|2 answers");
    QTest::newRow("fiscal answer in its code page") << alive << QByteArray("Fiscal answer 1 = 0000 \xE2\x82\xAC") << FiscalAnswers({"0000 \x80"}) << QString("");
    QTest::newRow("fiscal pattern holds") << alive << QByteArray("Fiscal pattern 1 = \\d{4} .*") << FiscalAnswers({"1000 a"}) << QString("");
    QTest::newRow("fiscal pattern differs") << alive << QByteArray("Fiscal pattern 1 = 0000 .*") << FiscalAnswers({"1000 a"}) << QString("Fiscal pattern 1|0000 .*|1000 a");
    QTest::newRow("fiscal count holds") << alive << QByteArray("Fiscal answers = 0\nOutcome = ack") << Ended(TRunOutcome::Ack, cpFiscalPort) << QString("");
    QTest::newRow("fiscal count differs") << alive << QByteArray("Fiscal answers = 1") << FiscalAnswers({"1000 a", "0000 end"}) << QString("Fiscal answers|1|2");
}

void TestPlanExpectations::eachKind()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, line);
    QFETCH(TRunOutcome, outcome);
    QFETCH(QString, failure);
    QStringList problems;
    const TPlan::TStep step = Step(command, line, &problems);
    QCOMPARE(problems, QStringList());
    QVERIFY(!step.Expectations.isEmpty());
    const bool hasPage = outcome.kind == TRunOutcome::Answer && outcome.port == cpHostPort;
    const TAnswerPage page = hasPage ? Page(outcome.answer) : TAnswerPage();
    const QList<TStepResult::TFailure> failures =
        TPlanExpectations::Evaluate(step, outcome, hasPage ? &page : nullptr, TPlanValues());
    if (failure.isEmpty()) {
        QVERIFY2(failures.isEmpty(), qPrintable(failures.value(0).Text()));
        return;
    }
    QCOMPARE(failures.size(), 1);
    const QStringList parts = failure.split('|');
    QCOMPARE(failures.first().Expectation, parts.at(0));
    QCOMPARE(failures.first().Expected, parts.at(1));
    QCOMPARE(failures.first().Actual, parts.at(2));
    QCOMPARE(failures.first().Line, step.Expectations.first().Line);
}

void TestPlanExpectations::withoutOutcomeAnAnswerOrAckIsExpected_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("holds");
    QTest::newRow("answer") << int(TRunOutcome::Answer) << true;
    QTest::newRow("ack") << int(TRunOutcome::Ack) << true;
    QTest::newRow("time-out") << int(TRunOutcome::TimeOut) << false;
    QTest::newRow("nak") << int(TRunOutcome::Nak) << false;
    QTest::newRow("bad input") << int(TRunOutcome::BadInput) << false;
    QTest::newRow("cancelled") << int(TRunOutcome::Cancelled) << false;
}

void TestPlanExpectations::withoutOutcomeAnAnswerOrAckIsExpected()
{
    QFETCH(int, kind);
    QFETCH(bool, holds);
    const TPlan::TStep step = Step("Receipt/Sell item", "");
    const QList<TStepResult::TFailure> failures =
        TPlanExpectations::Evaluate(step, Ended(TRunOutcome::TKind(kind)), nullptr, TPlanValues());
    QCOMPARE(failures.isEmpty(), holds);
    if (!holds)
        QCOMPARE(failures.first().Text(), "Outcome: expected answer or ack, actual " + TRunOutcome::KindName(TRunOutcome::TKind(kind)));
}

void TestPlanExpectations::keptValuesFillExpectations()
{
    // The checker wants earlier steps to keep these; here they are given.
    QStringList problems;
    const TPlan::TStep step =
        Step("Receipt/Open receipt", "Field Receipt number = ${receipt}\nPattern Receipt number = ${prefix}\\d+", &problems);
    QCOMPARE(problems.size(), 2);
    TPlanValues kept;
    kept.Keep("receipt", "1043");
    kept.Keep("prefix", "10");
    TRunOutcome outcome = SellAnswer();
    outcome.answer.commandKey = "ReceiptOpen receipt";
    outcome.answer.fields = {"1043"};
    TAnswerPage page = Page(outcome.answer);
    QVERIFY(TPlanExpectations::Evaluate(step, outcome, &page, kept).isEmpty());

    kept.Keep("receipt", "1044");
    QList<TStepResult::TFailure> failures = TPlanExpectations::Evaluate(step, outcome, &page, kept);
    QCOMPARE(failures.size(), 1);
    QCOMPARE(failures.first().Text(), QStringLiteral("Field Receipt number: expected 1044, actual 1043"));

    // A value no step kept (its step had no answer) fails the expectation.
    failures = TPlanExpectations::Evaluate(step, outcome, &page, TPlanValues());
    QCOMPARE(failures.size(), 2);
    QCOMPARE(failures.first().Text(), QStringLiteral("Kept value: expected \"receipt\", actual nothing kept"));
}

void TestPlanExpectations::keepTakesTheConvertedText()
{
    const TPlan::TStep step = Step("Receipt/Sell item", "Keep Item amount = amount\nKeep items in receipt = items");
    const TRunOutcome outcome = SellAnswer();
    const TAnswerPage page = Page(outcome.answer);
    TPlanValues kept;
    QVERIFY(TPlanExpectations::Keep(step, &page, &kept).isEmpty());
    QCOMPARE(kept.Value("amount"), QStringLiteral("0000001.50"));
    QCOMPARE(kept.Value("items"), QStringLiteral("3"));

    TPlanValues none;
    const QList<TStepResult::TFailure> failures = TPlanExpectations::Keep(step, nullptr, &none);
    QCOMPARE(failures.size(), 2);
    QCOMPARE(failures.first().Text(), QStringLiteral("Keep Item amount: expected a value for \"amount\", actual no answer"));
    QVERIFY(!none.Has("amount"));
}

QTEST_GUILESS_MAIN(TestPlanExpectations)
#include "tst_plan_expectations.moc"
