#include "execution/capture_reader.h"
#include "sim_process.h"
#include "support_cli_test_base.h"

#include <QFile>
#include <QJsonArray>
#include <QtTest>

namespace {

const QByteArray DumpFile = "[General]\r\nProtocol=1\r\n\r\n"
                            "[Groups]\r\nFiscal=\r\n[Fiscal]\r\nDump=\r\n"
                            "[FiscalDump]\r\nCommands=1,\"Request\",\"\",0,\"D\",0,0,0,0,0,0,0\r\nAnswers=\r\n";

// What a run printed, without the frames and the times: sequence numbers
// and the printer's speed differ from one run to the next.
QJsonObject Answers(QJsonObject json)
{
    json.remove(QStringLiteral("frames"));
    json.remove(QStringLiteral("elapsedMs"));
    json.remove(QStringLiteral("steps"));
    return json;
}

} // namespace

// A session recorded with send --capture against the simulator and its
// sample profile, then played again by the simulator from the capture.
class TestCliCapture : public TCliTestBase
{
    Q_OBJECT

private slots:
    void initTestCase();
    void replayAnswersAsRecorded();
    void planRunReplayed();
    void captureThatCannotBeWritten_data();
    void captureThatCannotBeWritten();
    void replayRefusesBadCapture();

private:
    QList<QStringList> Session() const;
    QString m_dump;
};

void TestCliCapture::initTestCase()
{
    QVERIFY(PrepareDirectory());
    m_dump = WriteFile("dump.tsy", DumpFile);
}

QList<QStringList> TestCliCapture::Session() const
{
    return {
        {Demo(), "Status/Status query"},
        {Demo(), "Receipt/Open receipt"},
        {Demo(), "Receipt/Sell item", "--set", "2=Coffee", "--set", "4=1,50"},
        {Demo(), "Receipt/Sell item", "--set", "2=Coffee", "--set", "4=1,50"},
        {Demo(), "Status/Read date time"},
        {Demo(), "Fiscal port/Alive check"},
        {m_dump, "Fiscal/Dump"},
    };
}

