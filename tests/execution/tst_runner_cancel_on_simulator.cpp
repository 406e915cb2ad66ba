#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/command_runner.h"
#include "sim_process.h"

#include <QtTest>

// Cancel of a busy fiscal command followed at once by another Send, as the
// window does it, against the simulator program over a pseudo-terminal.
class TestRunnerCancelOnSimulator : public QObject {
    Q_OBJECT
private slots:
    void fiscalSendRightAfterCancel();
};

void TestRunnerCancelOnSimulator::fiscalSendRightAfterCancel()
{
    // The printer keeps every odd request busy (no reaction) and answers the
    // even ones. The purge of Cancel must not take the busy frame back out
    // of the driver before the printer has read it: the printer would count
    // one request less, and the next Send would meet its silence.
    const int rounds = 200;
    QStringList arguments;
    for (int request = 2; request <= 2 * rounds + 1; request += 2)
        arguments << QStringLiteral("--fiscal-fault") << QStringLiteral("silence@%1").arg(request);
    TSimProcess sim;
    QVERIFY2(sim.Start(arguments), qPrintable(sim.Error()));
    TFPHostControl host;
    TFPAuxControl aux;
    aux.SetDeviceName(sim.FiscalPath());
    aux.SetTimeOut(1000);
    QVERIFY(aux.OpenPort());
    TCommandRunner runner(&host, &aux);
    runner.ConnectComponents();
    QSignalSpy written(&aux, &TFPAuxControl::OnWrite);
    QSignalSpy finished(&runner, &TCommandRunner::Finished);
    // Request 1: the simulator has seen the client before the rounds start.
    runner.SetCommand({QStringLiteral("FiscalAlive"), cpFiscalPort, {TSendField{QStringLiteral("x'05'")}}});
    runner.Send();
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
    QCOMPARE(finished.first().first().value<TRunOutcome>().kind, TRunOutcome::Ack);

    QStringList failures;
    for (int round = 0; round < rounds; ++round) {
        written.clear();
        finished.clear();
        runner.SetCommand({QStringLiteral("FiscalBusy"), cpFiscalPort, {TSendField{QStringLiteral("B")}}});
        runner.Send();
        QTRY_VERIFY_WITH_TIMEOUT(!written.isEmpty(), 5000);
        runner.Cancel();
        const QByteArray next = "N" + QByteArray::number(round);
        runner.SetCommand({QStringLiteral("FiscalNext"), cpFiscalPort, {TSendField{QString::fromLatin1(next)}}});
        runner.Send();
        QTRY_VERIFY_WITH_TIMEOUT(finished.size() >= 2, 10000);
        const TRunOutcome outcome = finished.at(1).first().value<TRunOutcome>();
        if (outcome.kind != TRunOutcome::Answer || outcome.fiscalAnswers != QList<QByteArray>{"0000" + next})
            failures << QStringLiteral("round %1: %2").arg(round).arg(TRunOutcome::KindName(outcome.kind));
    }
    QVERIFY(aux.ClosePort());
    QCOMPARE(sim.Stop(), 0);
    QVERIFY2(failures.isEmpty(), qPrintable(QStringLiteral("%1 of %2 rounds failed, first: %3")
                                                .arg(failures.size()).arg(rounds).arg(failures.value(0))));
    // Every frame written reached the printer.
    QCOMPARE(sim.Trace().count(QStringLiteral("fiscal <- 02 42 03")), rounds);
}

QTEST_GUILESS_MAIN(TestRunnerCancelOnSimulator)
#include "tst_runner_cancel_on_simulator.moc"
