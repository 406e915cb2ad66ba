#include "cli/file_checker.h"
#include "terminal_model/ext_ini_file.h"

#include <QtTest>

using TProblems = QList<TFileChecker::TProblem>;

class TestFileChecker : public QObject {
    Q_OBJECT
private slots:
    void sampleAndSmallFilesAreClean_data();
    void sampleAndSmallFilesAreClean();
    void problems_data();
    void problems();
    void acceleratorWarnings_data();
    void acceleratorWarnings();
    void outputs();
};

namespace {

// A clean file with one group G and one command C; rows add or replace lines.
QByteArray File(const QByteArray &groups = "G=\n", const QByteArray &sections = "[G]\nC=\n",
                const QByteArray &command = "Commands=0,\"Code\",\"\",3,\"1\",0,0,0,0,0,0,0\nAnswers=\"X\",0,0\n",
                const QByteArray &head = "[General]\nProtocol=1\nInputDateFormat=0\nOutputDateFormat=7\n")
{
    return head + "[Return code]\n[FiscalAnswer]\nRecord1=1,1,0001,0001,\"Text\",clRed\n"
           + "[PrinterAnswer]\n[Groups]\n" + groups + sections + "[GC]\n" + command
           + "[Return codes]\nRC0=OK\n";
}

TProblems Check(const QByteArray &data)
{
    TExtIniFile ini;
    if (!ini.LoadFromData(data))
        qFatal("cannot parse the test file");
    return TFileChecker::Check(ini, data);
}

QString Describe(const TProblems &problems)
{
    QStringList lines;
    for (const TFileChecker::TProblem &p : problems)
        lines << "[" + p.section + "] " + p.key + ": " + p.message;
    return lines.join('\n');
}

QByteArray Fields(int count)
{
    QByteArray value = "Commands=";
    for (int i = 0; i < count; ++i)
        value += QByteArray(i ? "," : "") + "0,\"F\",\"\",0,\"\",0,0,0,0,0,0,0";
    return value + "\n";
}

}

