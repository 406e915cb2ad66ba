#include "execution/port_settings.h"
#include "execution/ports.h"
#include "port_event_recorder.h"
#include "sim_process.h"
#include "terminal_model/settings.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A USB adapter pulled out and put back, played by the simulator's unplug
// fault: its pseudo-terminal goes with the link the ports open, and a new one
// comes back under the same link.
class TestPortsOnSimulator : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pulledAdapterComesBack_data();
    void pulledAdapterComesBack();

private:
    bool Send(TCommandPort port, int commands);

    QTemporaryDir m_dir;
    TSimProcess m_sim;
    std::unique_ptr<TPorts> m_ports;
    std::unique_ptr<TPortEventRecorder> m_recorder;
};

void TestPortsOnSimulator::init()
{
    QVERIFY(m_dir.isValid());
    // The second request of each port pulls it out for a moment.
    QVERIFY2(m_sim.Start({"--host-link", m_dir.filePath("host"), "--fiscal-link", m_dir.filePath("fiscal"),
                          "--fault", "unplug=200@2", "--fiscal-fault", "unplug=200@2"}),
             qPrintable(m_sim.Error()));
    m_ports = std::make_unique<TPorts>();
}

void TestPortsOnSimulator::cleanup()
{
    m_recorder.reset();
    m_ports.reset();
    m_sim.Stop();
}

// Sends one command and waits until commands have ended on the port.
bool TestPortsOnSimulator::Send(TCommandPort port, int commands)
{
    const bool sent = port == cpHostPort
                          ? m_ports->Host().AddDataField(QByteArray("\x00\x01", 2)) && m_ports->Host().SendCommand()
                          : m_ports->Aux().SendData("A");
    return sent && m_recorder->waitForEnd(commands, 10000);
}

void TestPortsOnSimulator::pulledAdapterComesBack_data()
{
    QTest::addColumn<TCommandPort>("port");
    QTest::newRow("host") << cpHostPort;
    QTest::newRow("fiscal") << cpFiscalPort;
}

void TestPortsOnSimulator::pulledAdapterComesBack()
{
    QFETCH(TCommandPort, port);
    const QString link = m_dir.filePath(port == cpHostPort ? "host" : "fiscal");
    TSettings stored;
    stored.HPort = m_dir.filePath("host");
    stored.DPort = m_dir.filePath("fiscal");
    stored.Protocol = protocol_Extended;
    stored.DTimeOut = 0;   // the fiscal port waits without limit
    stored.DGIEnabled = true;
    const TPortSettings settings = TPortSettings::FromSettings(stored);
    // Silence limits beyond every deadline here: only the loss ends in time.
    m_ports->Host().SetAnswerTimeOut(600000);
    if (port == cpHostPort)
        m_recorder = std::make_unique<TPortEventRecorder>(m_ports->Host());
    else
        m_recorder = std::make_unique<TPortEventRecorder>(m_ports->Aux());
    QSignalSpy gone(m_ports.get(), &TPorts::PortGone);
    QSignalSpy back(m_ports.get(), &TPorts::PortBack);
    QSignalSpy lines(m_ports.get(), &TPorts::LogLine);
    QVERIFY(m_ports->Open(port, settings));
    const QString panel = port == cpHostPort ? m_ports->HostPanelText(settings) : m_ports->FiscalPanelText(settings);
    QCOMPARE(panel, link + " 9600,N,8,1");

    QVERIFY(Send(port, 1));
    QVERIFY(m_recorder->failures.isEmpty());

    // Pulled out during the second command: it ends with the loss.
    QVERIFY(Send(port, 2));
    QCOMPARE(m_recorder->failures.size(), 1);
    QVERIFY(m_recorder->failures.first().Lost);
    QTRY_COMPARE_WITH_TIMEOUT(gone.size(), 1, 5000);
    QCOMPARE(gone.first().at(0).value<TCommandPort>(), port);
    QCOMPARE(gone.first().at(1).toString(), link);
    QVERIFY(m_ports->IsGone(port));
    QVERIFY(!m_ports->IsOpen(port));
    QCOMPARE(port == cpHostPort ? m_ports->HostPanelText(settings) : m_ports->FiscalPanelText(settings),
             link + ": device gone");

    // Back under the same link: open again with the same settings.
    QTRY_COMPARE_WITH_TIMEOUT(back.size(), 1, 10000);
    QCOMPARE(back.first().at(1).toString(), link);
    QVERIFY(m_ports->IsOpen(port));
    QVERIFY(!m_ports->IsGone(port));
    QCOMPARE(port == cpHostPort ? m_ports->HostPanelText(settings) : m_ports->FiscalPanelText(settings), panel);
    if (port == cpHostPort) {
        QCOMPARE(m_ports->Host().ProtocolType(), protocol_Extended);
        QCOMPARE(m_ports->Host().DeviceName(), link);
    } else {
        QCOMPARE(m_ports->Aux().TimeOut(), 0);
        QCOMPARE(m_ports->Aux().DeviceName(), link);
    }
    QVERIFY(Send(port, 3));
    QCOMPARE(m_recorder->failures.size(), 1);

    QStringList logged;
    for (const QList<QVariant> &line : lines)
        logged << line.first().toString();
    const QString open = "Open " + link + " 9600,N,8,1";
    const qsizetype goneAt = logged.indexOf("Device gone: " + link);
    QVERIFY2(goneAt > 0, qPrintable(logged.join('\n')));
    QCOMPARE(logged.mid(goneAt - 1, 4), QStringList({"Close port", "Device gone: " + link, open, "Device back: " + link}));
}

QTEST_GUILESS_MAIN(TestPortsOnSimulator)
#include "tst_ports_on_simulator.moc"
