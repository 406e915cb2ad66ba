#include "terminal_model/ext_ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray ReadAll(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool WriteAll(const QString &fileName, const QByteArray &data)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

class TestExtIniFile : public QObject {
    Q_OBJECT

private slots:
    void untouchedLinesKeepTheirBytes_data();
    void untouchedLinesKeepTheirBytes();
    void reading_data();
    void reading();
    void readInteger_data();
    void readInteger();
    void writeExactText_data();
    void writeExactText();
    void unchangedValueIsNoModification();
    void repeatedSectionsAndKeys();
    void largeSectionsStayConsistent();
    void lineBreaksInValuesStayOnOneLine();
    void unstorableNamesAreRefused_data();
    void unstorableNamesAreRefused();
    void updateFileWritesOnceAndKeepsPermissions();
    void refusedWriteLeavesFileUntouched_data();
    void refusedWriteLeavesFileUntouched();
    void saveAsMovesTheDocument();
    void loadFailureKeepsContent();
    void longValuesAreNotCut();
    void copyIsIndependent();
};

void TestExtIniFile::untouchedLinesKeepTheirBytes_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("lf") << QByteArray("; comment\n\n[General]\nProtocol = 1\n  odd line\n");
    QTest::newRow("crlf") << QByteArray("; c\r\n[General]\r\nProtocol=1\r\n\r\n[Groups]\r\nA=\r\n");
    QTest::newRow("mixed endings") << QByteArray("[a]\r\nk=v\nx=y\r\n");
    QTest::newRow("no final newline") << QByteArray("[a]\nk=v");
    QTest::newRow("bom") << QByteArray("\xEF\xBB\xBF[a]\nk=v\n");
    QTest::newRow("utf8 text") << QByteArray("[a]\nk=Gr\xC3\xBC\xC3\x9F" "e\n");
    QTest::newRow("1252 text") << QByteArray("[a]\nk=Gr\xFC\xDF" "e \x80\n");
    QTest::newRow("blank-only lines") << QByteArray("[a]\n \t \nk=v\n");
    QTest::newRow("empty") << QByteArray();
}

void TestExtIniFile::untouchedLinesKeepTheirBytes()
{
    QFETCH(QByteArray, data);
    TExtIniFile ini;
    ini.LoadFromData(data);
    QCOMPARE(ini.ToData(), data);
    // A write elsewhere leaves every other line as it was.
    ini.WriteString(QStringLiteral("zz"), QStringLiteral("k"), QStringLiteral("v"));
    QVERIFY(ini.ToData().startsWith(data.endsWith('\n') || data.isEmpty() ? data : data + '\n'));
}

void TestExtIniFile::reading_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "Group1Command1" << "Answers" << "\"XXXXX\",3,0";
    QTest::newRow("case of names") << "group1command1" << "ANSWERS" << "\"XXXXX\",3,0";
    QTest::newRow("trimmed, quotes kept") << "Group1Command1" << "Notes" << "\"\"Description Hint\"\"";
    QTest::newRow("blanks around =") << "General" << "Protocol" << "1";
    QTest::newRow("second = in value") << "General" << "Eq" << "a=b";
    QTest::newRow("missing key") << "General" << "Nothing" << "def";
    QTest::newRow("missing section") << "Nowhere" << "Protocol" << "def";
    QTest::newRow("commented key") << "General" << ";Hidden" << "def";
    QTest::newRow("header with blanks") << "Spaced" << "k" << "v";
    QTest::newRow("no-break space kept") << "Spaced" << "nb" << "a\u00A0";
}

void TestExtIniFile::reading()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TExtIniFile ini;
    ini.LoadFromData("; comment\n[General]\n  Protocol =  1 \n;Hidden=1\nEq=a=b\n\n"
                     "[Group1Command1]\nAnswers=\"XXXXX\",3,0\nNotes= \"\"Description Hint\"\"\n"
                     "  [ Spaced ]  \nk=v\nnb=a\xC2\xA0\n");
    QCOMPARE(ini.ReadString(section, key, QStringLiteral("def")), expected);
    QCOMPARE(ini.ValueExists(section, key), expected != QLatin1String("def"));
}

void TestExtIniFile::readInteger_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("number") << "7" << 7;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("text") << "abc" << 42;
    QTest::newRow("empty") << "" << 42;
    QTest::newRow("trailing text") << "1x" << 42;
    QTest::newRow("hex is not decimal") << "$1F" << 42;
}

