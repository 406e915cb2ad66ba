#include "execution/fixed_answer_table.h"
#include "terminal_model/ext_ini_file.h"

#include <QtTest>

namespace {

TFixedAnswer Record(int panel, quint16 mask, quint16 result, const QString &text, quint32 color)
{
    TFixedAnswer record;
    record.Panel = panel;
    record.Mask = mask;
    record.Result = result;
    record.Text = text;
    record.Color = color;
    return record;
}

const quint32 Red = 0x0000FF;
const quint32 Green = 0x008000;

}

class TestFixedAnswerTable : public QObject {
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
    void panelsOutOfRange();
    void loadFromFile();
};

void TestFixedAnswerTable::decode_data()
{
    QTest::addColumn<QList<TFixedAnswer>>("records");
    QTest::addColumn<int>("word");
    QTest::addColumn<QStringList>("texts");   // per panel, "-" for an empty panel

    const QList<TFixedAnswer> memory{Record(2, 0x0600, 0x0600, "Memory full", Red),
                                     Record(1, 0x0001, 0x0000, "OK", Green)};
    QTest::newRow("two panels") << memory << 0x0600 << QStringList{"OK", "Memory full"};
    QTest::newRow("nothing matches panel 2") << memory << 0x0201 << QStringList{"-", "-"};

    const QList<TFixedAnswer> masked{Record(1, 0xFF11, 0x0011, "Message1", Red)};
    QTest::newRow("mask matches") << masked << 0x0011 << QStringList{"Message1"};
    QTest::newRow("mask does not match") << masked << 0x0111 << QStringList{"-"};

    // A catch-all before the specific record is a default; after it, it
    // always wins.
    const QList<TFixedAnswer> defaultFirst{Record(1, 0, 0, "Idle", Green),
                                           Record(1, 0x8000, 0x8000, "Error", Red)};
    QTest::newRow("default replaced") << defaultFirst << 0x8000 << QStringList{"Error"};
    QTest::newRow("default kept") << defaultFirst << 0x0000 << QStringList{"Idle"};
    const QList<TFixedAnswer> defaultLast{Record(1, 0x8000, 0x8000, "Error", Red),
                                          Record(1, 0, 0, "Idle", Green)};
    QTest::newRow("later record wins") << defaultLast << 0x8000 << QStringList{"Idle"};

    QTest::newRow("unmatched panels below the highest exist")
        << QList<TFixedAnswer>{Record(4, 0, 0, "Four", Red)} << 0 << QStringList{"-", "-", "-", "Four"};
    QTest::newRow("no records") << QList<TFixedAnswer>{} << 0xFFFF << QStringList{};
}

void TestFixedAnswerTable::decode()
{
    QFETCH(QList<TFixedAnswer>, records);
    QFETCH(int, word);
    QFETCH(QStringList, texts);
    const TFixedAnswerTable table(records);
    QCOMPARE(table.MaxPanel(), texts.size());
    const auto panels = table.Decode(quint16(word));
    QStringList shown;
    for (const auto &panel : panels)
        shown << (panel.shown ? panel.text : QStringLiteral("-"));
    QCOMPARE(shown, texts);
}

void TestFixedAnswerTable::panelsOutOfRange()
{
    QStringList errors;
    const TFixedAnswerTable table({Record(0, 0, 0, "Zero", Red), Record(3, 0, 0, "Three", Green),
                                   Record(71, 0, 0, "Far", Red)},
                                  QStringLiteral("FiscalAnswer"), &errors);
    QCOMPARE(table.MaxPanel(), 3);
    QCOMPARE(table.Records().size(), 1);
    QCOMPARE(errors, QStringList({"[FiscalAnswer] record 1: panel 0 is outside 1..70",
                                  "[FiscalAnswer] record 3: panel 71 is outside 1..70"}));
    QCOMPARE(table.Decode(0).at(2).color, Green);
}

void TestFixedAnswerTable::loadFromFile()
{
    TExtIniFile ini;
    QVERIFY(ini.LoadFromData("[FiscalAnswer]\n"
                             "Record1=1,1,0001,0000,\"OK\",clGreen\n"
                             "Anything=9,2,0600,0600,\"Memory full\",clRed\n"
                             "Record3=3,2,zz,0600,\"Broken\",clRed\n"));
    QStringList errors;
    const auto table = TFixedAnswerTable::Load(ini, QStringLiteral("FiscalAnswer"), &errors);
    QCOMPARE(table.MaxPanel(), 2);
    QCOMPARE(errors.size(), 1);
    const auto panels = table.Decode(0x0600);
    QCOMPARE(panels.at(0).text, QStringLiteral("OK"));
    QCOMPARE(panels.at(0).color, Green);
    QCOMPARE(panels.at(1).text, QStringLiteral("Memory full"));
    QCOMPARE(panels.at(1).color, Red);
}

QTEST_GUILESS_MAIN(TestFixedAnswerTable)
#include "tst_fixed_answer_table.moc"
