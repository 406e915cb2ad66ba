#include "sim/sim_profile.h"

#include <QtTest>

namespace {

const QDateTime Noon(QDate(2026, 12, 7), QTime(12, 30, 45));

QList<QByteArray> Expand(const QByteArray &list, const QList<QByteArray> &fields)
{
    TSimProfile profile;
    const QByteArray text = "[Host]\nFields=" + list + "\n";
    if (!profile.LoadFromText(text))
        return {"error: " + profile.ErrorString().toUtf8()};
    return profile.HostReply(fields, Noon).Fields;
}

} // namespace

class TestSimProfile : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void badLists_data();
    void badLists();
    void words_data();
    void words();
    void commandRules();
    void fiscalRules();
    void builtInFiscalFrames();
    void badFilesKeepTheProfile_data();
    void badFilesKeepTheProfile();
    void demoProfile();
};

void TestSimProfile::fields_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QList<QByteArray>>("expected");

    const QList<QByteArray> command{QByteArray::fromHex("0101"), "7", "T"};
    QTest::newRow("echo all spreads") << QByteArray("$*") << command;
    QTest::newRow("quoted and plain") << QByteArray("\"a, b\",plain text , x'0041'")
                                      << QList<QByteArray>{"a, b", "plain text", QByteArray("\x00" "A", 2)};
    QTest::newRow("doubled quote") << QByteArray("\"say \"\"hi\"\"\"") << QList<QByteArray>{"say \"hi\""};
    QTest::newRow("field echo and concatenation")
        << QByteArray("$2,\"No. \"$2\"/\"$3,$9") << QList<QByteArray>{"7", "No. 7/T", ""};
    QTest::newRow("all fields joined inside an item")
        << QByteArray("\"<\"$*\">\"") << QList<QByteArray>{"<" + command.join() + ">"};
    QTest::newRow("odd hex gets a leading zero") << QByteArray("x'123'") << QList<QByteArray>{QByteArray::fromHex("0123")};
    QTest::newRow("empty items") << QByteArray("a,,\"\"") << QList<QByteArray>{"a", "", ""};
    QTest::newRow("time") << QByteArray("$now(ddMMyyyy),$now(HHmmss)")
                          << QList<QByteArray>{"07122026", "123045"};
    QTest::newRow("a word with x stays text") << QByteArray("xyz,tax'") << QList<QByteArray>{"xyz", "tax'"};
    QTest::newRow("no fields") << QByteArray("") << QList<QByteArray>{};
}

void TestSimProfile::fields()
{
    QFETCH(QByteArray, list);
    QFETCH(QList<QByteArray>, expected);
    QCOMPARE(Expand(list, {QByteArray::fromHex("0101"), "7", "T"}), expected);
}

void TestSimProfile::badLists_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::newRow("unclosed quote") << QByteArray("\"abc");
    QTest::newRow("unclosed hex") << QByteArray("x'12");
    QTest::newRow("bad hex digit") << QByteArray("x'1G'");
    QTest::newRow("unclosed now") << QByteArray("$now(dd");
}

void TestSimProfile::badLists()
{
    QFETCH(QByteArray, list);
    QList<TSimProfile::TItem> items;
    QString error;
    QVERIFY(!TSimProfile::ParseList(list, items, error));
    QVERIFY(!error.isEmpty());
}

void TestSimProfile::words_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << QByteArray("128") << true << 128;
    QTest::newRow("0x") << QByteArray("0x8001") << true << -32767;
    QTest::newRow("dollar") << QByteArray("$00FF") << true << 255;
    QTest::newRow("negative") << QByteArray("-1") << true << -1;
    QTest::newRow("too big") << QByteArray("0x10000") << false << 0;
    QTest::newRow("text") << QByteArray("abc") << false << 0;
    QTest::newRow("empty") << QByteArray("") << false << 0;
}

void TestSimProfile::words()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    qint16 word = 0;
    QCOMPARE(TSimProfile::ParseWord(text, word), ok);
    if (ok)
        QCOMPARE(int(word), value);
}

void TestSimProfile::commandRules()
{
    TSimProfile profile;
    const TSimProfile::THostReply plain = profile.HostReply({"A", "B"});
    QCOMPARE(plain.PrinterStatus, 0);
    QCOMPARE(plain.ReturnCode, 0);
    QCOMPARE(plain.Fields, (QList<QByteArray>{"A", "B"}));

    QVERIFY2(profile.LoadFromText("; comment\n"
                                  "[General]\nProtocol=1\n"
                                  "[Host]\nFiscalStatus=0x0008\nFields=\n"
                                  "[Command sell]\nCode=x'0102'\nReturnCode=12\nFields=\"1250\",$2\n"
                                  "[Command status]\ncode = x'0001'\nPrinterStatus=$0080\n"),
             qPrintable(profile.ErrorString()));
    const TSimProfile::THostReply sell = profile.HostReply({QByteArray::fromHex("0102"), "Item"});
    QCOMPARE(sell.ReturnCode, 12);
    QCOMPARE(sell.FiscalStatus, 8);   // from [Host]
    QCOMPARE(sell.Fields, (QList<QByteArray>{"1250", "Item"}));
    const TSimProfile::THostReply status = profile.HostReply({QByteArray::fromHex("0001")});
    QCOMPARE(status.PrinterStatus, 0x80);
    QCOMPARE(status.Fields, QList<QByteArray>{});   // [Host] Fields= is empty
    QCOMPARE(profile.HostReply({}).FiscalStatus, 8);
}

