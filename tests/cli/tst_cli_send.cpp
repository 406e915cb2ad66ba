#include "sim_process.h"
#include "support_cli_test_base.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

// The built tessaly-cli's send command against the running simulator, over
// pseudo-terminals.
class TestCliSend : public TCliTestBase {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyTextType_data();
    void everyTextType();
    void jsonMatchesText_data();
    void jsonMatchesText();
    void repeatAutoIncrements();
    void elapsedWithinTheRun_data();
    void elapsedWithinTheRun();
    void failures_data();
    void failures();
    void auxiliaryCommand();
    void deviceGoneEndsAtOnce_data();
    void deviceGoneEndsAtOnce();
    void badInputSendsNothing();
    void warnings();
    void portFromSettings();
    void portThatCannotOpen();
    void logFileLines();
    void logFileTimeStamps();
    void terminationCancels();

private:
    QString m_types;
};

namespace {

// Every text type and control type, in a file of the compatible protocol;
// each value converts to printable bytes, which both protocols carry.
const QByteArray TypesFile =
    "[General]\r\nProtocol=0\r\nInputDateFormat=0\r\nOutputDateFormat=0\r\n\r\n"
    "[FiscalAnswer]\r\nRecord1=1,1,0000,0000,\"Fiscal OK\",clGreen\r\n"
    "[PrinterAnswer]\r\nRecord1=1,2,0000,0000,\"Printer OK\",$00FF8000\r\n"
    "[Groups]\r\nTypes=\r\n[Types]\r\nAll=\r\nFiscal=\r\n"
    "[TypesAll]\r\n"
    "Commands=0,\"Code\",\"\",0,\"A1\",0,0,0,0,0,0,0,"
    "0,\"Alpha\",\"\",1,\"Abc\",0,0,0,0,0,0,0,"
    "0,\"Currency\",\"\",2,\"12,5\",0,0,0,0,8,2,0,"
    "0,\"Numeric\",\"\",3,\"42\",0,0,0,0,0,0,0,"
    "0,\"Decimal\",\"\",4,\"65\",0,0,0,0,2,0,0,"
    "0,\"Hexa\",\"\",5,\"4243\",0,0,0,0,0,0,0,"
    "0,\"Binary\",\"\",6,\"01000100\",0,0,0,0,2,0,0,"
    "0,\"Boolean\",\"\",7,\"y\",0,0,0,0,0,0,0,"
    "0,\"Date\",\"\",8,\"\",3,0,0,0,0,0,0,"
    "0,\"Time\",\"\",9,\"\",4,0,0,0,0,0,0,"
    "0,\"List\",\"\",0,\"\",2,0,0,0,0,0,0\r\n"
    "Answers=\"Code\",0,0,\"Alpha\",1,0,\"Currency\",2,2,\"Numeric\",3,0,\"Decimal\",4,0,"
    "\"Hexa\",5,0,\"Binary\",6,0,\"Boolean\",7,0,\"Date\",8,0,\"Time\",9,0,\"List\",0,0\r\n"
    "CL11=\"X1,X2\"\r\n"
    "[TypesFiscal]\r\nCommands=1,\"Request\",\"\",0,\"D\",0,0,0,0,0,0,0,1,\"More\",\"\",0,\"1\",0,0,0,0,0,0,0\r\n";

// The fields of a host command frame: STX, sequence number, fields
// separated by FS (control bytes escaped with ESC), ETX, checksum.
QList<QByteArray> CommandFields(const QByteArray &frame)
{
    QList<QByteArray> fields;
    QByteArray field;
    for (qsizetype i = 2; i < frame.size() && frame.at(i) != 0x03; ++i) {
        if (frame.at(i) == 0x1B && i + 1 < frame.size())
            field += frame.at(++i);
        else if (frame.at(i) == 0x1C)
            fields.append(std::exchange(field, QByteArray()));
        else
            field += frame.at(i);
    }
    fields.append(field);
    return fields;
}

QList<QByteArray> OutFrames(const QJsonObject &json)
{
    QList<QByteArray> frames;
    for (const QJsonValue &frame : json.value("frames").toArray()) {
        const QJsonObject f = frame.toObject();
        if (f.value("dir").toString() == "out" && f.value("hex").toString().startsWith("02 "))
            frames.append(QByteArray::fromHex(f.value("hex").toString().toLatin1()));
    }
    return frames;
}

// The lines of a text output that say how long the commands took, which
// differ from one run to the next.
bool IsTimeLine(const QString &line)
{
    static const QRegularExpression time(QStringLiteral("^(Answered in [0-9.,]+ ms|Steps answered: .* ms)$"));
    return time.match(line).hasMatch();
}

QStringList Untimed(QStringList lines)
{
    lines.removeIf(IsTimeLine);
    return lines;
}

// The text output the JSON object stands for, but for its time lines.
QStringList TextOf(const QJsonObject &json)
{
    QStringList lines{QStringLiteral("Outcome: %1 (%2 sent)")
                          .arg(json.value("outcome").toString())
                          .arg(json.value("sent").toInt())};
    const auto panels = [&lines](const QJsonArray &array) {
        for (const QJsonValue &v : array)
            lines << QStringLiteral("  panel %1: %2 (%3)")
                         .arg(v.toObject().value("panel").toInt())
                         .arg(v.toObject().value("text").toString(), v.toObject().value("color").toString());
    };
    if (!json.value("printerStatus").isNull()) {
        lines << "Fiscal status: " + json.value("fiscalStatus").toString();
        panels(json.value("fiscalPanels").toArray());
        lines << "Printer status: " + json.value("printerStatus").toString();
        panels(json.value("printerPanels").toArray());
        lines << QStringLiteral("Return code: %1 %2")
                     .arg(json.value("returnCode").toInt())
                     .arg(json.value("returnCodeText").toString())
                     .trimmed();
        for (const QJsonValue &row : json.value("rows").toArray())
            lines << row.toObject().value("label").toString() + ": " + row.toObject().value("text").toString();
    }
    for (const QJsonValue &answer : json.value("fiscalAnswers").toArray())
        lines << "Fiscal answer: " + answer.toString();
    return lines;
}
}

