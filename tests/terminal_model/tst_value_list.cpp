#include "terminal_model/ext_ini_file.h"
#include "terminal_model/value_list.h"

#include <QtTest>

class TestValueList : public QObject {
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void join_data();
    void join();
    void joinThenSplitGivesItemsBack_data();
    void joinThenSplitGivesItemsBack();
    void storedLines_data();
    void storedLines();
    void comboLinesAndNotesInTheFile();
};

void TestValueList::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("blank ends unquoted item") << "a b,c" << QStringList{"a", "b", "c"};
    QTest::newRow("quoted blank") << "\"a b\",c" << QStringList{"a b", "c"};
    QTest::newRow("empty middle item") << "a,,c" << QStringList{"a", "", "c"};
    QTest::newRow("empty first item") << ",a" << QStringList{"", "a"};
    QTest::newRow("trailing comma") << "a,b," << QStringList{"a", "b"};
    QTest::newRow("empty text") << "" << QStringList{};
    QTest::newRow("only blanks") << " \t " << QStringList{};
    QTest::newRow("blanks around commas") << "  a ,\t b  " << QStringList{"a", "b"};
    QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\",x" << QStringList{"say \"hi\"", "x"};
    QTest::newRow("missing closing quote") << "a,\"b, c" << QStringList{"a", "b, c"};
    QTest::newRow("empty quoted") << "\"\"" << QStringList{""};
    QTest::newRow("text right after closing quote") << "\"a\"b" << QStringList{"a", "b"};
    QTest::newRow("quote inside unquoted item") << "a\"b,c" << QStringList{"a\"b", "c"};
    QTest::newRow("control characters are blanks") << "a\x01" "b" << QStringList{"a", "b"};
    QTest::newRow("nul is dropped") << QString::fromLatin1("a,\0,b", 5) << QStringList{"a", "", "b"};
    QTest::newRow("record") << "0,\"Descripcion\",\"Description Hint\",0,\"F0\",0,25,0,0,0,0,0"
                            << QStringList{"0", "Descripcion", "Description Hint", "0", "F0", "0",
                                           "25", "0", "0", "0", "0", "0"};
}

void TestValueList::split()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QCOMPARE(TValueList::Split(text), items);
}

void TestValueList::join_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("text");
    QTest::newRow("bare") << QStringList{"1", "2", "3"} << "1,2,3";
    QTest::newRow("blank quoted") << QStringList{"Description Hint"} << "\"Description Hint\"";
    QTest::newRow("comma quoted") << QStringList{"a,b", "c"} << "\"a,b\",c";
    QTest::newRow("quote doubled") << QStringList{"a\"b"} << "\"a\"\"b\"";
    QTest::newRow("tab quoted") << QStringList{"a\tb"} << "\"a\tb\"";
    QTest::newRow("one empty item") << QStringList{""} << "\"\"";
    QTest::newRow("empty middle item") << QStringList{"a", "", "b"} << "a,,b";
    QTest::newRow("empty last item kept") << QStringList{"a", ""} << "a,\"\"";
    QTest::newRow("no items") << QStringList{} << "";
    QTest::newRow("non-ASCII bare") << QStringList{"Caf\u00E9"} << "Caf\u00E9";
}

void TestValueList::join()
{
    QFETCH(QStringList, items);
    QFETCH(QString, text);
    QCOMPARE(TValueList::Join(items), text);
}

void TestValueList::joinThenSplitGivesItemsBack_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::newRow("mixed") << QStringList{"a b", "", "\"", ",", "x\"y", "  lead"};
    QTest::newRow("blank lines of notes") << QStringList{"first", "", "", "last", ""};
    QTest::newRow("only empties") << QStringList{"", ""};
    QTest::newRow("nul inside items") << QStringList{QString::fromLatin1("a\0b", 3), QString(QChar(0)) + "c"};
}

void TestValueList::joinThenSplitGivesItemsBack()
{
    QFETCH(QStringList, items);
    QCOMPARE(TValueList::Split(TValueList::Join(items)), items);
    QCOMPARE(TValueList::LinesFromStored(TValueList::StoredFromLines(items)), items);
}

void TestValueList::storedLines_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("three lines") << "\"1,2,3\"" << QStringList{"1", "2", "3"};
    QTest::newRow("quoted line") << "\"\"1 2\",3\"" << QStringList{"1 2", "3"};
    QTest::newRow("notes") << "\"\"Description Hint\"\"" << QStringList{"Description Hint"};
    QTest::newRow("empty list") << "\"\"" << QStringList{};
    QTest::newRow("one character") << "\"" << QStringList{};
    QTest::newRow("empty value") << "" << QStringList{};
}

void TestValueList::storedLines()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, lines);
    QCOMPARE(TValueList::LinesFromStored(stored), lines);
}

void TestValueList::comboLinesAndNotesInTheFile()
{
    TExtIniFile ini;
    ini.LoadFromData("[S]\nCommands=\nCL2=\"x\"\n");
    TValueList::WriteComboLines(ini, QStringLiteral("S"), 1, {"1", "2 3"});
    TValueList::WriteComboLines(ini, QStringLiteral("S"), 2, {});
    TValueList::WriteNotes(ini, QStringLiteral("S"), {});
    QCOMPARE(ini.ToData(), QByteArray("[S]\nCommands=\nCL1=\"1,\"2 3\"\"\nNotes=\"\"\n"));
    QCOMPARE(TValueList::ReadComboLines(ini, QStringLiteral("s"), 1), QStringList({"1", "2 3"}));
    QCOMPARE(TValueList::ReadComboLines(ini, QStringLiteral("S"), 2), QStringList());
    QCOMPARE(TValueList::ReadNotes(ini, QStringLiteral("S")), QStringList());
    TValueList::WriteNotes(ini, QStringLiteral("S"), {"Description Hint"});
    QCOMPARE(ini.ReadString(QStringLiteral("S"), QStringLiteral("Notes")), QStringLiteral("\"\"Description Hint\"\""));
}

QTEST_GUILESS_MAIN(TestValueList)
#include "tst_value_list.moc"
