#include "cli/send_inputs.h"
#include "terminal_model/ext_ini_file.h"

#include <QtTest>

// The inputs the send command builds from its options, before anything is
// converted or sent.
class TestSendInputs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void inputs_data();
    void inputs();
    void pickersTakeNowUnlessGiven();

private:
    TCommandDefinition m_definition;
};

void TestSendInputs::initTestCase()
{
    TExtIniFile ini;
    QVERIFY(ini.LoadFromData("[GC]\nCommands="
                             "0,\"&Hex\",\"\",5,\"0a\",0,4,0,0,0,0,0,"
                             "0,\"Flag\",\"\",7,\"n\",0,1,0,0,0,0,0,"
                             "0,\"Count\",\"\",3,\"x9\",0,0,1,0,0,0,0,"
                             "0,\"Kind\",\"\",0,\"ignored\",2,0,0,0,0,0,0,"
                             "0,\"Free\",\"\",0,\"typed\",1,0,0,0,0,0,0,"
                             "0,\"Day\",\"\",8,\"\",3,0,0,0,0,0,0,"
                             "0,\"At\",\"\",9,\"\",4,0,0,0,0,0,0,"
                             "0,\"Amount\",\"\",2,\"\",0,0,0,0,6,2,0,"
                             "0,\"Id\",\"\",4,\"\",0,0,0,0,0,0,0\n"
                             "CL4=\"S,D\"\nCL5=\"one,two\"\n"));
    m_definition = TCommandDefinition::Load(ini, "GC");
    QCOMPARE(m_definition.fields.size(), 9);
}

void TestSendInputs::inputs_data()
{
    QTest::addColumn<QStringList>("sets");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("texts");   // fields 1 to 5
    QTest::addColumn<QString>("error");

    const int ok = int(TSendInputs::TStatus::Ok);
    const int usage = int(TSendInputs::TStatus::Usage);
    const int bad = int(TSendInputs::TStatus::BadInput);
    // A default the box cannot hold is refused as the window's Send refuses
    // it, unless a text replaces it; both list kinds start on their first line.
    QTest::newRow("default that does not fit") << QStringList{} << bad << QStringList{}
                                               << "Field 3 (Count): 'x9' is not a valid Numeric text";
    QTest::newRow("defaults") << QStringList{"3=7"} << ok << QStringList{"0a", "n", "7", "S", "one"} << "";
    QTest::newRow("typed case") << QStringList{"1=ff0", "2=y", "3=7"} << ok << QStringList{"FF0", "Y", "7", "S", "one"} << "";
    QTest::newRow("last wins") << QStringList{"3=1", "3=22"} << ok << QStringList{"0a", "n", "22", "S", "one"} << "";
    QTest::newRow("list line") << QStringList{"4=D", "5=other", "3=7"} << ok << QStringList{"0a", "n", "7", "D", "other"} << "";
    QTest::newRow("text with =") << QStringList{"5=a=b", "3=7"} << ok << QStringList{"0a", "n", "7", "S", "a=b"} << "";
    QTest::newRow("amount beyond the field") << QStringList{"3=7", "8=12345,67"} << bad << QStringList{}
                                             << "Field 8 (Amount): '12345,67' has 5 integer digits; the field holds 4";
    QTest::newRow("amount with too many decimals") << QStringList{"3=7", "8=1,999"} << bad << QStringList{}
                                                   << "Field 8 (Amount): '1,999' has 3 decimals; the field holds 2";
    QTest::newRow("amount that fits") << QStringList{"3=7", "8=1234,5"} << ok << QStringList{"0a", "n", "7", "S", "one"} << "";
    QTest::newRow("number beyond 32 bits") << QStringList{"3=7", "9=4294967296"} << bad << QStringList{}
                                           << "Field 9 (Id): '4294967296' is not a whole number from 0 to 4294967295";
    QTest::newRow("hex digits") << QStringList{"1=0g"} << bad << QStringList{} << "Field 1 (Hex): '0G' is not a valid Hexa text";
    QTest::newRow("max length") << QStringList{"2=yy"} << bad << QStringList{} << "Field 2 (Flag): 'YY' is longer than 1 characters";
    QTest::newRow("required") << QStringList{"3="} << bad << QStringList{} << "Field 3 (Count): a text is required";
    QTest::newRow("not a line") << QStringList{"4=s"} << bad << QStringList{} << "Field 4 (Kind): 's' is not one of its lines";
    QTest::newRow("field 0") << QStringList{"0=1"} << usage << QStringList{} << "the command has no field 0";
    QTest::newRow("no number") << QStringList{"=1"} << usage << QStringList{} << "expected N=VALUE";
    QTest::newRow("picker") << QStringList{"7=120000"} << usage << QStringList{} << "Field 7 (At) is a time picker: give it with --time";
}

void TestSendInputs::inputs()
{
    QFETCH(QStringList, sets);
    QFETCH(int, status);
    QFETCH(QStringList, texts);
    QFETCH(QString, error);
    const TSendInputs::TResult result = TSendInputs::Build(m_definition, sets, {}, {}, QDateTime::currentDateTime());
    QCOMPARE(int(result.status), status);
    QVERIFY2(result.error.contains(error), qPrintable(result.error));
    QStringList got;
    for (int i = 0; i < qMin(5, int(result.inputs.size())); ++i)
        got << result.inputs.at(i).text;
    QCOMPARE(got, texts);
}

void TestSendInputs::pickersTakeNowUnlessGiven()
{
    const QDateTime now(QDate(2026, 12, 7), QTime(10, 30, 15, 999));
    const TSendInputs::TResult defaults = TSendInputs::Build(m_definition, {"3=7"}, {}, {}, now);
    QCOMPARE(defaults.inputs.at(5).date, now.date());
    // The picker shows whole seconds.
    QCOMPARE(defaults.inputs.at(6).time, QTime(10, 30, 15));

    const TSendInputs::TResult given =
        TSendInputs::Build(m_definition, {"3=7"}, {"6=2024-02-29"}, {"7=23:59:58"}, now);
    QCOMPARE(int(given.status), int(TSendInputs::TStatus::Ok));
    QCOMPARE(given.inputs.at(5).date, QDate(2024, 2, 29));
    QCOMPARE(given.inputs.at(6).time, QTime(23, 59, 58));

    QCOMPARE(int(TSendInputs::Build(m_definition, {"3=7"}, {"6=29.02.2024"}, {}, now).status),
             int(TSendInputs::TStatus::BadInput));
    QCOMPARE(int(TSendInputs::Build(m_definition, {"3=7"}, {"7=2024-02-29"}, {}, now).status),
             int(TSendInputs::TStatus::Usage));
}

QTEST_GUILESS_MAIN(TestSendInputs)
#include "tst_send_inputs.moc"
