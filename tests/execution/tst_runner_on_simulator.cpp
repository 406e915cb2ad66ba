#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/answer_page.h"
#include "execution/command_definition.h"
#include "execution/command_runner.h"
#include "sim_runner_fixture.h"
#include "terminal_model/ext_ini_file.h"

#include <QtTest>

// The whole road of a command, from the sample terminal file through the
// runner and the two components to the simulator program and back to the
// answer page, over pseudo-terminals.
class TestRunnerOnSimulator : public QObject, private TSimRunnerFixture {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everySampleCommand_data();
    void everySampleCommand();
    void repeatAppendsStepNumbers();
    void valueThatDoesNotFitGoesNowhere_data();
    void valueThatDoesNotFitGoesNowhere();

private:
    TRunOutcome Run(const TCommandDefinition &definition, int repeat,
                    const QStringList &texts = {});

    TExtIniFile m_ini;
};

void TestRunnerOnSimulator::initTestCase()
{
    QVERIFY(m_ini.Load(QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy")));
    QVERIFY2(SetUpOnSimulator({QStringLiteral("--protocol"), QStringLiteral("extended")},
                              TProtocolType(m_ini.ReadInteger("General", "Protocol", 0))),
             qPrintable(m_setUpError));
}

void TestRunnerOnSimulator::cleanupTestCase()
{
    TearDownOnSimulator();
}

// texts replace the default texts of the first fields; an empty one keeps it.
TRunOutcome TestRunnerOnSimulator::Run(const TCommandDefinition &definition, int repeat,
                                       const QStringList &texts)
{
    QList<TFieldInput> inputs;
    for (int i = 0; i < definition.fields.size(); ++i) {
        inputs << definition.DefaultInput(i, QDate(2026, 12, 7), QTime(10, 30, 15));
        if (!texts.value(i).isEmpty())
            inputs.last().text = texts.at(i);
    }
    m_runner->SetCommand(definition.RunCommand(inputs, m_ini.ReadInteger("General", "InputDateFormat", 0)));
    QSignalSpy finished(m_runner.get(), &TCommandRunner::Finished);
    if (repeat > 1)
        m_runner->Repeat(repeat);
    else
        m_runner->Send();
    if (finished.isEmpty() && !finished.wait(15000))
        return {};
    return finished.first().first().value<TRunOutcome>();
}

void TestRunnerOnSimulator::everySampleCommand_data()
{
    QTest::addColumn<QString>("section");
    for (const QString &group : m_ini.ReadSection(QStringLiteral("Groups")))
        for (const QString &command : m_ini.ReadSection(group))
            QTest::newRow(qPrintable(group + "/" + command)) << group + command;
}

void TestRunnerOnSimulator::everySampleCommand()
{
    QFETCH(QString, section);
    const TCommandDefinition definition = TCommandDefinition::Load(m_ini, section);
    QVERIFY2(definition.IsSendable(), qPrintable(definition.error));
    // A required field the file leaves empty is filled in, as the user must.
    QStringList texts;
    for (int i = 0; i < definition.fields.size(); ++i)
        texts << (definition.ValueError(i, definition.DefaultInput(i, {}, {})) == definition.RequiredText(i)
                      ? QStringLiteral("1")
                      : QString());
    const TRunOutcome outcome = Run(definition, 1, texts);
    QCOMPARE(outcome.sent, 1);

    if (definition.port == cpFiscalPort) {
        QVERIFY2(outcome.kind == TRunOutcome::Ack || outcome.kind == TRunOutcome::Answer,
                 qPrintable(TRunOutcome::KindName(outcome.kind)));
        return;
    }
    QCOMPARE(TRunOutcome::KindName(outcome.kind), QStringLiteral("answer"));
    QCOMPARE(outcome.answer.commandKey, section);
    TAnswerPage::TOptions options;
    options.protocol = m_ini.ReadInteger("General", "Protocol", 0);
    const TAnswerPage page =
        TAnswerPage::Build(m_ini, TFixedAnswerTable::Load(m_ini, "FiscalAnswer"),
                           TFixedAnswerTable::Load(m_ini, "PrinterAnswer"), outcome.answer, options);
    QVERIFY(page.error.isEmpty());
    QVERIFY(page.fiscalCaption.startsWith("Fiscal answer = "));
    QCOMPARE(page.rows.at(1).label, QStringLiteral("Return Code"));
    QCOMPARE(page.rows.size(), 3 + outcome.answer.fields.size());
}

void TestRunnerOnSimulator::repeatAppendsStepNumbers()
{
    const TCommandDefinition definition =
        TCommandDefinition::Load(m_ini, QStringLiteral("ReceiptSell item"));
    const TRunOutcome outcome = Run(definition, 12, {{}, {}, {}, QStringLiteral("1,50")});
    QCOMPARE(TRunOutcome::KindName(outcome.kind), QStringLiteral("answer"));
    QCOMPARE(outcome.sent, 12);
    QCOMPARE(outcome.count, 12);
    // The description went out as Item001 ... Item012, each in one command.
    QStringList received;
    for (const QString &line : m_sim.Trace().split('\n'))
        if (line.contains(QStringLiteral("host   <- 02")))
            received << line;
    for (int step = 1; step <= 12; ++step) {
        const QByteArray text = "Item" + QByteArray::number(step).rightJustified(3, '0');
        QCOMPARE(received.filter(QString::fromLatin1(text.toHex(' '))).size(), 1);
    }
}

void TestRunnerOnSimulator::valueThatDoesNotFitGoesNowhere_data()
{
    QTest::addColumn<int>("repeat");
    QTest::newRow("send") << 1;
    QTest::newRow("repeat") << 3;
}

// A unit price with more integer digits than its field holds would go out
// with its leading digit dropped; it is refused before any frame is made.
void TestRunnerOnSimulator::valueThatDoesNotFitGoesNowhere()
{
    QFETCH(int, repeat);
    const TCommandDefinition definition =
        TCommandDefinition::Load(m_ini, QStringLiteral("ReceiptSell item"));
    QSignalSpy errors(m_runner.get(), &TCommandRunner::ErrorMessage);
    QSignalSpy focus(m_runner.get(), &TCommandRunner::FocusField);
    const TRunOutcome outcome = Run(definition, repeat, {{}, {}, {}, QStringLiteral("12345678,5")});
    QCOMPARE(TRunOutcome::KindName(outcome.kind), QStringLiteral("bad-input"));
    QCOMPARE(outcome.field, 3);
    QCOMPARE(outcome.sent, 0);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.first().first().toString(),
             QStringLiteral("Bad user data input in control\n"
                            "Field 4 (Unit price): '12345678,5' has 8 integer digits; the field holds 7"));
    QCOMPARE(focus.size(), 1);
    QCOMPARE(focus.first().first().toInt(), 3);

    // Once the next command has reached the printer, the refused one (as it
    // would have gone out) is still nowhere.
    const TRunOutcome next = Run(definition, 1, {{}, {}, {}, QStringLiteral("1234567,5")});
    QCOMPARE(TRunOutcome::KindName(next.kind), QStringLiteral("answer"));
    QTRY_VERIFY(m_sim.Trace().contains(QString::fromLatin1(QByteArray("123456750").toHex(' '))));
    QVERIFY(!m_sim.Trace().contains(QString::fromLatin1(QByteArray("234567850").toHex(' '))));
}

QTEST_GUILESS_MAIN(TestRunnerOnSimulator)
#include "tst_runner_on_simulator.moc"