void TestCliSend::initTestCase()
{
    QVERIFY(PrepareDirectory());
    m_types = WriteFile("types.tsy", TypesFile);
}

void TestCliSend::everyTextType_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::newRow("compatible") << QStringLiteral("compatible");
    QTest::newRow("extended") << QStringLiteral("extended");
}

void TestCliSend::everyTextType()
{
    QFETCH(QString, protocol);
    TSimProcess sim;
    QVERIFY2(sim.Start({"--protocol", protocol}), qPrintable(sim.Error()));
    const TRun run = Cli({"send", m_types, "Types/All", "--port", sim.HostPath(), "--protocol", protocol,
                          "--date", "9=2026-03-05", "--time", "10=14:30:25", "--set", "11=X2",
                          "--set", "6=4a4b", "--json"});
    QVERIFY2(run.exit == 0, qPrintable(run.err + run.out));
    const QJsonObject json = run.Json();
    QCOMPARE(json.value("outcome").toString(), QStringLiteral("answer"));
    const QList<QByteArray> frames = OutFrames(json);
    QCOMPARE(frames.size(), 1);
    // Hexa letters are upper-cased as the typed box does.
    const QList<QByteArray> expected{"A1",   "Abc", "00001250", "42",     "A",  "JK",
                                     "D",    "y",   "050326",   "143025", "X2"};
    QCOMPARE(CommandFields(frames.first()), expected);
    if (protocol == "extended") {
        // The simulator echoes the fields; the answer definitions convert them back.
        QStringList rows;
        for (const QJsonValue &row : json.value("rows").toArray())
            rows << row.toObject().value("label").toString() + "=" + row.toObject().value("text").toString();
        QCOMPARE(rows.mid(1), QStringList({"Code=A1", "Alpha=Abc", "Currency=000012.50", "Numeric=42",
                                           "Decimal=65", "Hexa=4A4B", "Binary=01000100", "Boolean=y",
                                           "Date=05/03/26", "Time=14:30:25", "List=X2"}));
    }
    QCOMPARE(sim.Stop(), 0);
}