void TestFileChecker::sampleAndSmallFilesAreClean_data()
{
    QTest::addColumn<QByteArray>("data");
    QFile demo(QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy"));
    if (!demo.open(QIODevice::ReadOnly))
        qFatal("cannot read the sample file");
    QTest::newRow("sample") << demo.readAll();
    QTest::newRow("small") << File();
    QTest::newRow("70 fields") << File("G=\n", "[G]\nC=\n", Fields(70));
    QTest::newRow("no fields") << File("G=\n", "[G]\nC=\n", "Commands=\nAnswers=\n");
    QTest::newRow("empty group") << File("G=\nH=\n", "[G]\nC=\n[H]\n");
    QTest::newRow("missing General keys") << File("G=\n", "[G]\nC=\n", "Commands=\n", "[General]\n");
}

void TestFileChecker::sampleAndSmallFilesAreClean()
{
    QFETCH(QByteArray, data);
    const TProblems problems = Check(data);
    QVERIFY2(problems.isEmpty(), qPrintable(Describe(problems)));
}

void TestFileChecker::problems_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("message");

    const QByteArray code = "0,\"Code\",\"\",3,\"1\",0,0,0,0,0,0,0";
    QTest::newRow("protocol range") << File("G=\n", "[G]\nC=\n", "Commands=\n", "[General]\nProtocol=2\n")
                                    << "General" << "Protocol" << "2 is outside 0..1";
    QTest::newRow("date format not a number")
        << File("G=\n", "[G]\nC=\n", "Commands=\n", "[General]\nInputDateFormat=dd\n")
        << "General" << "InputDateFormat" << "'dd' is not a valid integer value; it reads as 0";
    QTest::newRow("date format range") << File("G=\n", "[G]\nC=\n", "Commands=\n", "[General]\nOutputDateFormat=8\n")
                                       << "General" << "OutputDateFormat" << "8 is outside 0..7";

    QTest::newRow("record panel") << File().replace("Record1=1,1,", "Record1=1,17,") << "FiscalAnswer"
                                  << "Record1" << "the panel \"17\" is not a number from 1 to 16";
    QTest::newRow("record items") << File().replace("[PrinterAnswer]\n", "[PrinterAnswer]\nR=1,1,FF\n")
                                  << "PrinterAnswer" << "R" << "a record needs six items";
    QTest::newRow("record colour") << File().replace("clRed", "clCrimson") << "FiscalAnswer" << "Record1"
                                   << "the colour \"clCrimson\"";
    QTest::newRow("record text length")
        << File().replace("\"Text\"", "\"" + QByteArray(26, 'x') + "\"") << "FiscalAnswer" << "Record1"
        << "longer than 25 characters";

    QTest::newRow("return code key") << File().replace("RC0=OK", "RCx=OK") << "Return codes" << "RCx"
                                     << "not RC followed by a decimal return code";
    QTest::newRow("return code range") << File().replace("RC0=OK", "RC65536=OK") << "Return codes"
                                       << "RC65536" << "return code 65536 is outside 0..65535";

    QTest::newRow("reserved group") << File("G=\ngeneral=\n") << "Groups" << "general"
                                    << "\"general\" is a reserved name";
    QTest::newRow("group name length") << File("G=\n" + QByteArray(26, 'g') + "=\n") << "Groups"
                                       << QString(26, 'g') << "longer than 25 characters";
    QTest::newRow("group section missing") << File("G=\nH=\n") << "Groups" << "H" << "the group has no section [H]";
    QTest::newRow("command section missing") << File("G=\n", "[G]\nC=\nD=\n") << "G" << "D"
                                             << "the command has no section [GD]";
    QTest::newRow("group uses the return codes") << File("G=\nReturn codes=\n") << "Groups" << "Return codes"
                                                 << "which is the [Return codes] section of the file";
    QTest::newRow("commands share a section")
        << File("G=\nA=\nAB=\n", "[G]\nC=\n[A]\nBC=\n[AB]\nC=\n[ABC]\nCommands=\n")
        << "AB" << "C" << "command \"AB/C\" would use the section [ABC], which is command \"A/BC\"";
    QTest::newRow("command takes a group section")
        << File("G=\nGC=\n", "[G]\nC=\n[GC]\nX=\n[GCX]\nCommands=\n") << "G" << "C"
        << "command \"G/C\" would use the section [GC], which is group \"GC\"";
    QTest::newRow("duplicate key") << File("G=\n", "[G]\nC=\nc=\n") << "G" << "c"
                                   << "duplicate key at line";
    QTest::newRow("duplicate section") << File() + "[g]\nZ=\n" << "g" << ""
                                       << "the section appears again at line";
    QTest::newRow("duplicate after a byte-order mark")
        << "\xEF\xBB\xBF" + File() + "[general]\n" << "general" << "" << "appears again at line 18 (first at line 1)";
    {
        const QString text = QString::fromUtf8(File() + "[General]\n");
        QByteArray utf16("\xFF\xFE");
        utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        QTest::newRow("duplicate in UTF-16") << utf16 << "General" << "" << "appears again at line 18 (first at line 1)";
    }

    QTest::newRow("items not whole records") << File("G=\n", "[G]\nC=\n", "Commands=" + code + ",0\n")
                                             << "GC" << "Commands" << "13 items do not make whole records of 12 values";
    QTest::newRow("too many fields") << File("G=\n", "[G]\nC=\n", Fields(71)) << "GC" << "Commands"
                                     << "71 command fields, more than 70";
    QTest::newRow("strict integer") << File("G=\n", "[G]\nC=\n", "Commands=0,\"A\",\"\",Num,\"\",0,0,0,0,0,0,0\n")
                                    << "GC" << "Commands" << "'Num' is not a valid integer value; the command cannot be sent";
    QTest::newRow("lenient integer") << File("G=\n", "[G]\nC=\n", "Commands=0,\"A\",\"\",0,\"\",0,ten,0,0,0,0,0\n")
                                     << "GC" << "Commands" << "field 1: MaxLength 'ten' is not a valid integer value; it reads as 0";
    QTest::newRow("mode") << File("G=\n", "[G]\nC=\n", "Commands=2,\"A\",\"\",0,\"\",0,0,0,0,0,0,0\n")
                          << "GC" << "Commands" << "field 1: Mode 2 is neither 0 (host) nor 1 (fiscal)";
    QTest::newRow("mixed modes") << File("G=\n", "[G]\nC=\n", "Commands=" + code + ",1,\"B\",\"\",0,\"\",0,0,0,0,0,0,0\n")
                                 << "GC" << "Commands" << "field 2: Mode 1 differs from field 1";
    QTest::newRow("text type") << File("G=\n", "[G]\nC=\n", "Commands=0,\"A\",\"\",10,\"\",0,0,0,0,0,0,0\n")
                               << "GC" << "Commands" << "field 1: TextType 10 is outside 0..9";
    QTest::newRow("control type") << File("G=\n", "[G]\nC=\n", "Commands=0,\"A\",\"\",0,\"\",5,0,0,0,0,0,0\n")
                                  << "GC" << "Commands" << "field 1: ControlType 5 is outside 0..4";
    QTest::newRow("caption length")
        << File("G=\n", "[G]\nC=\n", "Commands=0,\"" + QByteArray(36, 'c') + "\",\"\",0,\"\",0,0,0,0,0,0,0\n")
        << "GC" << "Commands" << "field 1: the caption is longer than 35 characters";
    QTest::newRow("hint length")
        << File("G=\n", "[G]\nC=\n", "Commands=0,\"A\",\"" + QByteArray(36, 'h') + "\",0,\"\",0,0,0,0,0,0,0\n")
        << "GC" << "Commands" << "field 1: the hint is longer than 35 characters";
    QTest::newRow("default text type") << File("G=\n", "[G]\nC=\n", "Commands=0,\"A\",\"\",3,\"1a\",0,0,0,0,0,0,0\n")
                                       << "GC" << "Commands" << "field 1: the default text '1a' is not a valid Numeric text";
    QTest::newRow("default amount too large")
        << File("G=\n", "[G]\nC=\n", "Commands=0,\"A\",\"\",2,\"12345,67\",0,0,0,0,6,2,0\n")
        << "GC" << "Commands"
        << "field 1: the default text '12345,67' has 5 integer digits; the field holds 4; Send refuses it";
    QTest::newRow("default text length") << File("G=\n", "[G]\nC=\n", "Commands=0,\"A\",\"\",3,\"123\",0,2,0,0,0,0,0\n")
                                         << "GC" << "Commands" << "field 1: the default text is longer than MaxLength 2";
    QTest::newRow("commands length")
        << File("G=\n", "[G]\nC=\n", "Commands=0,\"A\",\"\",0,\"" + QByteArray(8200, 'd') + "\",0,0,0,0,0,0,0\n")
        << "GC" << "Commands" << "more than the 8191 a reader takes";

    QTest::newRow("answers strict") << File("G=\n", "[G]\nC=\n", "Commands=" + code + "\nAnswers=\"A\",x,0\n")
                                    << "GC" << "Answers" << "'x' is not a valid integer value; later answer fields are shown unnamed";
    QTest::newRow("answers items") << File("G=\n", "[G]\nC=\n", "Commands=" + code + "\nAnswers=\"A\",0,0,\"B\"\n")
                                   << "GC" << "Answers" << "4 items do not make whole records of 3 values";
    QTest::newRow("answers text type") << File("G=\n", "[G]\nC=\n", "Commands=" + code + "\nAnswers=\"A\",11,0\n")
                                       << "GC" << "Answers" << "answer field 1: TextType 11 is outside 0..9";
    QTest::newRow("answers decimals") << File("G=\n", "[G]\nC=\n", "Commands=" + code + "\nAnswers=\"A\",2,two\n")
                                      << "GC" << "Answers" << "answer field 1: DecimalDigits 'two'";
    QTest::newRow("notes length")
        << File("G=\n", "[G]\nC=\n", "Commands=" + code + "\nNotes=\"" + QByteArray(2100, 'n') + "\"\n")
        << "GC" << "Notes" << "more than the 2047 a reader takes";
}

