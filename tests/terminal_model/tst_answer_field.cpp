#include "terminal_model/answer_field.h"
#include "terminal_model/ext_ini_file.h"

#include <QtTest>

class TestAnswerField : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void write_data();
    void write();
    void inTheFile();
};

void TestAnswerField::parse_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("strict");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("lastTextType");
    QTest::newRow("one field") << "\"XXXXX\",3,0" << true << 1 << "" << 3;
    QTest::newRow("extra items ignored") << "\"a\",3,0,\"b\"" << true << 1 << "" << 3;
    QTest::newRow("two fields") << "\"a\",3,0,\"b\",2,2" << true << 2 << "" << 2;
    QTest::newRow("strict stops at bad text type") << "\"a\",3,0,\"b\",x,2,\"c\",1,0" << true << 1
                                                  << "'x' is not a valid integer value" << 3;
    QTest::newRow("lenient reads 0") << "\"a\",3,0,\"b\",x,2,\"c\",1,0" << false << 3 << "" << 1;
    QTest::newRow("bad digits are 0 either way") << "\"a\",2,zz" << true << 1 << "" << 2;
}

void TestAnswerField::parse()
{
    QFETCH(QString, value);
    QFETCH(bool, strict);
    QFETCH(int, count);
    QFETCH(QString, error);
    QFETCH(int, lastTextType);
    QString message;
    const QList<TAnswerField> fields =
        TAnswerField::Parse(value, strict ? TFieldReading::Strict : TFieldReading::Lenient, &message);
    QCOMPARE(fields.size(), count);
    QCOMPARE(message, error);
    QCOMPARE(fields.last().TextType, lastTextType);
    if (!strict)
        QCOMPARE(fields.at(1).TextType, 0);
}

void TestAnswerField::write_data()
{
    QTest::addColumn<int>("textType");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("record");
    QTest::newRow("numeric drops digits") << 3 << 3 << "\"Cap\",3,0";
    QTest::newRow("currency keeps digits") << 2 << 3 << "\"Cap\",2,3";
    QTest::newRow("date drops digits") << 8 << 2 << "\"Cap\",8,0";
}

void TestAnswerField::write()
{
    QFETCH(int, textType);
    QFETCH(int, digits);
    QFETCH(QString, record);
    TAnswerField field;
    field.Caption = QStringLiteral("Cap");
    field.TextType = textType;
    field.DecimalDigits = digits;
    QCOMPARE(field.ToRecord(), record);
}

void TestAnswerField::inTheFile()
{
    TAnswerField quoted;
    quoted.Caption = QStringLiteral("Total \"net\", EUR");
    quoted.TextType = 2;
    quoted.DecimalDigits = 2;
    TAnswerField plain;
    plain.Caption = QStringLiteral("Count");
    plain.TextType = 3;

    TExtIniFile ini;
    ini.LoadFromData("[S]\r\nCommands=\r\nAnswers=\r\n");
    WriteAnswerFields(ini, QStringLiteral("S"), {quoted, plain});
    QCOMPARE(ini.ToData(), QByteArray("[S]\r\nCommands=\r\nAnswers=\"Total \"\"net\"\", EUR\",2,2,\"Count\",3,0\r\n"));
    QString error;
    QCOMPARE(ReadAnswerFields(ini, QStringLiteral("S"), TFieldReading::Strict, &error),
             QList<TAnswerField>({quoted, plain}));
    WriteAnswerFields(ini, QStringLiteral("S"), {});
    QCOMPARE(ini.ReadString(QStringLiteral("S"), QStringLiteral("Answers"), QStringLiteral("missing")), QString());
}

QTEST_GUILESS_MAIN(TestAnswerField)
#include "tst_answer_field.moc"