void TestCliSend::jsonMatchesText_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("simulator");
    const QString profile = QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo-profile.ini");
    QTest::newRow("status query") << QStringList{Demo(), "Status/Status query"} << QStringList{"--profile", profile};
    QTest::newRow("sell item") << QStringList{Demo(), "Receipt/Sell item", "--set", "4=3.5", "--set", "5=10,50"}
                               << QStringList{"--profile", profile};
    // Fixed date and time: the two runs must send the same fields.
    QTest::newRow("compatible") << QStringList{m_types, "Types/All", "--protocol", "compatible",
                                               "--date", "9=2026-01-02", "--time", "10=12:34:56"}
                                << QStringList{"--protocol", "compatible"};
    QTest::newRow("fiscal") << QStringList{m_types, "Types/Fiscal"} << QStringList{"--fiscal-frames", "3"};
    QTest::newRow("timeout") << QStringList{Demo(), "Status/Status query"} << QStringList{"--fault", "silence"};
}

void TestCliSend::jsonMatchesText()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, simulator);
    TSimProcess sim;
    QVERIFY2(sim.Start(simulator), qPrintable(sim.Error()));
    const QStringList ports{"--port", sim.HostPath(), "--fiscal-port", sim.FiscalPath(), "--timeout", "3000"};
    const TRun text = Cli(QStringList{"send"} + arguments + ports);
    const TRun json = Cli(QStringList{"send"} + arguments + ports + QStringList{"--json"});
    QCOMPARE(json.exit, text.exit);
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(json.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(object.value("command").toString(), arguments.at(1));
    QCOMPARE(TextOf(object), Untimed(Lines(text.out)));
    // An answered command says how long it took; one that was not, nothing.
    const bool answered = !object.value("elapsedMs").isNull();
    QCOMPARE(Lines(text.out).filter(QRegularExpression("^Answered in [0-9.,]+ ms$")).size(), answered ? 1 : 0);
    QCOMPARE(object.value("steps").toArray().size(), answered ? 1 : 0);
    QVERIFY(!object.value("frames").toArray().isEmpty());
    QCOMPARE(sim.Stop(), 0);
}

void TestCliSend::repeatAutoIncrements()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({"--profile", QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo-profile.ini")}),
             qPrintable(sim.Error()));
    const TRun run = Cli({"send", Demo(), "Receipt/Sell item", "--port", sim.HostPath(), "--set", "2=Pen",
                          "--set", "4=1,99", "--repeat", "12", "--json"});
    QVERIFY2(run.exit == 0, qPrintable(run.err));
    const QJsonObject json = run.Json();
    QCOMPARE(json.value("outcome").toString(), QStringLiteral("answer"));
    QCOMPARE(json.value("sent").toInt(), 12);
    const QList<QByteArray> frames = OutFrames(json);
    QCOMPARE(frames.size(), 12);
    for (int step = 1; step <= 12; ++step)
        QCOMPARE(CommandFields(frames.at(step - 1)).at(1), "Pen" + QByteArray::number(step).rightJustified(3, '0'));
    // Only the last answer is printed: one set of rows.
    QCOMPARE(json.value("rows").toArray().size(), 4);
    QCOMPARE(sim.Stop(), 0);
}

void TestCliSend::elapsedWithinTheRun_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("steps");
    const QString profile = QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo-profile.ini");
    QTest::newRow("send") << QStringList{Demo(), "Status/Status query"} << 1;
    QTest::newRow("repeat") << QStringList{Demo(), "Receipt/Sell item", "--set", "4=1,99", "--repeat", "5"} << 5;
    QTest::newRow("fiscal ACK") << QStringList{Demo(), "Fiscal port/Alive check"} << 1;
    QTest::newRow("fiscal answer") << QStringList{m_types, "Types/Fiscal"} << 1;
}

