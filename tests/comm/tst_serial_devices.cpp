#include "comm/serial_devices.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using TDevice = TSerialDevices::TDevice;
using TLinks = QMap<QString, QString>;

namespace {

TDevice Port(const QString &path, const QString &description = QString(), const QString &manufacturer = QString(),
             const QString &serial = QString())
{
    TDevice device;
    device.SystemPath = path;
    device.Description = description;
    device.Manufacturer = manufacturer;
    device.SerialNumber = serial;
    return device;
}

const QString ById = QStringLiteral("/dev/serial/by-id/");

} // namespace

class TestSerialDevices : public QObject
{
    Q_OBJECT

private slots:
    void linksMatched_data();
    void linksMatched();
    void sortedByNumber();
    void label_data();
    void label();
    void details();
    void namedBy_data();
    void namedBy();
    void scanLinks();
    void scanMissingFolder();
    void availableHasPaths();
};

void TestSerialDevices::linksMatched_data()
{
    QTest::addColumn<TLinks>("links");
    QTest::addColumn<QStringList>("byId");
    QTest::addColumn<QStringList>("preferred");

    const QString ftdi = ById + "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    const QString prolific = ById + "usb-Prolific_USB-Serial_Controller-if00-port0";
    QTest::newRow("no links") << TLinks() << QStringList{"", "", ""}
                              << QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"};
    QTest::newRow("one adapter linked")
        << TLinks{{ftdi, "/dev/ttyUSB1"}} << QStringList{"", "", ftdi}
        << QStringList{"/dev/ttyS0", "/dev/ttyUSB0", ftdi};
    QTest::newRow("two adapters")
        << TLinks{{ftdi, "/dev/ttyUSB1"}, {prolific, "/dev/ttyUSB0"}} << QStringList{"", prolific, ftdi}
        << QStringList{"/dev/ttyS0", prolific, ftdi};
    // Two names for one device: the first by name, whatever the map's insertion order.
    QTest::newRow("two links to one device")
        << TLinks{{ById + "usb-b-if00", "/dev/ttyUSB0"}, {ById + "usb-a-if00", "/dev/ttyUSB0"}}
        << QStringList{"", ById + "usb-a-if00", ""} << QStringList{"/dev/ttyS0", ById + "usb-a-if00", "/dev/ttyUSB1"};
    QTest::newRow("link to a device not listed")
        << TLinks{{ftdi, "/dev/ttyACM3"}} << QStringList{"", "", ""}
        << QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"};
}

void TestSerialDevices::linksMatched()
{
    QFETCH(TLinks, links);
    const QList<TDevice> devices = TSerialDevices::Build(
        {Port("/dev/ttyUSB1", "FT232R USB UART", "FTDI", "A50285BI"), Port("/dev/ttyS0"), Port("/dev/ttyUSB0")},
        links);
    QStringList byId;
    QStringList preferred;
    for (const TDevice &device : devices) {
        byId << device.ById;
        preferred << device.PreferredPath();
    }
    QTEST(byId, "byId");
    QTEST(preferred, "preferred");
    // What the driver said stays with its device through the sorting.
    QCOMPARE(devices.at(2).SerialNumber, QStringLiteral("A50285BI"));
}

void TestSerialDevices::sortedByNumber()
{
    const QList<TDevice> devices = TSerialDevices::Build(
        {Port("/dev/ttyS10"), Port("/dev/ttyUSB0"), Port("/dev/ttyS2"), Port("/dev/ttyACM0"), Port("/dev/ttyS0")}, {});
    QStringList paths;
    for (const TDevice &device : devices)
        paths << device.SystemPath;
    QCOMPARE(paths, QStringList({"/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0"}));
}

void TestSerialDevices::label_data()
{
    QTest::addColumn<TDevice>("device");
    QTest::addColumn<QString>("label");
    QTest::newRow("everything known") << Port("/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI")
                                      << QString::fromUtf8("/dev/ttyUSB0 — FT232R USB UART (FTDI, serial A50285BI)");
    QTest::newRow("no manufacturer") << Port("/dev/ttyUSB0", "USB-Serial Controller", "", "1234")
                                     << QString::fromUtf8("/dev/ttyUSB0 — USB-Serial Controller (serial 1234)");
    QTest::newRow("no serial number") << Port("/dev/ttyACM0", "Modem", "Acme")
                                      << QString::fromUtf8("/dev/ttyACM0 — Modem (Acme)");
    QTest::newRow("no description") << Port("/dev/ttyUSB2", "", "Acme", "X1") << "/dev/ttyUSB2 (Acme, serial X1)";
    QTest::newRow("nothing known") << Port("/dev/ttyS0") << "/dev/ttyS0";
}

