#include "terminal_model/command_field.h"
#include "terminal_model/ext_ini_file.h"

#include <QtTest>

namespace {

TCommandField Field(int mode, const QString &caption, const QString &hint, int textType, const QString &text,
                    int controlType, int maxLength, bool required, bool readOnly, int minLength, int digits,
                    bool autoIncrement)
{
    TCommandField f;
    f.Mode = mode;
    f.Caption = caption;
    f.Hint = hint;
    f.TextType = textType;
    f.DefaultText = text;
    f.ControlType = controlType;
    f.MaxLength = maxLength;
    f.Required = required;
    f.ReadOnly = readOnly;
    f.MinLength = minLength;
    f.DecimalDigits = digits;
    f.AutoIncrement = autoIncrement;
    return f;
}

const QString kExample = QStringLiteral("0,\"Descripcion\",\"Description Hint\",0,\"F0\",0,25,0,0,0,0,0");

} // namespace

Q_DECLARE_METATYPE(TCommandField)

class TestCommandField : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void strictReadingStops_data();
    void strictReadingStops();
    void writeThenRead_data();
    void writeThenRead();
    void exactRecordText();
    void inTheFile();
    void normalisedNumber_data();
    void normalisedNumber();
};

void TestCommandField::parse_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("count");
    QTest::addColumn<TCommandField>("first");
    const TCommandField example = Field(0, "Descripcion", "Description Hint", 0, "F0", 0, 25, false, false, 0, 0, false);
    QTest::newRow("example") << kExample << 1 << example;
    QTest::newRow("13 items: one field") << kExample + ",7" << 1 << example;
    QTest::newRow("empty: no field") << QString() << 0 << TCommandField();
    QTest::newRow("11 items: no field") << "0,a,b,0,c,0,1,0,0,0,0" << 0 << TCommandField();
    QTest::newRow("two fields") << kExample + QLatin1Char(',') + kExample << 2 << example;
    QTest::newRow("flags true for any non-zero")
        << "1,\"a\",\"b\",2,\"c\",3,9,5,-1,4,2,7" << 1 << Field(1, "a", "b", 2, "c", 3, 9, true, true, 4, 2, true);
    QTest::newRow("lenient numbers read as 0")
        << "0,\"a\",\"b\",0,\"\",0,x,0,0,y,z,w" << 1 << Field(0, "a", "b", 0, "", 0, 0, false, false, 0, 0, false);
    QTest::newRow("caption with comma and doubled quote")
        << "0,\"a, \"\"b\"\"\",\"\",0,\"\",0,0,0,0,0,0,0" << 1
        << Field(0, "a, \"b\"", "", 0, "", 0, 0, false, false, 0, 0, false);
}

void TestCommandField::parse()
{
    QFETCH(QString, value);
    QFETCH(int, count);
    QFETCH(TCommandField, first);
    for (const TFieldReading reading : {TFieldReading::Strict, TFieldReading::Lenient}) {
        QString error = QStringLiteral("stale");
        const QList<TCommandField> fields = TCommandField::Parse(value, reading, &error);
        QCOMPARE(fields.size(), count);
        QVERIFY(error.isEmpty());
        if (count > 0)
            QCOMPARE(fields.first(), first);
    }
}

void TestCommandField::strictReadingStops_data()
{
    QTest::addColumn<int>("badIndex");
    QTest::addColumn<bool>("strict");
    QTest::newRow("Mode") << 0 << true;
    QTest::newRow("TextType") << 3 << true;
    QTest::newRow("ControlType") << 5 << true;
    QTest::newRow("Required") << 7 << true;
    QTest::newRow("ReadOnly") << 8 << true;
    QTest::newRow("MaxLength is lenient") << 6 << false;
    QTest::newRow("MinLength is lenient") << 9 << false;
    QTest::newRow("DecimalDigits is lenient") << 10 << false;
    QTest::newRow("AutoIncrement is lenient") << 11 << false;
}