void TestCliSend::elapsedWithinTheRun()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, steps);
    TSimProcess sim;
    QVERIFY2(sim.Start({"--profile", QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo-profile.ini")}),
             qPrintable(sim.Error()));
    QElapsedTimer clock;
    clock.start();
    const TRun run = Cli(QStringList{"send"} + arguments
                         + QStringList{"--port", sim.HostPath(), "--fiscal-port", sim.FiscalPath(), "--json"});
    const double measuredMs = clock.nsecsElapsed() / 1e6;
    QVERIFY2(run.exit == 0, qPrintable(run.err));
    const QJsonObject json = run.Json();
    // Every command's time lies within the run, and together they do too.
    const QJsonArray stepTimes = json.value("steps").toArray();
    QCOMPARE(stepTimes.size(), steps);
    double total = 0;
    for (int i = 0; i < steps; ++i) {
        const QJsonObject step = stepTimes.at(i).toObject();
        QCOMPARE(step.value("step").toInt(), i + 1);
        const double ms = step.value("elapsedMs").toDouble();
        QVERIFY2(ms > 0 && ms <= measuredMs, qPrintable(QStringLiteral("%1 ms of %2 ms").arg(ms).arg(measuredMs)));
        total += ms;
    }
    QVERIFY(total <= measuredMs);
    // The command's own time is the last step's.
    QCOMPARE(json.value("elapsedMs").toDouble(), stepTimes.last().toObject().value("elapsedMs").toDouble());
    if (steps > 1) {
        // The text sums the steps up.
        const TRun text = Cli(QStringList{"send"} + arguments + QStringList{"--port", sim.HostPath()});
        const QRegularExpression summary(QStringLiteral("^Steps answered: %1; fastest [0-9.,]+ ms, mean [0-9.,]+ ms, "
                                                        "slowest [0-9.,]+ ms$").arg(steps));
        QCOMPARE(Lines(text.out).filter(summary).size(), 1);
    }
    QCOMPARE(sim.Stop(), 0);
}

void TestCliSend::failures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("logLine");
    QTest::newRow("time-out") << "silence" << "timeout" << 2 << "no answer in time"
                              << QByteArray("ERROR -> Host port: no answer in time (time-out)");
    QTest::newRow("NAK") << "nak" << "nak" << 3 << "the printer rejected the command (NAK)"
                         << QByteArray("ERROR -> Host port: the printer refused the frame (NAK)");
    QTest::newRow("recovered checksum") << "bad-checksum" << "answer" << 0 << "" << QByteArray();
    QTest::newRow("intermediate answers") << "dc2=2,50" << "answer" << 0 << "" << QByteArray();
}

void TestCliSend::failures()
{
    QFETCH(QString, fault);
    QFETCH(QString, outcome);
    QFETCH(int, exit);
    QFETCH(QString, message);
    QFETCH(QByteArray, logLine);
    TSimProcess sim;
    QVERIFY2(sim.Start({"--fault", fault}), qPrintable(sim.Error()));
    const QString log = m_dir.filePath(QStringLiteral("failure-%1.log").arg(QTest::currentDataTag()));
    const TRun run = Cli({"send", Demo(), "Status/Status query", "--port", sim.HostPath(), "--json", "--log", log});
    QCOMPARE(run.exit, exit);
    QCOMPARE(run.Json().value("outcome").toString(), outcome);
    QCOMPARE(run.Json().value("sent").toInt(), 1);
    if (message.isEmpty())
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    else
        QCOMPARE(run.err, "tessaly-cli: Status/Status query: " + message + "\n");
    if (exit != 0) {
        QVERIFY(run.Json().value("printerStatus").isNull());
        QVERIFY(run.Json().value("elapsedMs").isNull());
        QVERIFY(run.Json().value("steps").toArray().isEmpty());
    } else {
        QVERIFY(run.Json().value("elapsedMs").toDouble() > 0);
    }
    // A failed exchange leaves its line in the log, as in the window's log.
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QCOMPARE(content.count("ERROR -> "), logLine.isEmpty() ? 0 : 1);
    if (!logLine.isEmpty())
        QVERIFY2(content.endsWith(logLine + "\r\nClose port\r\n"), content.constData());
    QCOMPARE(sim.Stop(), 0);
}

