#include "sim_process.h"
#include "test_files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The built tessaly-cli against the running simulator, over pseudo-terminals.
// The per-user settings live in a temporary directory.
class TestCliProgram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void helpAndVersion_data();
    void helpAndVersion();
    void usageErrors_data();
    void usageErrors();
    void listDemo();
    void showDemo();
    void checkDemoIsClean();
    void reportsInSpanish_data();
    void reportsInSpanish();
    void spanishShowKeepsFileTexts();
    void brokenFile();
    void everyTextType_data();
    void everyTextType();
    void jsonMatchesText_data();
    void jsonMatchesText();
    void repeatAutoIncrements();
    void failures_data();
    void failures();
    void auxiliaryCommand();
    void badInputSendsNothing();
    void warnings();
    void portFromSettings();
    void portThatCannotOpen();
    void logFileLines();
    void terminationCancels();

private:
    struct TRun {
        int exit = -1;
        QByteArray out;
        QString err;
        QJsonObject Json() const { return QJsonDocument::fromJson(out).object(); }
    };

    TRun Cli(const QStringList &arguments);
    QString Demo() const { return QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy"); }
    QString WriteFile(const QString &name, const QByteArray &content);

    QTemporaryDir m_dir;
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

// The text output the JSON object stands for.
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

QStringList Lines(const QByteArray &text)
{
    QStringList lines = QString::fromUtf8(text).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}

void TestCliProgram::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath("config"));
    m_types = WriteFile("types.tsy", TypesFile);
}

QString TestCliProgram::WriteFile(const QString &name, const QByteArray &content)
{
    const QString path = m_dir.filePath(name);
    TestFiles::Write(path, content);
    return path;
}

TestCliProgram::TRun TestCliProgram::Cli(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TESSALY_CLI), arguments);
    TRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void TestCliProgram::helpAndVersion_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("version") << QStringList{"--version"} << QStringLiteral("tessaly-cli " TESSALY_VERSION);
    QTest::newRow("help") << QStringList{"--help"} << QStringLiteral("Usage: tessaly-cli COMMAND");
    QTest::newRow("list") << QStringList{"list", "--help"} << QStringLiteral("Usage: tessaly-cli list [options] FILE.tsy");
    QTest::newRow("show") << QStringList{"show", "-h"} << QStringLiteral("GROUP/COMMAND");
    QTest::newRow("check") << QStringList{"check", "--help"} << QStringLiteral("Exit status 0 when the file is clean");
    QTest::newRow("send") << QStringList{"send", "--help"} << QStringLiteral("--fiscal-port <DEV>");
}

void TestCliProgram::helpAndVersion()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const TRun run = Cli(arguments);
    QCOMPARE(run.exit, 0);
    QVERIFY2(run.out.contains(expected.toUtf8()), run.out.constData());
    QVERIFY(run.err.isEmpty());
}