void TestFileChecker::problems()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, message);
    const TProblems problems = Check(data);
    bool found = false;
    for (const TFileChecker::TProblem &p : problems)
        found = found || (p.section == section && p.key == key && p.message.contains(message));
    QVERIFY2(found, qPrintable("not found; problems:\n" + Describe(problems)));
}

void TestFileChecker::acceleratorWarnings_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("letters of their own") << QStringList{"&Amount", "&Price", "No mark"} << QStringList{};
    QTest::newRow("same letter, either case")
        << QStringList{"Code", "&Amount", "Ta&x", "&amount due"}
        << QStringList{"field 4 (amount due): its accelerator Alt+A is already used by field 2 (Amount)"};
    QTest::newRow("three on one letter")
        << QStringList{"Unit &price", "De&partment", "&Points"}
        << QStringList{"field 2 (Department): its accelerator Alt+P is already used by field 1 (Unit price)",
                       "field 3 (Points): its accelerator Alt+P is already used by field 1 (Unit price)"};
    QTest::newRow("a doubled mark is a plain &") << QStringList{"A&&B", "&B", "R&&&B"}
                                                  << QStringList{"field 3 (RB): its accelerator Alt+B is already used by field 2 (B)"};
    QTest::newRow("mark at the end") << QStringList{"Total&", "&Total"} << QStringList{};
}