void TestCliSend::auxiliaryCommand()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({"--fiscal-frames", "3"}), qPrintable(sim.Error()));
    // The alive check: ENQ answered by ACK.
    const TRun alive = Cli({"send", Demo(), "Fiscal port/Alive check", "--fiscal-port", sim.FiscalPath(), "--json"});
    QCOMPARE(alive.exit, 0);
    QCOMPARE(alive.Json().value("outcome").toString(), QStringLiteral("ack"));
    QCOMPARE(alive.Json().value("port").toString(), QStringLiteral("fiscal"));
    QCOMPARE(alive.Json().value("frames").toArray().at(0).toObject(),
             QJsonObject({{"dir", "out"}, {"port", "fiscal"}, {"hex", "05 "}}));

    // The fields are joined into one request; every answer frame is kept in order.
    const TRun request = Cli({"send", m_types, "Types/Fiscal", "--fiscal-port", sim.FiscalPath(), "--set", "2=23"});
    QCOMPARE(request.exit, 0);
    const QStringList lines = Lines(request.out);
    QCOMPARE(lines.size(), 5);
    QVERIFY2(IsTimeLine(lines.at(1)), qPrintable(lines.at(1)));
    QCOMPARE(Untimed(lines), QStringList({"Outcome: answer (1 sent)", "Fiscal answer: 1000 part 1",
                                          "Fiscal answer: 1000 part 2", "Fiscal answer: 0000D23"}));
    // The host port was never opened: the trace names the fiscal port only.
    QVERIFY(!sim.Trace().contains("host   <-"));
    QCOMPARE(sim.Stop(), 0);

    // A silent fiscal port ends the command after --timeout.
    TSimProcess silent;
    QVERIFY2(silent.Start({"--fiscal-fault", "silence"}), qPrintable(silent.Error()));
    const TRun timeOut = Cli({"send", m_types, "Types/Fiscal", "--fiscal-port", silent.FiscalPath(),
                              "--timeout", "300", "--json"});
    QCOMPARE(timeOut.exit, 2);
    QCOMPARE(timeOut.Json().value("outcome").toString(), QStringLiteral("timeout"));
    QCOMPARE(silent.Stop(), 0);
}

void TestCliSend::deviceGoneEndsAtOnce_data()
{
    QTest::addColumn<bool>("fiscal");
    QTest::newRow("host") << false;
    QTest::newRow("fiscal") << true;
}

void TestCliSend::deviceGoneEndsAtOnce()
{
    // The device goes during the first command; the fiscal port has no
    // time-out at all, so only the loss can end it.
    QFETCH(bool, fiscal);
    TSimProcess sim;
    QVERIFY2(sim.Start({fiscal ? "--fiscal-fault" : "--fault", "unplug=60000@1"}), qPrintable(sim.Error()));
    const QString path = fiscal ? sim.FiscalPath() : sim.HostPath();
    const QString command = fiscal ? "Fiscal port/Alive check" : "Status/Status query";
    const QString log = m_dir.filePath(QStringLiteral("gone-%1.log").arg(QTest::currentDataTag()));
    const TRun run = Cli({"send", Demo(), command, fiscal ? "--fiscal-port" : "--port", path, "--timeout", "0",
                          "--json", "--log", log});
    QCOMPARE(run.exit, 2);
    QCOMPARE(run.Json().value("sent").toInt(), 1);
    QVERIFY2(run.err.startsWith("tessaly-cli: " + command + ": the device " + path + " went away ("),
             qPrintable(run.err));
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    const QByteArray failure = fiscal ? "ERROR -> Fiscal port: the port has gone away (" : "ERROR -> Host port: the port has gone away (";
    QVERIFY2(content.contains(failure), content.constData());
    QVERIFY2(content.contains("\r\nClose port\r\nDevice gone: " + path.toUtf8() + "\r\n"), content.constData());
    QCOMPARE(sim.Stop(), 0);
}

void TestCliSend::badInputSendsNothing()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({}), qPrintable(sim.Error()));
    // A hex literal the box accepts but that does not expand: the runner's bad input.
    const QString file = WriteFile("literal.tsy",
                                   "[General]\nProtocol=1\n[Groups]\nG=\n[G]\nC=\n"
                                   "[GC]\nCommands=0,\"Code\",\"\",0,\"01\",0,0,0,0,0,0,0,0,\"Text\",\"\",0,\"\",0,0,0,0,0,0,0\n");
    const TRun run = Cli({"send", file, "G/C", "--port", sim.HostPath(), "--set", "2=x'4G'", "--json"});
    QCOMPARE(run.exit, 4);
    QCOMPARE(run.Json().value("outcome").toString(), QStringLiteral("bad-input"));
    QCOMPARE(run.Json().value("field").toInt(), 2);
    QCOMPARE(run.Json().value("sent").toInt(), 0);
    QCOMPARE(run.err, QStringLiteral("tessaly-cli: Bad user data input in control: field 2 (Text)\n"));
    QVERIFY(!sim.Trace().contains("host   <-"));
    QCOMPARE(sim.Stop(), 0);
}

