#include "support_cli_test_base.h"

#include <QtTest>

// The built tessaly-cli's file commands (help, usage, list, show, check)
// against its sample files.
class TestCliProgram : public TCliTestBase {
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
};

void TestCliProgram::initTestCase()
{
    QVERIFY(PrepareDirectory());
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

QTEST_GUILESS_MAIN(TestCliProgram)
#include "tst_cli_program.moc"