void TestSimProfile::fiscalRules()
{
    TSimProfile profile;
    QVERIFY2(profile.LoadFromText("[Fiscal]\nAnswers=\"0001\"\n"
                                  "[Fiscal short]\nRequest=\"A\"\nAnswers=\"0000 A\"\n"
                                  "[Fiscal long]\nRequest=\"AB\"\nAnswers=\"1000\",\"0003 \"$*\n"),
             qPrintable(profile.ErrorString()));
    QCOMPARE(profile.FiscalReplies("ABC"), (QList<QByteArray>{"1000", "0003 ABC"}));
    QCOMPARE(profile.FiscalReplies("AX"), QList<QByteArray>{"0000 A"});
    QCOMPARE(profile.FiscalReplies("Z"), QList<QByteArray>{"0001"});
}

void TestSimProfile::builtInFiscalFrames()
{
    TSimProfile profile;
    QCOMPARE(profile.FiscalReplies("Q"), QList<QByteArray>{"0000Q"});
    profile.SetFiscalFrames(3);
    QCOMPARE(profile.FiscalReplies("Q"),
             (QList<QByteArray>{"1000 part 1", "1000 part 2", "0000Q"}));
}

void TestSimProfile::badFilesKeepTheProfile_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("key outside a section") << QByteArray("Fields=1\n") << "profile:1: key outside a section";
    QTest::newRow("bad number") << QByteArray("[Host]\nReturnCode=x\n") << "profile:2: 'x' is not a 16-bit number";
    QTest::newRow("unknown key") << QByteArray("[Host]\nAnswers=1\n") << "profile:2: unknown key 'answers' here";
    QTest::newRow("command without code") << QByteArray("[Command a]\nFields=1\n[Host]\n")
                                          << "profile:3: a [Command ...] section needs Code=";
    QTest::newRow("request without answers")
        << QByteArray("[Fiscal a]\nRequest=\"A\"\nAnswers=\n") << "profile:3: a request needs at least one answer";
    QTest::newRow("unclosed section") << QByteArray("[Host\n") << "profile:1: unclosed section name";
    QTest::newRow("no equals") << QByteArray("[Host]\nFields\n") << "profile:2: expected key=value";
    QTest::newRow("echo as code") << QByteArray("[Command a]\nCode=$1\n") << "profile:2: expected one literal value";
}

void TestSimProfile::badFilesKeepTheProfile()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    TSimProfile profile;
    QVERIFY(profile.LoadFromText("[Host]\nReturnCode=5\n"));
    QVERIFY(!profile.LoadFromText(text));
    QCOMPARE(profile.ErrorString(), message);
    QCOMPARE(profile.HostReply({"A"}).ReturnCode, 5);
}

void TestSimProfile::demoProfile()
{
    TSimProfile profile;
    QVERIFY2(profile.Load(TESSALY_SOURCE_DIR "/examples/demo-profile.ini"), qPrintable(profile.ErrorString()));
    const TSimProfile::THostReply status = profile.HostReply({QByteArray::fromHex("0001")}, Noon);
    QCOMPARE(status.FiscalStatus, 8);
    QCOMPARE(status.Fields, (QList<QByteArray>{"TS-00012345", "1.04", QByteArray::fromHex("0007")}));
    QCOMPARE(profile.HostReply({QByteArray::fromHex("0002")}, Noon).Fields,
             (QList<QByteArray>{"071226", "123045"}));
    const TSimProfile::THostReply sell =
        profile.HostReply({QByteArray::fromHex("0102"), "Item", "00001000", "000000199"}, Noon);
    QCOMPARE(sell.FiscalStatus, 0x18);
    QCOMPARE(sell.Fields.first(), QByteArray("000000199"));
    QCOMPARE(profile.HostReply({QByteArray::fromHex("0304")}, Noon).Fields, QList<QByteArray>{});
    QCOMPARE(profile.FiscalReplies("D1").size(), 3);
    QCOMPARE(profile.FiscalReplies("S"), QList<QByteArray>{"0000 S"});

    QVERIFY(!profile.Load(TESSALY_SOURCE_DIR "/examples/no-such-profile.ini"));
    QVERIFY(profile.ErrorString().contains("no-such-profile.ini"));
}

QTEST_GUILESS_MAIN(TestSimProfile)
#include "tst_sim_profile.moc"