// What the window shows in its status bar or answer page goes to standard
// error as a warning; the command still runs.
void TestCliSend::warnings()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({}), qPrintable(sim.Error()));
    // A command longer than the panel goes out cut, as from the window.
    QByteArray fields = "0,\"Code\",\"\",0,\"01\",0,0,0,0,0,0,0";
    for (int i = 1; i < 71; ++i)
        fields += ",0,\"F\",\"\",0,\"f\",0,0,0,0,0,0,0";
    const QString wide = WriteFile("wide.tsy", "[General]\nProtocol=1\n[Groups]\nG=\n[G]\nC=\n[GC]\nCommands=" + fields + "\n");
    const TRun cut = Cli({"send", wide, "G/C", "--port", sim.HostPath(), "--json"});
    QCOMPARE(cut.exit, 0);
    QCOMPARE(cut.err, QStringLiteral("tessaly-cli: warning: G/C holds 71 command fields; like the window, only the first 70 are sent\n"));
    QCOMPARE(CommandFields(OutFrames(cut.Json()).first()).size(), 70);

    // Answer definitions read in part: the rows past them are unnamed.
    const QString answers = WriteFile("answers.tsy", "[General]\nProtocol=1\n[Groups]\nG=\n[G]\nC=\n[GC]\n"
                                                     "Commands=0,\"A\",\"\",0,\"x\",0,0,0,0,0,0,0\n"
                                                     "Answers=\"One\",0,0,\"Two\",z,0\n");
    const TRun partly = Cli({"send", answers, "G/C", "--port", sim.HostPath(), "--set", "1=abc"});
    QCOMPARE(partly.exit, 0);
    QCOMPARE(partly.err, QStringLiteral("tessaly-cli: warning: G/C: Answers: 'z' is not a valid integer value\n"));
    QVERIFY(partly.out.endsWith("\nOne: abc\n"));
    QCOMPARE(sim.Stop(), 0);
}

void TestCliSend::portFromSettings()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({}), qPrintable(sim.Error()));
    const QString store = m_dir.filePath("config/tessaly.conf");
    QFile file(store);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[General]\nHPort=" + sim.HostPath().toUtf8() + "\nHBaud=4\n");
    file.close();
    const TRun run = Cli({"send", Demo(), "Status/Status query", "--log", m_dir.filePath("settings.log")});
    QFile::remove(store);
    QVERIFY2(run.exit == 0, qPrintable(run.err));
    QFile log(m_dir.filePath("settings.log"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("Open " + sim.HostPath().toUtf8() + " 19200,N,8,1\r\n"));
    QCOMPARE(sim.Stop(), 0);
}

void TestCliSend::portThatCannotOpen()
{
    const TRun run = Cli({"send", Demo(), "Status/Status query", "--port", "/nonexistent/tty", "--json"});
    QCOMPARE(run.exit, 1);
    QCOMPARE(run.Json().value("outcome").toString(), QStringLiteral("port-error"));
    QVERIFY2(run.err.startsWith("tessaly-cli: cannot open the host port /nonexistent/tty: "), qPrintable(run.err));
    QCOMPARE(run.err.count('\n'), 1);
}