// Two captions on one accelerator: the key reaches one field at a time. The
// file still reads and sends as it should, so it stays clean.
void TestFileChecker::acceleratorWarnings()
{
    QFETCH(QStringList, captions);
    QFETCH(QStringList, warnings);
    QByteArray value = "Commands=";
    for (int i = 0; i < captions.size(); ++i)
        value += QByteArray(i ? "," : "") + "0,\"" + captions.at(i).toUtf8() + "\",\"\",0,\"\",0,0,0,0,0,0,0";
    const TProblems problems = Check(File("G=\n", "[G]\nC=\n", value + "\nAnswers=\n"));
    QStringList found;
    for (const TFileChecker::TProblem &p : problems) {
        QVERIFY2(p.warning, qPrintable(Describe(problems)));
        QCOMPARE(p.section + "|" + p.key, QStringLiteral("GC|Commands"));
        found << p.message;
    }
    QCOMPARE(found, warnings);
    QCOMPARE(TFileChecker::IsClean(problems), true);
}

void TestFileChecker::outputs()
{
    const TProblems problems{{"General", "Protocol", "2 is outside 0..1"}, {"g", "", "the section appears again"}};
    QCOMPARE(TFileChecker::Text(problems),
             QStringLiteral("[General] Protocol: 2 is outside 0..1\n[g]: the section appears again\n"));
    const QJsonObject json = TFileChecker::Json("f.tsy", problems);
    QCOMPARE(json.value("clean").toBool(), false);
    QCOMPARE(json.value("problems").toArray().at(1).toObject(),
             QJsonObject({{"section", "g"}, {"key", ""}, {"message", "the section appears again"}}));
    QCOMPARE(TFileChecker::Json("f.tsy", {}).value("clean").toBool(), true);

    // Warnings are marked, listed apart, and leave the file clean.
    const TProblems warned{{"GC", "Commands", "field 2 (B): its accelerator", true}};
    QCOMPARE(TFileChecker::Text(warned), QStringLiteral("[GC] Commands: warning: field 2 (B): its accelerator\n"));
    const QJsonObject warnedJson = TFileChecker::Json("f.tsy", warned);
    QCOMPARE(warnedJson.value("clean").toBool(), true);
    QCOMPARE(warnedJson.value("problems").toArray().size(), 0);
    QCOMPARE(warnedJson.value("warnings").toArray().at(0).toObject().value("message").toString(),
             QStringLiteral("field 2 (B): its accelerator"));
    QCOMPARE(TFileChecker::Json("f.tsy", problems + warned).value("clean").toBool(), false);
}

QTEST_GUILESS_MAIN(TestFileChecker)
#include "tst_file_checker.moc"
