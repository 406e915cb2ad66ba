#include "terminal_model/field_types.h"

#include <QtTest>

class TestFieldTypes : public QObject
{
    Q_OBJECT

private slots:
    void textTypeNames_data();
    void textTypeNames();
    void textTypeFromGridName_data();
    void textTypeFromGridName();
    void controlTypeNames_data();
    void controlTypeNames();
    void modeAndFlagNames();
    void filterKey_data();
    void filterKey();
    void validText_data();
    void validText();
    void filterAgreesWithValidation_data();
    void filterAgreesWithValidation();
};

void TestFieldTypes::textTypeNames_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("gridName");
    QTest::addColumn<QString>("dialogName");

    const char *names[] = {"AlphaNumeric", "Alpha", "Currency", "Numeric", "Decimal",
                           "Hexa", "Binary", "Boolean", "Date", "Time"};
    for (int code = 0; code < 10; ++code) {
        const QString name = QString::fromLatin1(names[code]);
        QTest::addRow("%d", code) << code << name << QStringLiteral("as") + name;
    }
    QTest::newRow("below range") << -1 << "AlphaNumeric" << "asAlphaNumeric";
    QTest::newRow("above range") << 10 << "AlphaNumeric" << "asAlphaNumeric";
}

void TestFieldTypes::textTypeNames()
{
    QFETCH(int, code);
    QFETCH(QString, gridName);
    QFETCH(QString, dialogName);

    QCOMPARE(TFieldTypes::TextTypeGridName(code), gridName);
    QCOMPARE(TFieldTypes::TextTypeDialogName(code), dialogName);
    if (code >= 0 && code < TFieldTypes::TextTypeCount) {
        QCOMPARE(TFieldTypes::TextTypeGridNames().at(code), gridName);
        QCOMPARE(TFieldTypes::TextTypeDialogNames().at(code), dialogName);
    }
}

void TestFieldTypes::textTypeFromGridName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("code");

    QTest::newRow("AlphaNumeric") << "AlphaNumeric" << 0;
    QTest::newRow("Numeric") << "Numeric" << 3;
    QTest::newRow("Hexa") << "Hexa" << 5;
    QTest::newRow("Date") << "Date" << 8;
    QTest::newRow("unknown") << "Money" << 9;
    QTest::newRow("empty") << "" << 9;
    QTest::newRow("dialog name") << "asAlpha" << 9;
}

void TestFieldTypes::textTypeFromGridName()
{
    QFETCH(QString, name);
    QFETCH(int, code);
    QCOMPARE(TFieldTypes::TextTypeFromGridName(name), code);
}

void TestFieldTypes::controlTypeNames_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("codeOfName");

    QTest::newRow("0") << 0 << "Simple" << 0;
    QTest::newRow("1") << 1 << "DropDown" << 1;
    QTest::newRow("2") << 2 << "DropDownList" << 2;
    QTest::newRow("3") << 3 << "Date" << 3;
    QTest::newRow("4") << 4 << "Time" << 4;
    QTest::newRow("above range") << 5 << "Simple" << 0;
    QTest::newRow("below range") << -1 << "Simple" << 0;
}

void TestFieldTypes::controlTypeNames()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QFETCH(int, codeOfName);

    QCOMPARE(TFieldTypes::ControlTypeName(code), name);
    QCOMPARE(TFieldTypes::ControlTypeFromName(name), codeOfName);
    QCOMPARE(TFieldTypes::ControlTypeFromName(QStringLiteral("Calendar")), 4);
    QCOMPARE(TFieldTypes::ControlTypeNames().size(), TFieldTypes::ControlTypeCount);
}

void TestFieldTypes::modeAndFlagNames()
{
    QCOMPARE(TFieldTypes::ModeName(0), QStringLiteral("Host"));
    QCOMPARE(TFieldTypes::ModeName(1), QStringLiteral("Fiscal"));
    QCOMPARE(TFieldTypes::ModeName(7), QStringLiteral("Fiscal"));
    QCOMPARE(TFieldTypes::ModeFromName(QStringLiteral("Host")), 0);
    QCOMPARE(TFieldTypes::ModeFromName(QStringLiteral("Fiscal")), 1);
    QCOMPARE(TFieldTypes::ModeFromName(QString()), 1);

    QCOMPARE(TFieldTypes::YesNoName(1), QStringLiteral("Yes"));
    QCOMPARE(TFieldTypes::YesNoName(0), QStringLiteral("No"));
    QCOMPARE(TFieldTypes::YesNoName(2), QStringLiteral("No"));
    QCOMPARE(TFieldTypes::YesNoFromName(QStringLiteral("Yes")), 1);
    QCOMPARE(TFieldTypes::YesNoFromName(QStringLiteral("No")), 0);
    QCOMPARE(TFieldTypes::YesNoFromName(QStringLiteral("1")), 0);
}