void TestCliProgram::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("message");
    const QString demo = Demo();
    QTest::newRow("nothing") << QStringList{} << 1 << "a command is needed";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 1 << "unknown command \"frobnicate\"";
    QTest::newRow("unknown option") << QStringList{"list", demo, "--colour"} << 1 << "Unknown option 'colour'";
    QTest::newRow("missing file") << QStringList{"list", "/nonexistent/x.tsy"} << 1 << "/nonexistent/x.tsy: no such file";
    QTest::newRow("missing command") << QStringList{"show", demo} << 1 << "show takes 2 arguments";
    QTest::newRow("no such command") << QStringList{"show", demo, "Status/Nothing"} << 1 << "no command \"Status/Nothing\"";
    QTest::newRow("baud") << QStringList{"send", demo, "Status/Status query", "--baud", "57600"} << 1 << "--baud 57600";
    QTest::newRow("protocol") << QStringList{"send", demo, "Status/Status query", "--protocol", "fast"} << 1 << "--protocol fast";
    QTest::newRow("repeat 0") << QStringList{"send", demo, "Status/Status query", "--repeat", "0"} << 1 << "--repeat 0";
    QTest::newRow("repeat 1000") << QStringList{"send", demo, "Status/Status query", "--repeat", "1000"} << 1 << "from 1 to 999";
    QTest::newRow("timeout") << QStringList{"send", demo, "Status/Status query", "--timeout", "-5"} << 1 << "--timeout -5";
    QTest::newRow("field number") << QStringList{"send", demo, "Status/Status query", "--set", "2=x"} << 1 << "has no field 2 (it has 1)";
    QTest::newRow("set syntax") << QStringList{"send", demo, "Status/Status query", "--set", "x"} << 1 << "expected N=VALUE";
    QTest::newRow("set on a picker") << QStringList{"send", demo, "Status/Set date time", "--set", "2=010126"} << 1 << "Field 2 (Date) is a date picker";
    QTest::newRow("date on a box") << QStringList{"send", demo, "Status/Set date time", "--date", "1=2026-01-01"} << 1 << "Field 1 (Command) is not a date picker";
    QTest::newRow("log file") << QStringList{"send", demo, "Status/Status query", "--log", "/nonexistent/x.log"} << 1 << "cannot open the log file /nonexistent/x.log";
    QTest::newRow("fiscal repeat") << QStringList{"send", demo, "Fiscal port/Alive check", "--repeat", "2"} << 1 << "has no Repeat";
    QTest::newRow("bad date") << QStringList{"send", demo, "Status/Set date time", "--date", "2=2026-02-30"} << 4 << "Field 2 (Date): '2026-02-30' is not a date";
    QTest::newRow("bad time") << QStringList{"send", demo, "Status/Set date time", "--time", "3=25:00:00"} << 4 << "Field 3 (Time): '25:00:00' is not a time";
    QTest::newRow("refused text") << QStringList{"send", demo, "Receipt/Sell item", "--set", "3=1x"} << 4 << "Field 3 (Quantity): '1x' is not a valid Currency text";
    QTest::newRow("too long") << QStringList{"send", demo, "Receipt/Open receipt", "--set", "2=123"} << 4 << "longer than 2 characters";
    QTest::newRow("read-only") << QStringList{"send", demo, "Receipt/Sell item", "--set", "1=0199"} << 4 << "Field 1 (Command) is read-only";
    QTest::newRow("not a line") << QStringList{"send", demo, "Receipt/Payment", "--set", "2=Gold"} << 4 << "'Gold' is not one of its lines";
    QTest::newRow("required") << QStringList{"send", demo, "Receipt/Sell item", "--set", "2="} << 4 << "Field 2 (Description): a text is required";
    QTest::newRow("required left empty") << QStringList{"send", demo, "Receipt/Sell item", "--port", "/dev/null"} << 4
                                         << "Field 4 (Unit price): a text is required";
}

void TestCliProgram::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exit);
    QFETCH(QString, message);
    const TRun run = Cli(arguments);
    QCOMPARE(run.exit, exit);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.startsWith("tessaly-cli: ") && run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.err.count('\n'), 1);
}

