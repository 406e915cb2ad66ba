#include "comm/host_framing.h"
#include "comm/host_receive_parser.h"

#include <QtTest>

// Each chunk's result is written as its actions then its outcome, e.g.
// "A I:more" (ACK and DC2 seen, more needed); chunks are joined with "|".
static QString describe(const THostReceiveParser::TResult &result)
{
    QStringList actions;
    for (THostReceiveParser::TAction action : result.Actions) {
        switch (action) {
        case THostReceiveParser::NotifyAck: actions << "A"; break;
        case THostReceiveParser::NotifyNak: actions << "N"; break;
        case THostReceiveParser::NotifyIntermediate: actions << "I"; break;
        case THostReceiveParser::WriteAck: actions << "W"; break;
        }
    }
    static const char *const outcomes[] = {"more", "nak", "final"};
    return actions.join(' ') + ':' + outcomes[result.Outcome];
}

using Chunks = QList<QByteArray>;
using Fields = QList<QByteArray>;

static const quint8 sent = 0x91;

static QByteArray answer(quint8 sequence, const Fields &fields)
{
    return THostFraming::BuildAnswerFrame(sequence, fields);
}

static QByteArray corrupt(QByteArray frame)
{
    frame[frame.size() - 1] = frame.back() == '0' ? '1' : '0';
    return frame;
}

class TestHostReceiveParser : public QObject
{
    Q_OBJECT

private slots:
    void feed_data();
    void feed();
    void byteByByte();
    void resetStartsOver();
    void oversizedFrameFillsBuffer();
};

void TestHostReceiveParser::feed_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<QString>("results");
    QTest::addColumn<int>("state");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QByteArray>("readFrame");

    // Its checksum, 01AF, has a letter in it.
    const QByteArray good = answer(sent, {"OK", "12"});
    const Fields goodFields{"OK", "12"};

    QTest::newRow("ACK") << Chunks{"\x06"} << "A:more" << 1 << Fields{} << QByteArray();
    QTest::newRow("NAK waits on") << Chunks{"\x15"} << "N:more" << 0 << Fields{} << QByteArray();
    QTest::newRow("two NAKs") << Chunks{"\x15\x15"} << "N N:more" << 0 << Fields{} << QByteArray();
    QTest::newRow("DC2 before ACK") << Chunks{"\x12"} << "I:more" << 0 << Fields{} << QByteArray();
    QTest::newRow("after ACK only DC2 counts")
        << Chunks{"\x06\x06\x15\x12xyz"} << "A I:more" << 1 << Fields{} << QByteArray();
    QTest::newRow("noise ignored") << Chunks{"\x00\x03\x1C\xFF"} << ":more" << 0 << Fields{} << QByteArray();
    QTest::newRow("ACK, DC2s, answer")
        << Chunks{"\x06", "\x12", "\x12", good} << "A:more|I:more|I:more|:final" << 0 << goodFields << good;
    QTest::newRow("answer without ACK") << Chunks{good} << ":final" << 0 << goodFields << good;
    QTest::newRow("everything in one chunk")
        << Chunks{"\x06\x12" + good} << "A I:final" << 0 << goodFields << good;
    QTest::newRow("bytes after the answer are not part of it")
        << Chunks{good + "\x06\x02"} << ":final" << 0 << goodFields << good;
    QTest::newRow("bad checksum, then repetition")
        << Chunks{"\x06", corrupt(good) + "rest of chunk dropped", good}
        << "A:more|:nak|:final" << 0 << goodFields << good;
    QTest::newRow("non-hex checksum is a bad one")
        << Chunks{good.left(good.size() - 4) + "zzzz"} << ":nak" << 1 << goodFields << QByteArray();
    QTest::newRow("lower-case checksum")
        << Chunks{good.left(good.size() - 4) + good.right(4).toLower()} << ":final" << 0
        << goodFields << QByteArray();
    QTest::newRow("older answer, then ours, same chunk")
        << Chunks{"\x06" + answer(sent - 1, {"old"}) + good} << "A W:final" << 0 << goodFields << good;
    QTest::newRow("older answer alone")
        << Chunks{answer(sent - 1, {"old"})} << "W:more" << 0 << Fields{"old"} << QByteArray();
    QTest::newRow("intermediate frame")
        << Chunks{"\x06", answer(0x80, {"busy"})} << "A:more|I:more" << 1 << Fields{"busy"} << QByteArray();
    QTest::newRow("intermediate frame, then ours")
        << Chunks{answer(0x80, {"busy"}), good} << "I:more|:final" << 0 << goodFields << good;
    QTest::newRow("intermediate frame and half of ours in one chunk")
        << Chunks{answer(0x80, {"busy"}) + good.left(5), good.mid(5)} << "I:more|:final" << 0 << goodFields << good;
    QTest::newRow("empty last field")
        << Chunks{answer(sent, {"A", ""})} << ":final" << 0 << Fields{"A", ""} << QByteArray();
    QTest::newRow("empty fields everywhere")
        << Chunks{answer(sent, {"", "", ""})} << ":final" << 0 << Fields{"", "", ""} << QByteArray();
    QTest::newRow("no fields at all gives one empty field")
        << Chunks{answer(sent, {})} << ":final" << 0 << Fields{""} << QByteArray();
    QTest::newRow("escaped control bytes")
        << Chunks{answer(sent, {QByteArray("\x02\x03\x1B\x1C", 4)})} << ":final" << 0
        << Fields{QByteArray("\x02\x03\x1B\x1C", 4)} << QByteArray();
    QTest::newRow("split inside the checksum")
        << Chunks{good.left(good.size() - 2), good.right(2)} << ":more|:final" << 0 << goodFields << good;
    QTest::newRow("split after ESC")
        << Chunks{QByteArray("\x02\x91" "a\x1B"), QByteArray("\x03" "b\x03") + THostFraming::GetFrameCheckSum(QByteArray("\x02\x91" "a\x1B\x03" "b\x03"))}
        << ":more|:final" << 0 << Fields{"a\x03" "b"} << QByteArray();
}