void TestExtIniFile::readInteger()
{
    QFETCH(QString, value);
    QFETCH(int, expected);
    TExtIniFile ini;
    ini.LoadFromData("[General]\nProtocol=" + value.toUtf8() + "\n");
    QCOMPARE(ini.ReadInteger(QStringLiteral("General"), QStringLiteral("Protocol"), 42), expected);
}

void TestExtIniFile::writeExactText_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QByteArray>("after");

    const QByteArray base("; head\n[General]\nProtocol = 0\n\n[Groups]\nA=\n");
    QTest::newRow("replace keeps key spelling and spacing")
        << base << "write General/protocol=1" << QByteArray("; head\n[General]\nProtocol = 1\n\n[Groups]\nA=\n");
    QTest::newRow("new key after last key, before blank")
        << base << "write General/InputDateFormat=2"
        << QByteArray("; head\n[General]\nProtocol = 0\nInputDateFormat=2\n\n[Groups]\nA=\n");
    QTest::newRow("new section at end, blank line before")
        << base << "write New/k=v" << QByteArray("; head\n[General]\nProtocol = 0\n\n[Groups]\nA=\n\n[New]\nk=v\n");
    QTest::newRow("new section after missing final newline")
        << QByteArray("[a]\nk=v") << "write b/x=1" << QByteArray("[a]\nk=v\n\n[b]\nx=1\n");
    QTest::newRow("new key after missing final newline")
        << QByteArray("[a]\nk=v") << "write a/x=1" << QByteArray("[a]\nk=v\nx=1\n");
    QTest::newRow("crlf file gets crlf lines")
        << QByteArray("[a]\r\nk=v\r\n") << "write b/x=1" << QByteArray("[a]\r\nk=v\r\n\r\n[b]\r\nx=1\r\n");
    QTest::newRow("key into empty section")
        << QByteArray("[Return code]\n\n[Groups]\n") << "write Return code/RC1=x"
        << QByteArray("[Return code]\nRC1=x\n\n[Groups]\n");
    QTest::newRow("delete key")
        << base << "delete General/PROTOCOL" << QByteArray("; head\n[General]\n\n[Groups]\nA=\n");
    QTest::newRow("erase section takes its trailing lines")
        << base << "erase general" << QByteArray("; head\n[Groups]\nA=\n");
    QTest::newRow("erase last section") << base << "erase Groups" << QByteArray("; head\n[General]\nProtocol = 0\n\n");
    QTest::newRow("value written to empty") << base << "write General/Protocol=" << QByteArray("; head\n[General]\nProtocol =\n\n[Groups]\nA=\n");
    QTest::newRow("into empty file, CR LF") << QByteArray() << "write a/k=v" << QByteArray("[a]\r\nk=v\r\n");
}

void TestExtIniFile::writeExactText()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, operation);
    QFETCH(QByteArray, after);
    TExtIniFile ini;
    ini.LoadFromData(before);
    const QString verb = operation.section(QLatin1Char(' '), 0, 0);
    const QString rest = operation.section(QLatin1Char(' '), 1);
    const QString section = rest.section(QLatin1Char('/'), 0, 0);
    const QString keyValue = rest.section(QLatin1Char('/'), 1);
    if (verb == QLatin1String("write"))
        ini.WriteString(section, keyValue.section(QLatin1Char('='), 0, 0), keyValue.section(QLatin1Char('='), 1));
    else if (verb == QLatin1String("delete"))
        ini.DeleteKey(section, keyValue);
    else
        ini.EraseSection(rest);
    QCOMPARE(ini.ToData(), after);
    QVERIFY(ini.IsModified());
}

void TestExtIniFile::unchangedValueIsNoModification()
{
    TExtIniFile ini;
    ini.LoadFromData("[a]\nk = v\n");
    ini.WriteString(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("v"));
    ini.DeleteKey(QStringLiteral("a"), QStringLiteral("missing"));
    ini.EraseSection(QStringLiteral("missing"));
    QVERIFY(!ini.IsModified());
    QCOMPARE(ini.ToData(), QByteArray("[a]\nk = v\n"));
}