void TestCliCapture::replayAnswersAsRecorded()
{
    const QString capture = m_dir.filePath("session.tcap");
    QList<QJsonObject> recorded;
    {
        TSimProcess sim;
        QVERIFY2(sim.Start({"--profile", QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo-profile.ini")}),
                 qPrintable(sim.Error()));
        for (const QStringList &command : Session()) {
            const TRun run = Cli(QStringList{"send"} + command
                                 + QStringList{"--port", sim.HostPath(), "--fiscal-port", sim.FiscalPath(),
                                               "--timeout", "3000", "--capture", capture, "--json"});
            QVERIFY2(run.exit == 0, qPrintable(command.join(' ') + ": " + run.err));
            recorded << Answers(run.Json());
        }
        QCOMPARE(sim.Stop(), 0);
    }
    // One capture, every run appended to it: 4 exchanges of 4 records on
    // the host port, ENQ and ACK, the three dump frames each acknowledged.
    TCaptureReader reader;
    QVERIFY2(reader.Read(capture), qPrintable(reader.ErrorString()));
    QCOMPARE(reader.Records().size(), 5 * 4 + 2 + 1 + 3 * 2);
    QCOMPARE(recorded.at(6).value("fiscalAnswers").toArray().size(), 3);

    TSimProcess replay;
    QVERIFY2(replay.Start({"--replay", capture}), qPrintable(replay.Error()));
    for (int i = 0; i < Session().size(); ++i) {
        const TRun run = Cli(QStringList{"send"} + Session().at(i)
                             + QStringList{"--port", replay.HostPath(), "--fiscal-port", replay.FiscalPath(),
                                           "--timeout", "3000", "--json"});
        QVERIFY2(run.exit == 0, qPrintable(Session().at(i).join(' ') + ": " + run.err));
        QCOMPARE(Answers(run.Json()), recorded.at(i));
    }
    // A command the capture lacks is refused, and the trace says why.
    const TRun unknown = Cli({"send", Demo(), "Reports/X report", "--port", replay.HostPath(), "--json"});
    QCOMPARE(unknown.exit, 3);
    QCOMPARE(unknown.Json().value("outcome").toString(), QStringLiteral("nak"));
    QCOMPARE(replay.Stop(), 0);
    QVERIFY2(replay.Trace().contains("command 6: not in the capture, NAK"), qPrintable(replay.Trace()));
}

namespace {

// A plan's results without the times, which are the printer's and the
// machine's of the moment.
QJsonObject Results(QJsonObject json)
{
    json.remove(QStringLiteral("elapsedMs"));
    QJsonArray steps = json.value(QStringLiteral("steps")).toArray();
    for (QJsonValueRef step : steps) {
        QJsonObject object = step.toObject();
        object.remove(QStringLiteral("elapsedMs"));
        step = object;
    }
    json.insert(QStringLiteral("steps"), steps);
    return json;
}

} // namespace

// Plans run against the simulator and recorded into one capture give the
// same results, failures included, when run against the capture's replay.
void TestCliCapture::planRunReplayed()
{
    const QString capture = m_dir.filePath("plans.tcap");
    const QStringList plans{QStringLiteral(TESSALY_SOURCE_DIR "/examples/receipt.plan"),
                            QStringLiteral(TESSALY_SOURCE_DIR "/examples/failing.plan")};
    const QList<int> exits{0, 5};
    QList<QJsonObject> recorded;
    {
        TSimProcess sim;
        QVERIFY2(sim.Start({"--profile", QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo-profile.ini")}),
                 qPrintable(sim.Error()));
        for (int i = 0; i < plans.size(); ++i) {
            const TRun run = Cli({"run", plans.at(i), "--port", sim.HostPath(), "--fiscal-port", sim.FiscalPath(),
                                  "--capture", capture, "--json"});
            QVERIFY2(run.exit == exits.at(i), qPrintable(plans.at(i) + ": " + run.err));
            recorded << Results(run.Json());
        }
        QCOMPARE(sim.Stop(), 0);
    }
    QVERIFY(recorded.at(1).value("failed").toInt() > 0);

    TSimProcess replay;
    QVERIFY2(replay.Start({"--replay", capture}), qPrintable(replay.Error()));
    for (int i = 0; i < plans.size(); ++i) {
        const TRun run = Cli({"run", plans.at(i), "--port", replay.HostPath(), "--fiscal-port", replay.FiscalPath(),
                              "--json"});
        QVERIFY2(run.exit == exits.at(i), qPrintable(plans.at(i) + ": " + run.err));
        QCOMPARE(Results(run.Json()), recorded.at(i));
    }
    QCOMPARE(replay.Stop(), 0);
}

void TestCliCapture::captureThatCannotBeWritten_data()
{
    QTest::addColumn<QString>("capture");
    QTest::addColumn<QString>("error");
    QTest::newRow("no such folder") << QStringLiteral("/no/such/folder/x.tcap")
                                    << QStringLiteral("tessaly-cli: cannot open the capture file /no/such/folder/x.tcap: ");
    QTest::newRow("full disk") << QStringLiteral("/dev/full")
                               << QStringLiteral("tessaly-cli: cannot write the capture file /dev/full: No space left on device");
}

void TestCliCapture::captureThatCannotBeWritten()
{
    QFETCH(QString, capture);
    QFETCH(QString, error);
    TSimProcess sim;
    QVERIFY2(sim.Start({}), qPrintable(sim.Error()));
    const TRun run = Cli({"send", Demo(), "Status/Status query", "--port", sim.HostPath(), "--capture", capture});
    QCOMPARE(run.exit, 1);
    QVERIFY2(run.err.startsWith(error), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(sim.Stop(), 0);
    // Nothing was sent.
    QVERIFY2(!sim.Trace().contains(" <- "), qPrintable(sim.Trace()));
}

void TestCliCapture::replayRefusesBadCapture()
{
    TSimProcess sim;
    const QString broken = WriteFile("broken.tcap", "tessaly-capture 1\n2026-12-08T10:31:07.123Z 0.1 host out 02 zz\n");
    QVERIFY(!sim.Start({"--replay", broken}));
    QVERIFY2(sim.Error().contains(broken + ":2: 'zz' is not a hexadecimal byte"), qPrintable(sim.Error()));
}

QTEST_GUILESS_MAIN(TestCliCapture)
#include "tst_cli_capture.moc"