void TestCommandField::strictReadingStops()
{
    QFETCH(int, badIndex);
    QFETCH(bool, strict);
    QStringList items = {"0", "\"a\"", "\"b\"", "0", "\"\"", "0", "5", "1", "0", "0", "0", "0"};
    QStringList second = items;
    second[badIndex] = QStringLiteral("X1");
    const QString value = (items + second + items).join(QLatin1Char(','));

    QString error;
    const QList<TCommandField> fields = TCommandField::Parse(value, TFieldReading::Strict, &error);
    if (strict) {
        QCOMPARE(fields.size(), 1);
        QCOMPARE(error, QStringLiteral("'X1' is not a valid integer value"));
    } else {
        QCOMPARE(fields.size(), 3);
        QVERIFY(error.isEmpty());
    }
    const QList<TCommandField> lenient = TCommandField::Parse(value, TFieldReading::Lenient, &error);
    QCOMPARE(lenient.size(), 3);
    QVERIFY(error.isEmpty());
    QCOMPARE(lenient.at(1).Mode + lenient.at(1).TextType + lenient.at(1).ControlType, 0);
}

void TestCommandField::writeThenRead_data()
{
    QTest::addColumn<TCommandField>("field");
    QTest::newRow("plain") << Field(1, "&Amount", "Amount to sell", 2, "1.00", 0, 10, true, false, 8, 2, true);
    QTest::newRow("quote in texts") << Field(0, "Say \"hi\"", "\"", 0, "a\"\"b", 1, 0, false, true, 0, 0, false);
    QTest::newRow("commas and blanks") << Field(0, "a, b", " lead", 0, ",", 2, 0, false, false, 0, 0, false);
    QTest::newRow("empty texts") << Field(0, "", "", 9, "", 4, 0, false, false, 0, 0, false);
}

void TestCommandField::writeThenRead()
{
    QFETCH(TCommandField, field);
    const QList<TCommandField> fields = {field, Field(0, "next", "", 3, "7", 0, 0, false, false, 0, 0, false)};
    QString error;
    QCOMPARE(TCommandField::Parse(TCommandField::Format(fields), TFieldReading::Strict, &error), fields);
    QVERIFY(error.isEmpty());
}

void TestCommandField::exactRecordText()
{
    const TCommandField example = Field(0, "Descripcion", "Description Hint", 0, "F0", 0, 25, false, false, 0, 0, false);
    QCOMPARE(TCommandField::Format({example}), kExample);
    QCOMPARE(TCommandField::Format({}), QString());
    QCOMPARE(Field(1, "a\"b", "", 2, "", 1, 3, true, true, 4, 5, true).ToRecord(),
             QStringLiteral("1,\"a\"\"b\",\"\",2,\"\",1,3,1,1,4,5,1"));
}

void TestCommandField::inTheFile()
{
    TExtIniFile ini;
    ini.LoadFromData("[Group1Command1]\nCommands=" + kExample.toUtf8() + "\nAnswers=\n");
    QString error;
    QList<TCommandField> fields = ReadCommandFields(ini, QStringLiteral("group1command1"), TFieldReading::Strict, &error);
    QCOMPARE(fields.size(), 1);
    fields.append(fields.first());
    fields.last().Caption = QStringLiteral("Second");
    WriteCommandFields(ini, QStringLiteral("Group1Command1"), fields);
    QCOMPARE(ini.ToData(), "[Group1Command1]\nCommands=" + kExample.toUtf8() + ","
                               + kExample.toUtf8().replace("\"Descripcion\"", "\"Second\"") + "\nAnswers=\n");
    WriteCommandFields(ini, QStringLiteral("Group1Command1"), {});
    QCOMPARE(ini.ToData(), QByteArray("[Group1Command1]\nCommands=\nAnswers=\n"));
    QVERIFY(ReadCommandFields(ini, QStringLiteral("Missing"), TFieldReading::Strict, &error).isEmpty());
    QVERIFY(error.isEmpty());
}

void TestCommandField::normalisedNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("not a number") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("blanks") << " 12 " << 12;
}

void TestCommandField::normalisedNumber()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(NormalisedNumber(text), number);
}

QTEST_GUILESS_MAIN(TestCommandField)
#include "tst_command_field.moc"