void TestHostReceiveParser::feed()
{
    QFETCH(Chunks, chunks);
    QFETCH(QString, results);
    QFETCH(int, state);
    QFETCH(Fields, fields);
    QFETCH(QByteArray, readFrame);

    THostReceiveParser parser;
    parser.SetLastSentSequence(sent);
    QStringList got;
    for (const QByteArray &chunk : chunks)
        got << describe(parser.Feed(chunk));
    QCOMPARE(got.join('|'), results);
    QCOMPARE(parser.State(), state);
    QCOMPARE(parser.Fields(), fields);
    if (!readFrame.isEmpty())
        QCOMPARE(parser.ReadFrame().toHex(' '), readFrame.toHex(' '));
    if (state <= 1)
        QCOMPARE(parser.FreeSpace(), qsizetype(THostFraming::ReceiveBufferSize));
}

void TestHostReceiveParser::byteByByte()
{
    const QByteArray frame = "\x06\x12" + answer(sent, {QByteArray("\x00\x10", 2), "x\x1Cy", ""});
    THostReceiveParser parser;
    parser.SetLastSentSequence(sent);
    QStringList got;
    for (char byte : frame)
        got << describe(parser.Feed(QByteArray(1, byte)));
    QCOMPARE(got.first(), QStringLiteral("A:more"));
    QCOMPARE(got.at(1), QStringLiteral("I:more"));
    QCOMPARE(got.last(), QStringLiteral(":final"));
    QCOMPARE(got.count(QStringLiteral(":more")), frame.size() - 3);
    QCOMPARE(parser.Fields(), (Fields{QByteArray("\x00\x10", 2), "x\x1Cy", ""}));
    QCOMPARE(parser.ReadFrame(), frame.mid(2));
}

void TestHostReceiveParser::resetStartsOver()
{
    THostReceiveParser parser;
    parser.SetLastSentSequence(sent);
    QCOMPARE(describe(parser.Feed("\x06" + answer(sent, {"kept"}))), QStringLiteral("A:final"));
    parser.Feed(QByteArray("\x02\x91" "half"));
    QCOMPARE(parser.State(), 3);
    parser.Reset();
    QCOMPARE(parser.State(), 0);
    QCOMPARE(parser.FreeSpace(), qsizetype(THostFraming::ReceiveBufferSize));
    // The half-read frame emptied the list at its STX; its field never ended.
    QCOMPARE(parser.Fields(), Fields{});
    // A fresh frame after the reset parses from scratch.
    QCOMPARE(describe(parser.Feed(answer(sent, {"new"}))), QStringLiteral(":final"));
    QCOMPARE(parser.Fields(), Fields{"new"});
}

void TestHostReceiveParser::oversizedFrameFillsBuffer()
{
    THostReceiveParser parser;
    parser.SetLastSentSequence(sent);
    parser.Feed(QByteArray("\x06"));
    parser.Feed(QByteArray("\x02\x91") + QByteArray(5000, 'x'));
    QCOMPARE(parser.FreeSpace(), qsizetype(THostFraming::ReceiveBufferSize - 5002));
    QCOMPARE(describe(parser.Feed(QByteArray(5000, 'y'))), QStringLiteral(":more"));
    QCOMPARE(parser.FreeSpace(), qsizetype(0));
    QCOMPARE(parser.State(), 3);
}

QTEST_GUILESS_MAIN(TestHostReceiveParser)
#include "tst_host_receive_parser.moc"
