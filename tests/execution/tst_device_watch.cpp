#include "execution/device_watch.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The watch on a temporary folder standing for /dev: a device is a file, a
// stable name a link to it. The slow look is put off beyond the test's
// deadlines, so every report comes from the system's notifications.
class TestDeviceWatch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void goneThenBack_data();
    void goneThenBack();
    void forgottenPortIsQuiet();
    void serialNumberOfNoAdapter();

private:
    bool MakeDevice(const QString &name);
    static bool Link(const QString &target, const QString &link);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDeviceWatch::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

bool TestDeviceWatch::MakeDevice(const QString &name)
{
    QFile file(m_dir->filePath(name));
    return file.open(QIODevice::WriteOnly);
}

bool TestDeviceWatch::Link(const QString &target, const QString &link)
{
    QFile::remove(link);
    return QFile::link(target, link);
}

void TestDeviceWatch::goneThenBack_data()
{
    // What is watched, how the device goes and how it comes back.
    QTest::addColumn<bool>("throughLink");
    QTest::addColumn<QString>("leave");
    QTest::addColumn<QString>("comeBack");
    QTest::newRow("path removed, made again") << false << "remove" << "make";
    QTest::newRow("link removed, made again elsewhere") << true << "remove" << "link elsewhere";
    QTest::newRow("device under the link removed, made again") << true << "remove target" << "make";
    QTest::newRow("link re-pointed in one step") << true << "link elsewhere" << "";
}

void TestDeviceWatch::goneThenBack()
{
    QFETCH(bool, throughLink);
    QFETCH(QString, leave);
    QFETCH(QString, comeBack);
    QVERIFY(MakeDevice("pts0"));
    QVERIFY(MakeDevice("pts1"));
    const QString device = m_dir->filePath("pts0");
    const QString link = m_dir->filePath("printer");
    if (throughLink)
        QVERIFY(Link(device, link));
    const QString watched = throughLink ? link : device;

    TDeviceWatch watch;
    watch.SetRetryInterval(3600 * 1000);
    QSignalSpy gone(&watch, &TDeviceWatch::Gone);
    QSignalSpy back(&watch, &TDeviceWatch::Back);
    watch.WatchPresent(cpFiscalPort, watched);
    QVERIFY(!watch.IsGone(cpFiscalPort));

    if (leave == "remove")
        QVERIFY(QFile::remove(watched));
    else if (leave == "remove target")
        QVERIFY(QFile::remove(device));
    else
        QVERIFY(Link(m_dir->filePath("pts1"), link));
    QVERIFY(gone.wait(5000));
    QCOMPARE(gone.first().first().value<TCommandPort>(), cpFiscalPort);
    QVERIFY(back.isEmpty());

    watch.WatchReturn(cpFiscalPort);
    QVERIFY(watch.IsGone(cpFiscalPort));
    if (comeBack == "make")
        QVERIFY(MakeDevice("pts0"));
    else if (comeBack == "link elsewhere")
        QVERIFY(Link(m_dir->filePath("pts1"), link));
    QVERIFY(back.wait(5000));
    QCOMPARE(back.first().at(0).value<TCommandPort>(), cpFiscalPort);
    QCOMPARE(back.first().at(1).toString(), watched);
    // Gone until the port is open on it again.
    QVERIFY(watch.IsGone(cpFiscalPort));
    watch.WatchPresent(cpFiscalPort, watched);
    QVERIFY(!watch.IsGone(cpFiscalPort));
    QCOMPARE(gone.size(), 1);
}

void TestDeviceWatch::forgottenPortIsQuiet()
{
    QVERIFY(MakeDevice("pts0"));
    QVERIFY(MakeDevice("pts1"));
    TDeviceWatch watch;
    watch.SetRetryInterval(3600 * 1000);
    QSignalSpy gone(&watch, &TDeviceWatch::Gone);
    watch.WatchPresent(cpHostPort, m_dir->filePath("pts0"));
    watch.WatchPresent(cpFiscalPort, m_dir->filePath("pts1"));
    watch.Forget(cpHostPort);
    QVERIFY(!watch.IsWatched(cpHostPort));
    // The fiscal port's report is the marker: the host port's removal,
    // before it, goes unreported.
    QVERIFY(QFile::remove(m_dir->filePath("pts0")));
    QVERIFY(QFile::remove(m_dir->filePath("pts1")));
    QVERIFY(gone.wait(5000));
    QCOMPARE(gone.size(), 1);
    QCOMPARE(gone.first().first().value<TCommandPort>(), cpFiscalPort);
}

void TestDeviceWatch::serialNumberOfNoAdapter()
{
    // A pseudo-terminal or a plain file is no USB adapter; nothing matches
    // an empty serial number.
    QVERIFY(MakeDevice("pts0"));
    QVERIFY(TDeviceWatch::SerialNumberOf(m_dir->filePath("pts0")).isEmpty());
    QVERIFY(TDeviceWatch::SerialNumberOf(m_dir->filePath("none")).isEmpty());
    QVERIFY(TDeviceWatch::PathOfSerialNumber(QString()).isEmpty());
}

QTEST_GUILESS_MAIN(TestDeviceWatch)
#include "tst_device_watch.moc"
