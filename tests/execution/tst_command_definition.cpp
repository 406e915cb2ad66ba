#include "execution/command_definition.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/field_types.h"

#include <QtTest>

namespace {

// One command field record as the editors write it.
QString Record(int mode, const QString &caption, int textType, const QString &defaultText,
               int controlType, int maxLength = 0, int required = 0, int readOnly = 0,
               int minLength = 0, int decimals = 0, int autoIncrement = 0)
{
    return QStringLiteral("%1,\"%2\",\"hint\",%3,\"%4\",%5,%6,%7,%8,%9,%10,%11")
        .arg(mode)
        .arg(caption)
        .arg(textType)
        .arg(defaultText)
        .arg(controlType)
        .arg(maxLength)
        .arg(required)
        .arg(readOnly)
        .arg(minLength)
        .arg(decimals)
        .arg(autoIncrement);
}

TCommandDefinition Load(const QString &commands, const QString &extra = QString())
{
    TExtIniFile ini;
    ini.LoadFromData(("[GroupCommand]\nCommands=" + commands + "\n" + extra).toUtf8());
    return TCommandDefinition::Load(ini, QStringLiteral("GroupCommand"));
}

}

class TestCommandDefinition : public QObject {
    Q_OBJECT
private slots:
    void fieldCount_data();
    void fieldCount();
    void strictReading_data();
    void strictReading();
    void comboLinesAndNotes();
    void defaultInput();
    void inputError_data();
    void inputError();
    void runCommand();
    void valueError_data();
    void valueError();
};

void TestCommandDefinition::fieldCount_data()
{
    QTest::addColumn<QString>("commands");
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("port");

    const QString one = Record(0, "Code", 0, "F0", 0);
    QTest::newRow("empty") << "" << 0 << int(cpHostPort);
    QTest::newRow("fewer than 12 values") << "0,\"a\",\"b\",0" << 0 << int(cpHostPort);
    QTest::newRow("12 values and 5 extra") << one + ",1,2,3,4,5" << 1 << int(cpHostPort);
    QTest::newRow("first record decides the port")
        << Record(1, "A", 0, "", 0) + "," + Record(0, "B", 0, "", 0) << 2 << int(cpFiscalPort);
}

void TestCommandDefinition::fieldCount()
{
    QFETCH(QString, commands);
    QFETCH(int, fields);
    QFETCH(int, port);
    const TCommandDefinition definition = Load(commands);
    QCOMPARE(definition.fields.size(), fields);
    QCOMPARE(int(definition.port), port);
    QVERIFY(definition.error.isEmpty());
    QCOMPARE(definition.IsSendable(), fields > 0);
}

void TestCommandDefinition::strictReading_data()
{
    QTest::addColumn<QString>("commands");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("fieldsRead");

    const QString good = Record(0, "Good", 0, "", 0);
    QTest::newRow("bad mode") << "x,\"a\",\"b\",0,\"\",0,0,0,0,0,0,0"
                              << "'x' is not a valid integer value" << 0;
    QTest::newRow("bad control type in the second record")
        << good + ",0,\"a\",\"b\",0,\"\",Simple,0,0,0,0,0,0"
        << "'Simple' is not a valid integer value" << 1;
    QTest::newRow("lenient max length") << "0,\"a\",\"b\",0,\"\",0,many,0,0,few,0,yes" << "" << 1;
}

void TestCommandDefinition::strictReading()
{
    QFETCH(QString, commands);
    QFETCH(QString, error);
    QFETCH(int, fieldsRead);
    const TCommandDefinition definition = Load(commands);
    QCOMPARE(definition.error, error);
    QCOMPARE(definition.fields.size(), fieldsRead);
    // Part of a command must not go out as if it were all of it.
    QCOMPARE(definition.IsSendable(), error.isEmpty() && fieldsRead > 0);
}

void TestCommandDefinition::comboLinesAndNotes()
{
    const QString commands = Record(0, "List", 0, "def", 2) + "," + Record(0, "Edit", 0, "def", 1)
                             + "," + Record(0, "Plain", 0, "def", 0) + ","
                             + Record(0, "Missing", 0, "def", 2);
    const TCommandDefinition definition =
        Load(commands, "CL1=\"\"1 2\",3\"\nCL2=\"a,b\"\nCL3=\"never,read\"\n"
                       "Notes=\"\"First note\",Second\"\n");
    QCOMPARE(definition.comboLines,
             QList<QStringList>({{"1 2", "3"}, {"a", "b"}, {}, {}}));
    QCOMPARE(definition.notes, QStringList({"First note", "Second"}));

    const QDate date(2026, 12, 7);
    const QTime time(9, 30);
    QCOMPARE(definition.DefaultInput(0, date, time).text, QStringLiteral("1 2"));
    QCOMPARE(definition.DefaultInput(1, date, time).text, QStringLiteral("a"));
    QCOMPARE(definition.DefaultInput(2, date, time).text, QStringLiteral("def"));
    // A list field without lines shows no text.
    QCOMPARE(definition.DefaultInput(3, date, time).text, QString());
}

void TestCommandDefinition::defaultInput()
{
    QStringList records;
    for (int i = 0; i < 75; ++i)
        records << Record(0, QStringLiteral("F%1").arg(i), 0, QStringLiteral("T%1").arg(i), 0);
    records << Record(0, "Day", 8, "ignored", 3);
    const TCommandDefinition definition = Load(records.join(','));
    QCOMPARE(definition.fileFieldCount, 76);
    QCOMPARE(definition.fields.size(), TCommandDefinition::MaxFields);
    QVERIFY(definition.IsCut());
    QCOMPARE(definition.DefaultInput(69, {}, {}).text, QStringLiteral("T69"));

    const TCommandDefinition picker = Load(Record(0, "Day", 8, "ignored", 3));
    const TFieldInput input = picker.DefaultInput(0, QDate(2026, 1, 2), QTime(3, 4, 5));
    QCOMPARE(input.text, QString());
    QCOMPARE(input.date, QDate(2026, 1, 2));
    QCOMPARE(input.time, QTime(3, 4, 5));
}

