#include "comm/pseudo_terminal.h"
#include "execution/command_runner.h"
#include "execution/execution_texts.h"
#include "execution/port_settings.h"
#include "execution/ports.h"
#include "runner_log.h"
#include "terminal_model/settings.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Both ports on pseudo-terminals whose far end reads and never answers:
// opening, the status panel texts and Reset serial ports.
class TestPorts : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithTheSettings();
    void failureIsResultAndError_data();
    void failureIsResultAndError();
    void panelTexts_data();
    void panelTexts();
    void resetEndsBusyCommandWithoutError_data();
    void resetEndsBusyCommandWithoutError();
    void resetWithoutRunnerPurgesBoth();
    void logLinesInOrder();
    void idlePortFollowsItsDevice_data();
    void idlePortFollowsItsDevice();

private:
    TPortSettings Settings(bool fiscalEnabled = true) const;

    TPseudoTerminal m_hostEnd;
    TPseudoTerminal m_fiscalEnd;
    std::unique_ptr<TPorts> m_ports;
};

void TestPorts::init()
{
    QVERIFY(m_hostEnd.open());
    QVERIFY(m_fiscalEnd.open());
    m_ports = std::make_unique<TPorts>();
}

void TestPorts::cleanup()
{
    m_ports.reset();
    m_hostEnd.close();
    m_fiscalEnd.close();
}

TPortSettings TestPorts::Settings(bool fiscalEnabled) const
{
    TSettings settings;
    settings.HPort = m_hostEnd.slavePath();
    settings.DPort = m_fiscalEnd.slavePath();
    settings.HBaud = 5;
    settings.Protocol = 1;
    settings.DTimeOut = 0;
    settings.DGIEnabled = fiscalEnabled;
    return TPortSettings::FromSettings(settings);
}

void TestPorts::opensWithTheSettings()
{
    QVERIFY(m_ports->Open(cpHostPort, Settings()));
    QVERIFY(m_ports->Open(cpFiscalPort, Settings()));
    QVERIFY(m_ports->IsOpen(cpHostPort));
    QVERIFY(m_ports->IsOpen(cpFiscalPort));
    QCOMPARE(m_ports->Host().BaudRate(), br38400);
    QCOMPARE(m_ports->Host().ProtocolType(), protocol_Extended);
    QCOMPARE(m_ports->Aux().TimeOut(), 0);
    // Opening an open port opens it again with the new settings.
    TPortSettings slower = Settings();
    slower.hostBaudRate = br1200;
    QVERIFY(m_ports->Open(cpHostPort, slower));
    QCOMPARE(m_ports->Host().BaudRate(), br1200);
    m_ports->Close(cpFiscalPort);
    QVERIFY(!m_ports->IsOpen(cpFiscalPort));
    QVERIFY(m_ports->IsOpen(cpHostPort));
}

void TestPorts::failureIsResultAndError_data()
{
    QTest::addColumn<int>("port");
    QTest::newRow("host") << int(cpHostPort);
    QTest::newRow("fiscal") << int(cpFiscalPort);
}

void TestPorts::failureIsResultAndError()
{
    QFETCH(int, port);
    TPortSettings settings = Settings();
    settings.hostDevice = settings.fiscalDevice = QStringLiteral("/dev/no-such-port-here");
    QVERIFY(!m_ports->Open(TCommandPort(port), settings));
    QVERIFY(!m_ports->IsOpen(TCommandPort(port)));
    QCOMPARE(m_ports->LastError(TCommandPort(port)), EFP_E_InvalidCom);
}

void TestPorts::panelTexts_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("shown");
    QTest::newRow("enabled and open") << true << true << true;
    QTest::newRow("enabled, not open") << true << false << false;
    QTest::newRow("open, no longer enabled") << false << true << false;
}

void TestPorts::panelTexts()
{
    QFETCH(bool, enabled);
    QFETCH(bool, open);
    QFETCH(bool, shown);
    if (open)
        QVERIFY(m_ports->Open(cpFiscalPort, Settings()));
    const TPortSettings settings = Settings(enabled);
    QCOMPARE(m_ports->HostPanelText(settings), m_hostEnd.slavePath() + QStringLiteral(" 38400,N,8,1"));
    QCOMPARE(m_ports->FiscalPanelText(settings),
             shown ? m_fiscalEnd.slavePath() + QStringLiteral(" 9600,N,8,1") : QStringLiteral("Disabled"));
}

void TestPorts::resetEndsBusyCommandWithoutError_data()
{
    QTest::addColumn<int>("port");
    QTest::newRow("host") << int(cpHostPort);
    QTest::newRow("fiscal") << int(cpFiscalPort);
}