void TestCliProgram::listDemo()
{
    const TRun text = Cli({"list", Demo()});
    QCOMPARE(text.exit, 0);
    const QStringList lines = Lines(text.out);
    QCOMPARE(lines.first(), QStringLiteral("Status"));
    QVERIFY(lines.contains("  Sell item  [host] 6 command fields, 3 answer fields"));
    QCOMPARE(lines.last(), QStringLiteral("  Alive check  [fiscal] 1 command field, 0 answer fields"));

    const TRun json = Cli({"list", Demo(), "--json"});
    QCOMPARE(json.exit, 0);
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(json.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray groups = object.value("groups").toArray();
    QStringList names;
    for (const QJsonValue &g : groups)
        names << g.toObject().value("name").toString();
    QCOMPARE(names, QStringList({"Status", "Receipt", "Reports", "Service", "Fiscal port"}));
    const QJsonObject sell = groups.at(1).toObject().value("commands").toArray().at(1).toObject();
    QCOMPARE(sell.value("name").toString(), QStringLiteral("Sell item"));
    QCOMPARE(sell.value("port").toString(), QStringLiteral("host"));
    QCOMPARE(sell.value("commandFields").toInt(), 6);
    QCOMPARE(sell.value("answerFields").toInt(), 3);
    QCOMPARE(groups.at(4).toObject().value("commands").toArray().at(0).toObject().value("port").toString(),
             QStringLiteral("fiscal"));
}

void TestCliProgram::showDemo()
{
    // Names are matched without regard to case.
    const TRun json = Cli({"show", Demo(), "receipt/SELL ITEM", "--json"});
    QCOMPARE(json.exit, 0);
    const QJsonObject object = json.Json();
    QCOMPARE(object.value("command").toString(), QStringLiteral("Receipt/Sell item"));
    const QJsonArray fields = object.value("fields").toArray();
    QCOMPARE(fields.size(), 6);
    QCOMPARE(fields.at(0).toObject().size(), 12);   // the attributes; no lines
    const QJsonObject vat = fields.at(4).toObject();
    QCOMPARE(vat.value("caption").toString(), QStringLiteral("&VAT rate"));
    QCOMPARE(vat.value("textType").toInt(), 2);
    QCOMPARE(vat.value("controlType").toInt(), 2);
    QCOMPARE(vat.value("minLength").toInt(), 4);
    QCOMPARE(vat.value("decimalDigits").toInt(), 2);
    QCOMPARE(vat.value("required").toBool(), true);
    QCOMPARE(vat.value("comboLines").toArray(), QJsonArray({"21,00", "10,50", "4,00", "0,00"}));
    QCOMPARE(fields.at(1).toObject().value("autoIncrement").toBool(), true);
    QCOMPARE(fields.at(0).toObject().value("readOnly").toBool(), true);
    const QJsonArray answers = object.value("answers").toArray();
    QCOMPARE(answers.size(), 3);
    QCOMPARE(answers.at(2).toObject(),
             QJsonObject({{"caption", "Items in receipt"}, {"textType", 4}, {"decimalDigits", 0}}));
    QCOMPARE(object.value("notes").toArray().size(), 2);
    QCOMPARE(object.value("notes").toArray().at(0).toString(),
             QStringLiteral("Quantity and price take \",\" or \".\" as separator."));

    const TRun text = Cli({"show", Demo(), "Receipt/Sell item"});
    QCOMPARE(text.exit, 0);
    QVERIFY(text.out.contains("     lines: 21,00 | 10,50 | 4,00 | 0,00\n"));
    QVERIFY(text.out.contains("  3. Items in receipt: text type 4 (Decimal), decimal digits 0\n"));
}

void TestCliProgram::checkDemoIsClean()
{
    const TRun text = Cli({"check", Demo()});
    QCOMPARE(text.exit, 0);
    QVERIFY(text.out.endsWith(": no problems\n"));
    const TRun json = Cli({"check", Demo(), "--json"});
    QCOMPARE(json.exit, 0);
    QCOMPARE(json.Json().value("clean").toBool(), true);
    QCOMPARE(json.Json().value("problems").toArray().size(), 0);
    QCOMPARE(json.Json().value("warnings").toArray().size(), 0);

    // Two fields on one accelerator: a warning, and the file is still clean.
    const QString shared = WriteFile("shared.tsy", "[Groups]\nG=\n[G]\nC=\n[GC]\nCommands=0,\"&Amount\",\"\",0,\"\",0,0,0,0,0,0,"
                                                   "0,0,\"Ta&x\",\"\",0,\"\",0,0,0,0,0,0,0,0,\"&all\",\"\",0,\"\",0,0,0,0,0,0,0\n");
    const TRun warned = Cli({"check", shared});
    QCOMPARE(warned.exit, 0);
    QCOMPARE(Lines(warned.out),
             QStringList{"[GC] Commands: warning: field 3 (all): its accelerator Alt+A is already used by field 1 (Amount)"});
    const TRun warnedJson = Cli({"check", shared, "--json"});
    QCOMPARE(warnedJson.exit, 0);
    QCOMPARE(warnedJson.Json().value("clean").toBool(), true);
    QCOMPARE(warnedJson.Json().value("warnings").toArray().size(), 1);
}

void TestCliProgram::reportsInSpanish_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("list") << QStringList{"list"} << "  Sell item  [host] 6 campos de comando, 3 campos de respuesta\n";
    QTest::newRow("list, one field") << QStringList{"list"} << "  Alive check  [fiscal] 1 campo de comando, 0 campos de respuesta\n";
    QTest::newRow("show") << QStringList{"show", "Receipt/Sell item"} << "Campos de respuesta:\n";
    QTest::newRow("show lines") << QStringList{"show", "Receipt/Sell item"} << "     líneas: 21,00 | 10,50 | 4,00 | 0,00\n";
    QTest::newRow("check") << QStringList{"check"} << ": sin problemas\n";
    QTest::newRow("no command") << QStringList{"show", "Receipt/None"} << "no existe el comando";
}

void TestCliProgram::reportsInSpanish()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    arguments.insert(1, Demo());
    const TRun run = Cli(arguments + QStringList{"--lang", "es"});
    QVERIFY2(QString::fromUtf8(run.out).contains(expected) || run.err.contains(expected),
             qPrintable(QString::fromUtf8(run.out) + run.err));
}

void TestCliProgram::spanishShowKeepsFileTexts()
{
    // A "%1" in a caption or hint is the file's text, not a place for a value.
    const QString file = WriteFile("percent.tsy", "[Groups]\nG=\n[G]\nC=\n[GC]\nCommands=0,\"Rate %1\",\"%2\",0,\"\",0,0,0,0,0,0,0\n");
    const TRun shown = Cli({"show", file, "G/C", "--lang", "es"});
    QCOMPARE(shown.exit, 0);
    QVERIFY2(shown.out.contains("  1. Rate %1\n     modo 0 (Host), ayuda \"%2\""), shown.out.constData());
}