void TestExtIniFile::repeatedSectionsAndKeys()
{
    TExtIniFile ini;
    ini.LoadFromData("[a]\nk=1\nK=2\nx=\n[b]\ny=\n[A]\nk=3\nz=4\n");
    QCOMPARE(ini.ReadString(QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("1"));
    QCOMPARE(ini.ReadSection(QStringLiteral("a")), QStringList({"k", "x"}));
    QCOMPARE(ini.ReadSections(), QStringList({"a", "b"}));
    ini.DeleteKey(QStringLiteral("a"), QStringLiteral("k"));
    QVERIFY(!ini.ValueExists(QStringLiteral("a"), QStringLiteral("k")));
    ini.EraseSection(QStringLiteral("a"));
    QVERIFY(!ini.SectionExists(QStringLiteral("A")));
    QCOMPARE(ini.ToData(), QByteArray("[b]\ny=\n"));
}

void TestExtIniFile::largeSectionsStayConsistent()
{
    // Large sections are indexed; the index must follow every change.
    QByteArray data = "[Groups]\n";
    QStringList expected;
    for (int i = 0; i < 40; ++i) {
        data += "G" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\n";
        expected.append(QStringLiteral("G%1").arg(i));
    }
    data += "g5=repeated\n\n; trailer\n[Next]\n";
    TExtIniFile ini;
    ini.LoadFromData(data);
    const QString groups = QStringLiteral("Groups");
    QCOMPARE(ini.ReadSection(groups), expected);
    QCOMPARE(ini.ReadString(groups, QStringLiteral("G5")), QStringLiteral("5"));

    ini.WriteString(groups, QStringLiteral("New"), QStringLiteral("n"));
    ini.DeleteKey(groups, QStringLiteral("G5"));
    ini.WriteString(groups, QStringLiteral("G39"), QStringLiteral("changed"));
    ini.WriteString(groups, QStringLiteral("Last"), QStringLiteral("l"));
    expected.removeAll(QStringLiteral("G5"));
    expected << QStringLiteral("New") << QStringLiteral("Last");
    QCOMPARE(ini.ReadSection(groups), expected);
    QVERIFY(!ini.ValueExists(groups, QStringLiteral("g5")));
    QCOMPARE(ini.ReadString(groups, QStringLiteral("new")), QStringLiteral("n"));
    QCOMPARE(ini.ReadString(groups, QStringLiteral("g39")), QStringLiteral("changed"));
    QCOMPARE(ini.ReadString(groups, QStringLiteral("LAST")), QStringLiteral("l"));
    QVERIFY(ini.ToData().endsWith("G39=changed\nNew=n\nLast=l\n\n; trailer\n[Next]\n"));
}

void TestExtIniFile::lineBreaksInValuesStayOnOneLine()
{
    TExtIniFile ini;
    ini.LoadFromData("[a]\n");
    ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("one\r\ntwo\n[b]"));
    QCOMPARE(ini.ToData(), QByteArray("[a]\nk=one two [b]\n"));
    QVERIFY(!ini.SectionExists(QStringLiteral("b")));
}

void TestExtIniFile::unstorableNamesAreRefused_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("named");
    QTest::newRow("= in a key") << "a" << "x=y" << "x=y";
    QTest::newRow("key taken for a header") << "a" << "[x" << "[x";
    QTest::newRow("key taken for a comment") << "a" << " ;x" << ";x";
    QTest::newRow("empty key") << "a" << " " << "";
    QTest::newRow("line break in a key") << "a" << "x\ny" << "x\ny";
    QTest::newRow("] in a new section") << "b]c" << "k" << "b]c";
    QTest::newRow("line break in a new section") << "b\r\nc" << "k" << "b\r\nc";
}

void TestExtIniFile::unstorableNamesAreRefused()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, named);
    const QByteArray data("[a]\nk=1\n");
    TExtIniFile ini;
    ini.LoadFromData(data);
    QVERIFY(!ini.WriteString(section, key, QStringLiteral("v")));
    QCOMPARE(ini.ToData(), data);
    QVERIFY2(ini.RefusedChange().startsWith(QStringLiteral("The name \"%1\" cannot be stored").arg(named)),
             qPrintable(ini.RefusedChange()));
}

void TestExtIniFile::updateFileWritesOnceAndKeepsPermissions()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("t.tsy"));
    QVERIFY(WriteAll(path, "[a]\r\nk=1\r\n"));
    const auto permissions = QFile::Permissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    QVERIFY(QFile::setPermissions(path, permissions));

    TExtIniFile ini(path);
    QCOMPARE(ini.FileName(), path);
    ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2"));
    ini.WriteString(QStringLiteral("b"), QStringLiteral("x"), QStringLiteral("y"));
    QCOMPARE(ReadAll(path), QByteArray("[a]\r\nk=1\r\n"));   // nothing on disk before UpdateFile
    QVERIFY(ini.UpdateFile());
    QVERIFY(!ini.IsModified());
    QCOMPARE(ReadAll(path), QByteArray("[a]\r\nk=2\r\n\r\n[b]\r\nx=y\r\n"));
    const auto ownerGroupOther = QFile::Permissions(0x7777) & ~QFile::Permissions(0x0700);
    QCOMPARE(QFile::permissions(path) & ownerGroupOther, permissions);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("t.tsy")});

    QVERIFY(WriteAll(path, "[a]\nk=3\n"));
    QVERIFY(ini.Reload());
    QCOMPARE(ini.ReadString(QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("3"));
}