void TestPorts::resetEndsBusyCommandWithoutError()
{
    QFETCH(int, port);
    QVERIFY(m_ports->Open(cpHostPort, Settings()));
    QVERIFY(m_ports->Open(cpFiscalPort, Settings()));
    m_ports->Host().SetAnswerTimeOut(60000);
    TCommandRunner runner(&m_ports->Host(), &m_ports->Aux());
    runner.ConnectComponents();
    TRunnerLog log(runner);
    m_ports->AttachRunner(&runner);
    runner.SetCommand({QStringLiteral("G"), TCommandPort(port), {{QStringLiteral("A"), false, false, {}}}});
    runner.Send();
    TPseudoTerminal &far = port == cpHostPort ? m_hostEnd : m_fiscalEnd;
    QVERIFY(!far.read(5000).isEmpty());
    QSignalSpy hostErrors(&m_ports->Host(), &TFPHostControl::OnError);
    QSignalSpy auxErrors(&m_ports->Aux(), &TFPAuxControl::OnError);

    m_ports->Reset();
    QCOMPARE(log.Outcomes.size(), 1);
    QCOMPARE(log.Outcomes.constFirst().kind, TRunOutcome::Cancelled);
    QVERIFY(log.Events.contains(QStringLiteral("tree:1")));
    // The aborted wait the component reports is the reset's doing.
    QVERIFY(port == cpHostPort ? hostErrors.wait(5000) : auxErrors.wait(5000));
    log.Events.clear();
    QCoreApplication::processEvents();
    QCOMPARE(log.Events, QStringList());
    QCOMPARE(m_ports->Host().State(), EFP_S_Idle);
    QCOMPARE(m_ports->Aux().State(), FEFP_S_Idle);
}

void TestPorts::resetWithoutRunnerPurgesBoth()
{
    QVERIFY(m_ports->Open(cpHostPort, Settings()));
    QVERIFY(m_ports->Open(cpFiscalPort, Settings()));
    m_ports->Host().SetAnswerTimeOut(60000);
    {
        // A runner that went does not stay attached.
        TCommandRunner gone(&m_ports->Host(), &m_ports->Aux());
        m_ports->AttachRunner(&gone);
    }
    QVERIFY(m_ports->Host().AddDataField("A"));
    QVERIFY(m_ports->Host().SendCommand());
    QVERIFY(m_ports->Aux().SendData("B"));
    QCOMPARE(m_ports->Host().State(), EFP_S_Busy);
    QCOMPARE(m_ports->Aux().State(), FEFP_S_Busy);
    m_ports->Reset();
    QCOMPARE(m_ports->Host().State(), EFP_S_Idle);
    QCOMPARE(m_ports->Aux().State(), FEFP_S_Idle);
}

void TestPorts::logLinesInOrder()
{
    QSignalSpy lines(m_ports.get(), &TPorts::LogLine);
    QSignalSpy failures(m_ports.get(), &TPorts::ExchangeFailed);
    QVERIFY(m_ports->Open(cpFiscalPort, Settings()));
    m_ports->Aux().SetTimeOut(50);
    QVERIFY(m_ports->Aux().SendData("B"));
    QVERIFY(failures.wait(5000));
    m_ports->Close(cpFiscalPort);
    QStringList texts;
    for (const QList<QVariant> &line : lines)
        texts << line.constFirst().toString();
    QCOMPARE(texts.size(), 3);
    QVERIFY(texts.at(0).startsWith(QStringLiteral("Open ")));
    QVERIFY(texts.at(1).startsWith(TCommLogFormatter::FiscalPrefix));
    QCOMPARE(texts.at(2), TCommLogFormatter::ClosePort);
    QCOMPARE(failures.constFirst().at(1).value<TCommLogFormatter::TFailure>(), TCommLogFormatter::TFailure::TimeOut);
}

void TestPorts::idlePortFollowsItsDevice_data()
{
    QTest::addColumn<int>("port");
    QTest::newRow("host") << int(cpHostPort);
    QTest::newRow("fiscal") << int(cpFiscalPort);
}

void TestPorts::idlePortFollowsItsDevice()
{
    // An idle port notices its device going through the system's
    // notification on the link's folder, with no command to fail.
    QFETCH(int, port);
    const TCommandPort which = TCommandPort(port);
    TPseudoTerminal &far = which == cpHostPort ? m_hostEnd : m_fiscalEnd;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString link = dir.filePath("adapter");
    QVERIFY(QFile::link(far.slavePath(), link));
    TPortSettings settings = Settings();
    settings.hostDevice = settings.fiscalDevice = link;
    m_ports->Devices().SetRetryInterval(3600 * 1000);
    QSignalSpy gone(m_ports.get(), &TPorts::PortGone);
    QSignalSpy back(m_ports.get(), &TPorts::PortBack);
    QVERIFY(m_ports->Open(which, settings));

    QVERIFY(QFile::remove(link));
    far.close();
    QVERIFY(gone.wait(5000));
    QVERIFY(!m_ports->IsOpen(which));
    QVERIFY(m_ports->IsGone(which));
    // Asked for again while away: the open fails, the port is awaited still.
    QVERIFY(!m_ports->Open(which, settings));
    QVERIFY(m_ports->IsGone(which));

    QVERIFY(far.open());
    QVERIFY(QFile::link(far.slavePath(), link));
    QVERIFY(back.wait(5000));
    QVERIFY(m_ports->IsOpen(which));
    QVERIFY(!m_ports->IsGone(which));
    QCOMPARE(gone.size(), 1);

    // A port closed on purpose is watched no more.
    m_ports->Close(which);
    QVERIFY(!m_ports->Devices().IsWatched(which));
    // Nor is one that fails to open when nothing awaited its device.
    QVERIFY(QFile::remove(link));
    QVERIFY(!m_ports->Open(which, settings));
    QVERIFY(!m_ports->Devices().IsWatched(which));
    QVERIFY(!m_ports->IsGone(which));
}

QTEST_GUILESS_MAIN(TestPorts)
#include "tst_ports.moc"
