#include "cli/port_list.h"
#include "support_cli_test_base.h"

#include <QJsonArray>
#include <QtTest>

using TDevice = TSerialDevices::TDevice;

namespace {

QList<TDevice> Devices()
{
    TDevice adapter;
    adapter.SystemPath = QStringLiteral("/dev/ttyUSB0");
    adapter.ById = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    adapter.Description = QStringLiteral("FT232R USB UART");
    adapter.Manufacturer = QStringLiteral("FTDI");
    adapter.SerialNumber = QStringLiteral("A50285BI");
    adapter.VendorId = 0x0403;
    adapter.ProductId = 0x6001;
    TDevice onBoard;
    onBoard.SystemPath = QStringLiteral("/dev/ttyS0");
    return {adapter, onBoard};
}

const QStringList Keys = {"byId", "description", "manufacturer", "path", "productId", "serialNumber", "vendorId"};

} // namespace

// `tessaly-cli ports`: the text and JSON it prints for given devices, and
// the built program on this machine, whatever devices it has.
class TestPortList : public TCliTestBase {
    Q_OBJECT
private slots:
    void initTestCase();
    void text();
    void noDevicesText();
    void json();
    void programJson();
    void programText();
    void programUsage();
};

void TestPortList::initTestCase()
{
    QVERIFY(PrepareDirectory());
}

void TestPortList::text()
{
    QCOMPARE(TPortList::Text(Devices()),
             QString::fromUtf8("/dev/ttyUSB0 — FT232R USB UART (FTDI, serial A50285BI)\n"
                               "    /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\n"
                               "/dev/ttyS0\n"));
}

void TestPortList::noDevicesText()
{
    QVERIFY(TPortList::Text({}).startsWith("No serial devices found"));
}

void TestPortList::json()
{
    const QJsonArray ports = TPortList::Json(Devices()).value("ports").toArray();
    QCOMPARE(ports.size(), 2);
    const QJsonObject adapter = ports.at(0).toObject();
    QCOMPARE(adapter.keys(), Keys);
    QCOMPARE(adapter.value("path").toString(), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(adapter.value("byId").toString(), Devices().at(0).ById);
    QCOMPARE(adapter.value("serialNumber").toString(), QStringLiteral("A50285BI"));
    QCOMPARE(adapter.value("vendorId").toString(), QStringLiteral("0403"));
    QCOMPARE(adapter.value("productId").toString(), QStringLiteral("6001"));
    // What is not known is null, not an empty text.
    const QJsonObject onBoard = ports.at(1).toObject();
    QCOMPARE(onBoard.keys(), Keys);
    for (const char *key : {"byId", "description", "manufacturer", "serialNumber", "vendorId", "productId"})
        QVERIFY2(onBoard.value(key).isNull(), key);
}

void TestPortList::programJson()
{
    const TRun run = Cli({"ports", "--json"});
    QCOMPARE(run.exit, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(document.object().value("ports").isArray());
    for (const QJsonValue &port : document.object().value("ports").toArray()) {
        QCOMPARE(port.toObject().keys(), Keys);
        QVERIFY(port.toObject().value("path").toString().startsWith('/'));
    }
}

void TestPortList::programText()
{
    const TRun run = Cli({"ports"});
    QCOMPARE(run.exit, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const QStringList lines = Lines(run.out);
    QVERIFY(!lines.isEmpty());
    // Each device line starts with its path, each link line is indented.
    for (const QString &line : lines)
        QVERIFY2(line.startsWith('/') || line.startsWith("    /dev/serial/by-id/") || line.startsWith("No serial devices"),
                 qPrintable(line));
}

void TestPortList::programUsage()
{
    const TRun help = Cli({"ports", "--help"});
    QCOMPARE(help.exit, 0);
    QVERIFY(help.out.contains("Usage: tessaly-cli ports [options]"));
    QVERIFY(help.out.contains("--json"));
    const TRun extra = Cli({"ports", "demo.tsy"});
    QCOMPARE(extra.exit, 1);
    QVERIFY2(extra.err.contains("ports takes 0 arguments"), qPrintable(extra.err));
}

QTEST_GUILESS_MAIN(TestPortList)
#include "tst_port_list.moc"