void TestCommandDefinition::inputError_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");

    QTest::newRow("numeric with a letter") << Record(0, "&Amount", 3, "", 0) << "" << "12a"
                                           << "Field 1 (Amount): '12a' is not a valid Numeric text";
    QTest::newRow("numeric digits") << Record(0, "Amount", 3, "", 0) << "" << "123" << "";
    QTest::newRow("too long") << Record(0, "Name", 0, "", 0, 3) << "" << "ABCD"
                              << "Field 1 (Name): 'ABCD' is longer than 3 characters";
    QTest::newRow("required and empty") << Record(0, "Name", 0, "", 0, 0, 1) << "" << ""
                                        << "Field 1 (Name): a text is required";
    QTest::newRow("not a line of the list") << Record(0, "Rate", 0, "", 2) << "CL1=\"A,B\"\n"
                                            << "C" << "Field 1 (Rate): 'C' is not one of its lines";
    QTest::newRow("a line of the list") << Record(0, "Rate", 0, "", 2) << "CL1=\"A,B\"\n" << "B"
                                        << "";
    QTest::newRow("list without lines stays empty") << Record(0, "Rate", 0, "", 2) << "" << ""
                                                    << "";
    QTest::newRow("list without lines takes no text") << Record(0, "Rate", 0, "", 2) << "" << "A"
                                                      << "Field 1 (Rate): 'A' is not one of its lines";
    QTest::newRow("free text in a drop-down") << Record(0, "Rate", 0, "", 1) << "CL1=\"A,B\"\n"
                                              << "C" << "";
}

void TestCommandDefinition::inputError()
{
    QFETCH(QString, record);
    QFETCH(QString, extra);
    QFETCH(QString, text);
    QFETCH(QString, error);
    QCOMPARE(Load(record, extra).InputError(0, text), error);
}

void TestCommandDefinition::runCommand()
{
    const QString commands = Record(0, "Code", 0, "x'41'", 0, 0, 0, 1) + ","
                             + Record(0, "Price", 2, "", 0, 0, 0, 0, 8, 2) + ","
                             + Record(0, "Ticket", 0, "", 0, 0, 0, 0, 0, 0, 1) + ","
                             + Record(0, "Day", 0, "", 3);
    const TCommandDefinition definition = Load(commands);
    const QList<TFieldInput> inputs{{"x'41'", {}, {}},
                                    {"12,5", {}, {}},
                                    {"ABC", {}, {}},
                                    {"", QDate(2004, 5, 3), {}}};
    const TRunCommand command = definition.RunCommand(inputs, 7);
    QCOMPARE(command.key, QStringLiteral("GroupCommand"));
    QCOMPARE(command.port, cpHostPort);
    QCOMPARE(command.fields.size(), 4);
    QCOMPARE(command.fields.at(0).value, QStringLiteral("x'41'"));
    QVERIFY(command.fields.at(0).readOnly);
    QCOMPARE(command.fields.at(1).value, QStringLiteral("00001250"));
    QCOMPARE(command.fields.at(2).value, QStringLiteral("ABC"));
    QVERIFY(command.fields.at(2).autoIncrement);
    QCOMPARE(command.fields.at(3).value, QStringLiteral("20040503"));
    QVERIFY(!command.fields.at(3).autoIncrement);
}

void TestCommandDefinition::valueError_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("error");   // of the field's default input

    QTest::newRow("default amount too large")
        << Record(0, "&Total", 2, "12345,67", 0, 0, 0, 0, 6, 2) << ""
        << "Field 1 (Total): '12345,67' has 5 integer digits; the field holds 4";
    QTest::newRow("default not numeric") << Record(0, "Count", 3, "12a", 0) << ""
                                         << "Field 1 (Count): '12a' is not a valid Numeric text";
    QTest::newRow("read-only default bits") << Record(0, "Mask", 6, "0102", 0, 0, 0, 1) << ""
                                            << "Field 1 (Mask): '0102' is not a binary number of at most 32 digits";
    QTest::newRow("list line out of range") << Record(0, "Id", 4, "", 2) << "CL1=\"4294967296,1\"\n"
                                            << "Field 1 (Id): '4294967296' is not a whole number from 0 to 4294967295";
    QTest::newRow("default that fits") << Record(0, "Total", 2, "1234,5", 0, 0, 0, 0, 6, 2) << "" << "";
    QTest::newRow("picker ignores its default") << Record(0, "Day", 4, "x", 3) << "" << "";
}

// RunCommand carries the same reason with the field, so the window's Send
// refuses what the command-line tool refuses.
void TestCommandDefinition::valueError()
{
    QFETCH(QString, record);
    QFETCH(QString, extra);
    QFETCH(QString, error);
    const TCommandDefinition definition = Load(record, extra);
    const TFieldInput input = definition.DefaultInput(0, QDate(2026, 1, 2), QTime(3, 4, 5));
    QCOMPARE(definition.ValueError(0, input), error);
    QCOMPARE(definition.RunCommand({input}, 0).fields.at(0).refusal, error);
}

QTEST_GUILESS_MAIN(TestCommandDefinition)
#include "tst_command_definition.moc"