void TestExtIniFile::refusedWriteLeavesFileUntouched_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("read-only folder") << "folder";
    QTest::newRow("read-only file") << "file";
    QTest::newRow("folder replaced by a file") << "vanished";
}

void TestExtIniFile::refusedWriteLeavesFileUntouched()
{
    QFETCH(QString, obstacle);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("files"));
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + QStringLiteral("/t.tsy");
    const QByteArray original("[a]\nk=1\n");
    QVERIFY(WriteAll(path, original));
    TExtIniFile ini(path);
    ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2"));

    if (obstacle == QLatin1String("vanished")) {
        // The adapter or share went away: the folder is now something else.
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(WriteAll(folder, "not a folder"));
        QVERIFY(!ini.UpdateFile());
        QCOMPARE(ini.LastError(), QStringLiteral("Unable to write to %1").arg(path));
        QCOMPARE(ReadAll(folder), QByteArray("not a folder"));
        QVERIFY(ini.IsModified());
        return;
    }

    const QString locked = obstacle == QLatin1String("folder") ? folder : path;
    const auto saved = QFile::permissions(locked);
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    QFile probe(folder + QStringLiteral("/probe"));
    const bool permissionsIgnored = obstacle == QLatin1String("folder") ? probe.open(QIODevice::WriteOnly)
                                                                       : QFileInfo(path).isWritable();
    if (permissionsIgnored) {
        probe.remove();
        QFile::setPermissions(locked, saved);
        QSKIP("running with privileges that ignore file permissions");
    }
    const bool written = ini.UpdateFile();
    QFile::setPermissions(locked, saved);

    QVERIFY(!written);
    QCOMPARE(ini.LastError(), QStringLiteral("Unable to write to %1").arg(path));
    QCOMPARE(ReadAll(path), original);
    QVERIFY(ini.IsModified());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("t.tsy")});
    QVERIFY(ini.Reload());
    QCOMPARE(ini.ReadString(QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("1"));
    QVERIFY(!ini.IsModified());
}

void TestExtIniFile::saveAsMovesTheDocument()
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("a.tsy"));
    const QString second = dir.filePath(QStringLiteral("b.tsy"));
    QVERIFY(WriteAll(first, "[a]\nk=1\n"));
    TExtIniFile ini(first);
    ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2"));
    QVERIFY(ini.SaveAs(second));
    QCOMPARE(ini.FileName(), second);
    QCOMPARE(ReadAll(first), QByteArray("[a]\nk=1\n"));
    QCOMPARE(ReadAll(second), QByteArray("[a]\nk=2\n"));
    QVERIFY(!ini.SaveAs(dir.filePath(QStringLiteral("missing/c.tsy"))));
    QCOMPARE(ini.FileName(), second);
}

void TestExtIniFile::loadFailureKeepsContent()
{
    TExtIniFile ini;
    ini.LoadFromData("[a]\nk=1\n");
    QVERIFY(!ini.Load(QStringLiteral("/nonexistent/x.tsy")));
    QVERIFY(ini.LastError().startsWith(QStringLiteral("Unable to read from /nonexistent/x.tsy")));
    QCOMPARE(ini.ReadString(QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("1"));

    TExtIniFile fresh(QStringLiteral("/nonexistent/y.tsy"));
    QCOMPARE(fresh.FileName(), QStringLiteral("/nonexistent/y.tsy"));
    QVERIFY(fresh.ReadSections().isEmpty());
}

void TestExtIniFile::longValuesAreNotCut()
{
    const QString value(20000, QLatin1Char('x'));
    TExtIniFile ini;
    ini.LoadFromData("[a]\nCommands=" + value.toLatin1() + "\n");
    QCOMPARE(ini.ReadString(QStringLiteral("a"), QStringLiteral("Commands")).size(), value.size());
}

void TestExtIniFile::copyIsIndependent()
{
    TExtIniFile ini;
    ini.LoadFromData("[a]\nk=caf\xE9\n");
    TExtIniFile copy(ini);
    copy.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("x"));
    QCOMPARE(ini.ReadString(QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("caf\u00E9"));
    QCOMPARE(copy.Encoding(), TTextCodec::TEncoding::Windows1252);
    QVERIFY(copy.IsModified());
    QVERIFY(!ini.IsModified());
}

QTEST_GUILESS_MAIN(TestExtIniFile)
#include "tst_ext_ini_file.moc"