void TestSerialDevices::label()
{
    QFETCH(TDevice, device);
    QTEST(device.Label(), "label");
}

void TestSerialDevices::details()
{
    TDevice device = Port("/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI");
    device.ById = ById + "usb-FTDI-if00";
    device.VendorId = 0x0403;
    device.ProductId = 0x6001;
    QCOMPARE(device.Details(), QStringLiteral("/dev/ttyUSB0\n/dev/serial/by-id/usb-FTDI-if00\n"
                                              "Description: FT232R USB UART\nManufacturer: FTDI\n"
                                              "Serial number: A50285BI\nUSB id: 0403:6001"));
    QCOMPARE(Port("/dev/ttyS0").Details(), QStringLiteral("/dev/ttyS0"));
}

void TestSerialDevices::namedBy_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("named");
    QTest::newRow("system path") << "/dev/ttyUSB0" << true;
    QTest::newRow("short name") << "ttyUSB0" << true;
    QTest::newRow("by-id link") << ById + "usb-FTDI-if00" << true;
    QTest::newRow("another device") << "/dev/ttyUSB1" << false;
    QTest::newRow("prefix only") << "/dev/ttyUSB" << false;
    QTest::newRow("empty") << "" << false;
}

void TestSerialDevices::namedBy()
{
    TDevice device = Port("/dev/ttyUSB0");
    device.ById = ById + "usb-FTDI-if00";
    QFETCH(QString, path);
    QTEST(device.IsNamedBy(path), "named");
    // With no link, an empty path must not match the empty by-id name.
    QVERIFY(!Port("/dev/ttyUSB0").IsNamedBy(QString()));
}

// A folder laid out as udev lays out /dev/serial/by-id: relative links to
// the devices; a dangling link (an adapter just pulled) and a plain file are
// left out.
void TestSerialDevices::scanLinks()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath("dev/serial/by-id"));
    const QString devices = QFileInfo(dir.filePath("dev")).canonicalFilePath();
    for (const char *name : {"ttyUSB0", "ttyUSB1"}) {
        QFile device(devices + '/' + name);
        QVERIFY(device.open(QIODevice::WriteOnly));
    }
    const QString folder = devices + "/serial/by-id";
    QVERIFY(QFile::link("../../ttyUSB1", folder + "/usb-FTDI-if00-port0"));
    QVERIFY(QFile::link("../../ttyUSB0", folder + "/usb-Prolific-if00-port0"));
    QVERIFY(QFile::link("../../ttyUSB7", folder + "/usb-Gone-if00-port0"));
    QFile plain(folder + "/not-a-link");
    QVERIFY(plain.open(QIODevice::WriteOnly));

    const TLinks links = TSerialDevices::ScanLinks(folder);
    QCOMPARE(links, TLinks({{folder + "/usb-FTDI-if00-port0", devices + "/ttyUSB1"},
                            {folder + "/usb-Prolific-if00-port0", devices + "/ttyUSB0"}}));
    const QList<TDevice> built = TSerialDevices::Build({Port(devices + "/ttyUSB1"), Port(devices + "/ttyUSB0")}, links);
    QCOMPARE(built.at(0).ById, folder + "/usb-Prolific-if00-port0");
    QCOMPARE(built.at(1).ById, folder + "/usb-FTDI-if00-port0");
}

void TestSerialDevices::scanMissingFolder()
{
    QTemporaryDir dir;
    QCOMPARE(TSerialDevices::ScanLinks(dir.filePath("no-such-folder")), TLinks());
}

// Whatever this machine has: every device has a path and a label that
// starts with it, and a by-id name only when the link resolves to it.
void TestSerialDevices::availableHasPaths()
{
    for (const TDevice &device : TSerialDevices::Available()) {
        QVERIFY(device.SystemPath.startsWith('/'));
        QVERIFY(device.Label().startsWith(device.SystemPath));
        if (!device.ById.isEmpty())
            QCOMPARE(QFileInfo(device.ById).canonicalFilePath(), device.SystemPath);
    }
}

QTEST_GUILESS_MAIN(TestSerialDevices)
#include "tst_serial_devices.moc"
