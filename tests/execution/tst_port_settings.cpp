#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/port_settings.h"
#include "terminal_model/settings.h"

#include <QtTest>

// The port settings read once from the settings record and the command
// line's options: what a value out of range becomes, and what the
// components and the status panels are given.
class TestPortSettings : public QObject {
    Q_OBJECT

private slots:
    void storedValuesBroughtIntoRange_data();
    void storedValuesBroughtIntoRange();
    void overridesWinOverStoredValues_data();
    void overridesWinOverStoredValues();
    void appliedToClosedComponents();
    void portTexts_data();
    void portTexts();
};

void TestPortSettings::storedValuesBroughtIntoRange_data()
{
    QTest::addColumn<int>("hostComm");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("fiscalComm");
    QTest::addColumn<int>("timeOut");
    QTest::addColumn<int>("expectedHostComm");
    QTest::addColumn<int>("expectedBaud");
    QTest::addColumn<int>("expectedProtocol");
    QTest::addColumn<int>("expectedFiscalComm");
    QTest::addColumn<int>("expectedTimeOut");
    QTest::newRow("defaults") << 0 << 3 << 0 << 1 << 1000 << 0 << 3 << 0 << 1 << 1000;
    QTest::newRow("highest valid") << 3 << 5 << 1 << 3 << TPortSettings::MaxFiscalTimeOut
                                   << 3 << 5 << 1 << 3 << TPortSettings::MaxFiscalTimeOut;
    QTest::newRow("no limit") << 2 << 0 << 1 << 0 << 0 << 2 << 0 << 1 << 0 << 0;
    QTest::newRow("beyond the last") << 9 << 6 << 2 << 200 << TPortSettings::MaxFiscalTimeOut + 1
                                     << 3 << 5 << 1 << 3 << TPortSettings::MaxFiscalTimeOut;
    QTest::newRow("byte values") << 255 << 255 << 255 << 255 << 2147483647 << 3 << 5 << 1 << 3
                                 << TPortSettings::MaxFiscalTimeOut;
    QTest::newRow("negative time-out") << 1 << 2 << 0 << 2 << -5 << 1 << 2 << 0 << 2 << 0;
}

void TestPortSettings::storedValuesBroughtIntoRange()
{
    QFETCH(int, hostComm);
    QFETCH(int, baud);
    QFETCH(int, protocol);
    QFETCH(int, fiscalComm);
    QFETCH(int, timeOut);
    TSettings settings;
    settings.HComm = quint8(hostComm);
    settings.HBaud = quint8(baud);
    settings.Protocol = quint8(protocol);
    settings.DComm = quint8(fiscalComm);
    settings.DTimeOut = timeOut;
    const TPortSettings ports = TPortSettings::FromSettings(settings);
    QTEST(int(ports.hostCommPort), "expectedHostComm");
    QTEST(int(ports.hostBaudRate), "expectedBaud");
    QTEST(int(ports.protocol), "expectedProtocol");
    QTEST(int(ports.fiscalCommPort), "expectedFiscalComm");
    QTEST(ports.fiscalTimeOut, "expectedTimeOut");
}

void TestPortSettings::overridesWinOverStoredValues_data()
{
    QTest::addColumn<bool>("overridden");
    QTest::newRow("stored values") << false;
    QTest::newRow("run's values") << true;
}

void TestPortSettings::overridesWinOverStoredValues()
{
    QFETCH(bool, overridden);
    TSettings settings;
    settings.HPort = QStringLiteral("/dev/ttyUSB0");
    settings.DPort = QStringLiteral("/dev/ttyUSB1");
    settings.HBaud = 1;
    settings.Protocol = 0;
    settings.DTimeOut = 700;
    settings.DGIEnabled = true;
    TPortSettings::TOverrides overrides;
    if (overridden) {
        overrides.hostDevice = QStringLiteral("/dev/pts/7");
        overrides.fiscalDevice = QStringLiteral("/dev/pts/8");
        overrides.baudRate = 9;   // out of range like a stored value
        overrides.protocol = 1;
        overrides.fiscalTimeOut = 0;
    }
    const TPortSettings ports = TPortSettings::FromSettings(settings, overrides);
    QCOMPARE(ports.hostDevice, overridden ? QStringLiteral("/dev/pts/7") : settings.HPort);
    QCOMPARE(ports.fiscalDevice, overridden ? QStringLiteral("/dev/pts/8") : settings.DPort);
    QCOMPARE(ports.hostBaudRate, overridden ? br38400 : br2400);
    QCOMPARE(ports.protocol, overridden ? protocol_Extended : protocol_Compatible);
    QCOMPARE(ports.fiscalTimeOut, overridden ? 0 : 700);
    QVERIFY(ports.fiscalEnabled);
}

void TestPortSettings::appliedToClosedComponents()
{
    TSettings settings;
    settings.HComm = 2;
    settings.HBaud = 5;
    settings.Protocol = 1;
    settings.DComm = 3;
    settings.DTimeOut = 2500;
    settings.HPort = QStringLiteral("/dev/ttyUSB3");
    TFPHostControl host;
    TFPAuxControl aux;
    TPortSettings::FromSettings(settings).Apply(host, aux);
    QCOMPARE(host.CommPort(), Com3);
    QCOMPARE(host.BaudRate(), br38400);
    QCOMPARE(host.ProtocolType(), protocol_Extended);
    QCOMPARE(host.DeviceName(), QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(aux.CommPort(), FCom4);
    QCOMPARE(aux.TimeOut(), 2500);
    QCOMPARE(aux.DeviceName(), QString());
}

void TestPortSettings::portTexts_data()
{
    QTest::addColumn<int>("comm");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("hostText");
    QTest::addColumn<QString>("fiscalText");
    QTest::newRow("defaults") << 0 << 3 << QString() << "COM1 9600,N,8,1" << "COM1 9600,N,8,1";
    QTest::newRow("COM4 1200") << 3 << 0 << QString() << "COM4 1200,N,8,1" << "COM4 9600,N,8,1";
    QTest::newRow("device") << 1 << 4 << "/dev/ttyUSB0" << "/dev/ttyUSB0 19200,N,8,1"
                            << "/dev/ttyUSB0 9600,N,8,1";
    // Stored out of range: the text names what the component is given.
    QTest::newRow("out of range") << 7 << 8 << QString() << "COM4 38400,N,8,1" << "COM4 9600,N,8,1";
}

void TestPortSettings::portTexts()
{
    QFETCH(int, comm);
    QFETCH(int, baud);
    QFETCH(QString, device);
    TSettings settings;
    settings.HComm = quint8(comm);
    settings.DComm = quint8(comm);
    settings.HBaud = quint8(baud);
    settings.HPort = device;
    settings.DPort = device;
    const TPortSettings ports = TPortSettings::FromSettings(settings);
    QTEST(ports.HostPortText(), "hostText");
    QTEST(ports.FiscalPortText(), "fiscalText");
}

QTEST_GUILESS_MAIN(TestPortSettings)
#include "tst_port_settings.moc"