void TestCliSend::logFileLines()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({"--profile", QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo-profile.ini")}),
             qPrintable(sim.Error()));
    const QString log = m_dir.filePath("demo.log");
    QCOMPARE(Cli({"send", Demo(), "Status/Status query", "--port", sim.HostPath(), "--log", log}).exit, 0);
    QCOMPARE(Cli({"send", Demo(), "Fiscal port/Alive check", "--fiscal-port", sim.FiscalPath(), "--log", log}).exit, 0);
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.endsWith("\r\n"));
    QCOMPARE(content.count("\r\n"), content.count('\n'));
    const QList<QByteArray> lines = content.split('\n');
    QCOMPARE(lines.at(0), "Quvero S.A.\r");
    QCOMPARE(lines.at(1), "tessaly-cli\r");
    // One empty line and a time stamp per run.
    QCOMPARE(lines.at(2), "\r");
    QCOMPARE(content.count("\r\n\r\n"), 2);
    const QByteArray host = sim.HostPath().toUtf8();
    const QByteArray fiscal = sim.FiscalPath().toUtf8();
    // The time a command took follows its last frame line.
    static const QRegularExpression time("^TIME --> [0-9]+(\\.[0-9])? ms$");
    QList<QByteArray> body;
    for (const QByteArray &line : lines.mid(4)) {
        const QByteArray text = line.chopped(line.endsWith('\r') ? 1 : 0);
        body << (time.match(QString::fromLatin1(text)).hasMatch() ? QByteArray("TIME") : text.left(12));
    }
    QCOMPARE(body.mid(0, 7), QList<QByteArray>({QByteArray("Open " + host).left(12), "HOST --> 02 ", "FP   --> ACK",
                                                "FP   --> 02 ", "HOST --> 06 ", "TIME", "Close port"}));
    QCOMPARE(body.count("TIME"), 2);
    QVERIFY(content.contains("\r\nOpen " + fiscal + " 9600,N,8,1\r\nFISCAL-> 05 \r\nFP   --> ACK\r\nTIME --> "));
    // The tool reads the user's settings but never creates them.
    QVERIFY(QDir(m_dir.filePath("config")).isEmpty());
}

void TestCliSend::logFileTimeStamps()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({}), qPrintable(sim.Error()));
    const QString store = m_dir.filePath("config/tessaly.conf");
    QFile settings(store);
    QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
    settings.write("[General]\nLogFileTimeStamps=1\n");
    settings.close();
    const QString log = m_dir.filePath("stamped.log");
    const QTime before = QTime::currentTime();
    const TRun run = Cli({"send", Demo(), "Status/Status query", "--port", sim.HostPath(), "--log", log});
    const QTime after = QTime::currentTime();
    QFile::remove(store);
    QVERIFY2(run.exit == 0, qPrintable(run.err));
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    // The header and the session line stay as they are; every event line
    // starts with the time of its event, in order, within the run.
    QVERIFY(content.endsWith("\r\n"));
    const QList<QByteArray> lines = content.chopped(2).split('\n').mid(4);
    QVERIFY(lines.size() >= 6);
    QTime previous = before.addMSecs(-before.msec());
    for (const QByteArray &line : lines) {
        const QTime stamp = QTime::fromString(QString::fromLatin1(line.left(12)), QStringLiteral("HH:mm:ss.zzz"));
        QVERIFY2(stamp.isValid() && line.at(12) == ' ', line.constData());
        QVERIFY2(stamp >= previous && stamp <= after, line.constData());
        previous = stamp;
    }
    QVERIFY(lines.at(0).mid(13).startsWith("Open " + sim.HostPath().toUtf8()));
    QVERIFY(lines.at(1).mid(13).startsWith("HOST --> 02 "));
    QCOMPARE(lines.constLast().mid(13), QByteArray("Close port"));
    QCOMPARE(sim.Stop(), 0);
}

void TestCliSend::terminationCancels()
{
    TSimProcess sim;
    QVERIFY2(sim.Start({"--fiscal-fault", "silence"}), qPrintable(sim.Error()));
    const QString log = m_dir.filePath("cancel.log");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
    process.setProcessEnvironment(environment);
    // Without a time-out only a Cancel ends the command.
    process.start(QStringLiteral(TESSALY_CLI), {"send", Demo(), "Fiscal port/Alive check", "--fiscal-port",
                                                sim.FiscalPath(), "--timeout", "0", "--log", log, "--json"});
    const auto logged = [&log] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QTRY_VERIFY_WITH_TIMEOUT(logged().contains("FISCAL-> 05 \r\n"), 10000);
    process.terminate();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(QJsonDocument::fromJson(process.readAllStandardOutput()).object().value("outcome").toString(),
             QStringLiteral("cancelled"));
    QCOMPARE(process.readAllStandardError(), "tessaly-cli: Fiscal port/Alive check: cancelled\n");
    QVERIFY(logged().endsWith("FISCAL-> 05 \r\nERROR -> Fiscal port: cancelled by the user\r\nClose port\r\n"));
    QCOMPARE(sim.Stop(), 0);
}

QTEST_GUILESS_MAIN(TestCliSend)
#include "tst_cli_send.moc"
