#include "comm/scripted_serial_line.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>
#include <thread>

// The scripted line is what every port test stands on: its chunks, delays
// and faults must behave as documented.
class TestScriptedSerialLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void chunksArriveInOrderAndWhole();
    void delaysChain();
    void clearKeepsWhatIsStillToCome();
    void responderSeesEveryWrite();
    void faults_data();
    void faults();
    void abortWakesAndSticks();

private:
    std::unique_ptr<TScriptedSerialLine> fresh;
    TSerialLine::TLineSettings settings;
};

void TestScriptedSerialLine::init()
{
    fresh = std::make_unique<TScriptedSerialLine>();
    settings.Name = QStringLiteral("scripted");
}

void TestScriptedSerialLine::chunksArriveInOrderAndWhole()
{
    TScriptedSerialLine &line = *fresh;
    QVERIFY(line.open(settings));
    line.deliver("abc");
    line.deliver("de");
    QByteArray data;
    QVERIFY(line.read(data, 2, 100));
    QCOMPARE(data, QByteArray("ab"));
    QVERIFY(line.read(data, 100, 100));
    QCOMPARE(data, QByteArray("c"));
    QVERIFY(line.read(data, 100, 100));
    QCOMPARE(data, QByteArray("de"));
    QVERIFY(!line.read(data, 100, 20));
    QCOMPARE(line.error(), TSerialLine::TimeoutError);
    QVERIFY(!line.read(data, 0, 20));
    QCOMPARE(line.error(), TSerialLine::ReadError);
}

void TestScriptedSerialLine::delaysChain()
{
    TScriptedSerialLine &line = *fresh;
    QVERIFY(line.open(settings));
    QElapsedTimer clock;
    clock.start();
    line.deliver("1", 100);
    line.deliver("2", 100);
    QByteArray data;
    // Not there yet after 50 ms; each chunk waits for its own delay.
    QVERIFY(!line.read(data, 10, 50));
    QVERIFY(line.read(data, 10, 1000));
    QCOMPARE(data, QByteArray("1"));
    QVERIFY(line.read(data, 10, 1000));
    QCOMPARE(data, QByteArray("2"));
    QVERIFY(clock.elapsed() >= 200);
}

void TestScriptedSerialLine::clearKeepsWhatIsStillToCome()
{
    TScriptedSerialLine &line = *fresh;
    QVERIFY(line.open(settings));
    line.deliver("arrived");
    line.deliver("later", 100);
    line.clear();
    QCOMPARE(line.pendingChunks(), 1);
    QByteArray data;
    QVERIFY(line.read(data, 10, 1000));
    QCOMPARE(data, QByteArray("later"));
    QCOMPARE(line.clearCount(), 1);
}

void TestScriptedSerialLine::responderSeesEveryWrite()
{
    TScriptedSerialLine &line = *fresh;
    QVERIFY(line.open(settings));
    line.setResponder([](TScriptedSerialLine &far, const QByteArray &written) {
        far.deliver("re:" + written);
    });
    QVERIFY(line.write("one", 100));
    QVERIFY(line.write("two", 100));
    QCOMPARE(line.writes(), QList<QByteArray>({"one", "two"}));
    QCOMPARE(line.written(), QByteArray("onetwo"));
    QVERIFY(line.waitForWrites(2, 0));
    QVERIFY(!line.waitForWrites(3, 20));
    QByteArray data;
    QVERIFY(line.read(data, 10, 100));
    QCOMPARE(data, QByteArray("re:one"));
}

void TestScriptedSerialLine::faults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("writes");
    QTest::addColumn<bool>("reads");
    QTest::newRow("none") << "none" << true << true << true;
    QTest::newRow("open fails") << "open" << false << false << false;
    QTest::newRow("write fails") << "write" << true << false << true;
    QTest::newRow("hung up") << "hangup" << true << false << false;
}

void TestScriptedSerialLine::faults()
{
    TScriptedSerialLine &line = *fresh;
    QFETCH(QString, fault);
    QFETCH(bool, opens);
    QFETCH(bool, writes);
    QFETCH(bool, reads);
    if (fault == "open")
        line.setOpenError(TSerialLine::OpenError);
    QCOMPARE(line.open(settings), opens);
    if (fault == "write")
        line.setWriteFailing(true);
    line.deliver("x");
    if (fault == "hangup")
        line.hangUp();
    QCOMPARE(line.write("y", 100), writes);
    QByteArray data;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(line.read(data, 10, 5000), reads);
    QVERIFY(clock.elapsed() < 5000);
}

void TestScriptedSerialLine::abortWakesAndSticks()
{
    TScriptedSerialLine &line = *fresh;
    QVERIFY(line.open(settings));
    std::thread aborter([&line] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        line.abort();
    });
    QByteArray data;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!line.read(data, 10, 30000));
    aborter.join();
    QCOMPARE(line.error(), TSerialLine::AbortedError);
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(!line.write("x", 100));
    line.resetAbort();
    QVERIFY(line.write("x", 100));
}

QTEST_GUILESS_MAIN(TestScriptedSerialLine)
#include "tst_scripted_serial_line.moc"