void TestFieldTypes::filterKey_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<uint>("key");
    QTest::addColumn<QString>("current");
    QTest::addColumn<uint>("inserted"); // 0: refused

    QTest::newRow("numeric digit") << 3 << uint('7') << "12" << uint('7');
    QTest::newRow("numeric letter") << 3 << uint('a') << "12" << 0u;
    QTest::newRow("numeric blank") << 3 << uint(' ') << "" << 0u;
    QTest::newRow("numeric arabic-indic digit") << 3 << 0x0661u << "" << 0u;
    QTest::newRow("decimal separator") << 4 << uint('.') << "" << 0u;
    QTest::newRow("backspace in numeric") << 3 << 8u << "12" << 8u;
    QTest::newRow("escape in binary") << 6 << 27u << "" << 27u;
    QTest::newRow("currency first separator") << 2 << uint(',') << "10" << uint(',');
    QTest::newRow("currency second separator") << 2 << uint('.') << "10,5" << 0u;
    QTest::newRow("currency comma after point") << 2 << uint(',') << "1.5" << 0u;
    QTest::newRow("currency minus") << 2 << uint('-') << "" << 0u;
    QTest::newRow("hexa lower becomes upper") << 5 << uint('f') << "" << uint('F');
    QTest::newRow("hexa upper") << 5 << uint('C') << "" << uint('C');
    QTest::newRow("hexa g") << 5 << uint('g') << "" << 0u;
    QTest::newRow("hexa x") << 5 << uint('x') << "0" << 0u;
    QTest::newRow("binary one") << 6 << uint('1') << "" << uint('1');
    QTest::newRow("binary two") << 6 << uint('2') << "" << 0u;
    QTest::newRow("boolean y") << 7 << uint('y') << "" << uint('Y');
    QTest::newRow("boolean s") << 7 << uint('s') << "" << uint('S');
    QTest::newRow("boolean N") << 7 << uint('N') << "" << uint('N');
    QTest::newRow("boolean t") << 7 << uint('t') << "" << 0u;
    QTest::newRow("boolean long s") << 7 << 0x017Fu << "" << 0u;
    QTest::newRow("alpha letter") << 1 << uint('q') << "" << uint('q');
    QTest::newRow("alpha accented") << 1 << 0x00E9u << "" << 0x00E9u;
    QTest::newRow("alpha sharp s") << 1 << 0x00DFu << "" << 0x00DFu;
    QTest::newRow("alpha beyond 16 bits") << 1 << 0x1D400u << "" << 0x1D400u;
    QTest::newRow("alpha digit") << 1 << uint('1') << "" << 0u;
    QTest::newRow("alpha blank") << 1 << uint(' ') << "" << 0u;
    QTest::newRow("alphanumeric quote") << 0 << uint('"') << "" << uint('"');
    QTest::newRow("alphanumeric comma") << 0 << uint(',') << "" << uint(',');
    QTest::newRow("date anything") << 8 << uint('#') << "" << uint('#');
    QTest::newRow("time anything") << 9 << uint('z') << "" << uint('z');
    QTest::newRow("unknown type") << 42 << uint('z') << "" << uint('z');
}

void TestFieldTypes::filterKey()
{
    QFETCH(int, type);
    QFETCH(uint, key);
    QFETCH(QString, current);
    QFETCH(uint, inserted);
    QCOMPARE(uint(TFieldTypes::FilterKey(type, char32_t(key), current)), inserted);
}

void TestFieldTypes::validText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");

    QTest::newRow("numeric pasted with letter") << 3 << "12a3" << false;
    QTest::newRow("numeric digits") << 3 << "0123" << true;
    QTest::newRow("numeric empty") << 3 << "" << true;
    QTest::newRow("numeric fullwidth digit") << 3 << QString(QChar(0xFF10)) << false;
    QTest::newRow("currency several separators") << 2 << "1.2.3" << true;
    QTest::newRow("currency both separators") << 2 << "1.250,75" << true;
    QTest::newRow("currency blank") << 2 << "1 2" << false;
    QTest::newRow("hexa 0x prefix") << 5 << "0x1F" << false;
    QTest::newRow("hexa mixed case") << 5 << "aB09" << true;
    QTest::newRow("binary with 2") << 6 << "0102" << false;
    QTest::newRow("binary") << 6 << "0110" << true;
    QTest::newRow("boolean lower s") << 7 << "s" << true;
    QTest::newRow("boolean yes") << 7 << "yes" << false;
    QTest::newRow("alpha accented words") << 1 << QString::fromUtf8("Ñandú") << true;
    QTest::newRow("alpha with blank") << 1 << "ab cd" << false;
    QTest::newRow("decimal with tab") << 4 << "1\t2" << false;
    QTest::newRow("alphanumeric anything") << 0 << "a,\"b\" 1" << true;
    QTest::newRow("date anything") << 8 << "12/05/04" << true;
    QTest::newRow("time anything") << 9 << "14:30" << true;
}

void TestFieldTypes::validText()
{
    QFETCH(int, type);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(TFieldTypes::IsValidText(type, text), valid);
}

void TestFieldTypes::filterAgreesWithValidation_data()
{
    QTest::addColumn<int>("type");
    for (int type = 0; type < TFieldTypes::TextTypeCount; ++type)
        QTest::addRow("%s", qPrintable(TFieldTypes::TextTypeGridName(type))) << type;
}

// A key the filter lets in must never make the text invalid, and a character
// that validation accepts must not be refused as a key (separators of
// Currency aside, which depend on the text already typed).
void TestFieldTypes::filterAgreesWithValidation()
{
    QFETCH(int, type);

    QList<char32_t> keys;
    for (char32_t c = 32; c < 0x250; ++c)
        keys << c;
    keys << 0x0661 << 0x0966 << 0xFF10 << 0xFF21 << 0x20AC << 0x1D400 << 0x1F600 << 0x4E2D;

    for (char32_t key : keys) {
        const char32_t inserted = TFieldTypes::FilterKey(type, key, QString());
        const QString single = QString::fromUcs4(&key, 1);
        if (inserted != 0) {
            const QString result = QString::fromUcs4(&inserted, 1);
            QVERIFY2(TFieldTypes::IsValidText(type, result),
                     qPrintable(QStringLiteral("key U+%1").arg(uint(key), 4, 16, QLatin1Char('0'))));
        }
        if (TFieldTypes::IsValidText(type, single)) {
            QVERIFY2(inserted != 0,
                     qPrintable(QStringLiteral("char U+%1").arg(uint(key), 4, 16, QLatin1Char('0'))));
        }
    }
}

QTEST_GUILESS_MAIN(TestFieldTypes)
#include "tst_field_types.moc"