void TestCliProgram::brokenFile()
{
    const QString broken = WriteFile("broken.tsy",
                                     "[General]\nProtocol=x\n"
                                     "[FiscalAnswer]\nRecord1=1,99,FF,00,\"Text\",clRed\n"
                                     "[Groups]\nG=\nGroups=\n"
                                     "[G]\nBad=\nGood=\nGood=\n"
                                     "[GBad]\nCommands=0,\"A\",\"\",X,\"\",0,0,0,0,0,0,0\n"
                                     "[GGood]\nCommands=0,\"A\",\"\",0,\"\",0,0,0,0,0,0,0\n");
    const TRun list = Cli({"list", broken});
    QCOMPARE(list.exit, 0);
    QVERIFY(list.out.contains("  Bad  [host] 0 command fields, 0 answer fields  (error: 'X' is not a valid integer value)"));

    const TRun show = Cli({"show", broken, "G/Bad", "--json"});
    QCOMPARE(show.exit, 1);
    QCOMPARE(show.Json().value("errors").toArray().at(0).toString(),
             QStringLiteral("Commands: 'X' is not a valid integer value"));
    QVERIFY(show.err.contains("G/Bad: Commands: 'X' is not a valid integer value"));

    const TRun send = Cli({"send", broken, "G/Bad", "--port", "/dev/null"});
    QCOMPARE(send.exit, 1);
    QVERIFY(send.err.contains("G/Bad cannot be sent"));

    const TRun check = Cli({"check", broken, "--json"});
    QCOMPARE(check.exit, 1);
    QStringList found;
    for (const QJsonValue &p : check.Json().value("problems").toArray())
        found << p.toObject().value("section").toString() + "|" + p.toObject().value("key").toString();
    for (const char *expected : {"General|Protocol", "FiscalAnswer|Record1", "Groups|Groups", "G|Good", "GBad|Commands"})
        QVERIFY2(found.contains(QLatin1String(expected)), qPrintable(expected + (" not in " + found.join(", "))));
    const TRun text = Cli({"check", broken});
    QCOMPARE(text.exit, 1);
    QCOMPARE(Lines(text.out).size(), found.size());
    QVERIFY(text.out.contains("[General] Protocol: 'x' is not a valid integer value"));
}

void TestCliProgram::everyTextType_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::newRow("compatible") << QStringLiteral("compatible");
    QTest::newRow("extended") << QStringLiteral("extended");
}

void TestCliProgram::everyTextType()
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

void TestCliProgram::jsonMatchesText_data()
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

void TestCliProgram::jsonMatchesText()
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
    QCOMPARE(TextOf(object), Lines(text.out));
    QVERIFY(!object.value("frames").toArray().isEmpty());
    QCOMPARE(sim.Stop(), 0);
}

void TestCliProgram::repeatAutoIncrements()
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

void TestCliProgram::failures_data()
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

void TestCliProgram::failures()
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
    if (exit != 0)
        QVERIFY(run.Json().value("printerStatus").isNull());
    // A failed exchange leaves its line in the log, as in the window's log.
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QCOMPARE(content.count("ERROR -> "), logLine.isEmpty() ? 0 : 1);
    if (!logLine.isEmpty())
        QVERIFY2(content.endsWith(logLine + "\r\nClose port\r\n"), content.constData());
    QCOMPARE(sim.Stop(), 0);
}

void TestCliProgram::auxiliaryCommand()
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
    QCOMPARE(Lines(request.out), QStringList({"Outcome: answer (1 sent)", "Fiscal answer: 1000 part 1",
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

void TestCliProgram::badInputSendsNothing()
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
void TestCliProgram::warnings()
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

void TestCliProgram::portFromSettings()
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

void TestCliProgram::portThatCannotOpen()
{
    const TRun run = Cli({"send", Demo(), "Status/Status query", "--port", "/nonexistent/tty", "--json"});
    QCOMPARE(run.exit, 1);
    QCOMPARE(run.Json().value("outcome").toString(), QStringLiteral("port-error"));
    QVERIFY2(run.err.startsWith("tessaly-cli: cannot open the host port /nonexistent/tty: "), qPrintable(run.err));
    QCOMPARE(run.err.count('\n'), 1);
}

void TestCliProgram::logFileLines()
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
    QList<QByteArray> body;
    for (const QByteArray &line : lines.mid(4))
        body << line.chopped(line.endsWith('\r') ? 1 : 0).left(12);
    QCOMPARE(body.mid(0, 6), QList<QByteArray>({QByteArray("Open " + host).left(12), "HOST --> 02 ", "FP   --> ACK",
                                                "FP   --> 02 ", "HOST --> 06 ", "Close port"}));
    QVERIFY(content.contains("\r\nOpen " + fiscal + " 9600,N,8,1\r\nFISCAL-> 05 \r\nFP   --> ACK\r\nClose port\r\n"));
    // The tool reads the user's settings but never creates them.
    QVERIFY(QDir(m_dir.filePath("config")).isEmpty());
}

void TestCliProgram::terminationCancels()
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

QTEST_GUILESS_MAIN(TestCliProgram)
#include "tst_cli_program.moc"
