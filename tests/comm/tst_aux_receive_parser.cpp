#include "comm/aux_receive_parser.h"

#include "comm/aux_framing.h"

#include <QtTest>

using TStep = TAuxReceiveParser::TStep;

namespace {

// Feeds the chunks one after another and lists every step as "Kind:hex".
QStringList Steps(const QList<QByteArray> &chunks)
{
    static const char *names[] = {"More", "Ack", "Nak", "Other", "Frame", "Bad", "Overflow"};
    TAuxReceiveParser parser;
    QStringList out;
    for (const QByteArray &chunk : chunks) {
        parser.Feed(chunk);
        for (;;) {
            const TStep step = parser.Next();
            if (step.Kind == TStep::MoreNeeded)
                break;
            QString text = QString::fromLatin1(names[step.Kind]);
            if (!step.Frame.isEmpty())
                text += QLatin1Char(':') + QString::fromLatin1(step.Frame.toHex());
            out << text;
        }
    }
    return out;
}

} // namespace

class TestAuxReceiveParser : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void overflow();
    void resetDropsPartialFrame();
};

void TestAuxReceiveParser::steps_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QStringList>("expected");

    const QByteArray final = TAuxFraming::BuildFrame("0003");
    const QByteArray hexFinal = QByteArray("Frame:") + final.toHex();

    QTest::newRow("ack") << QList<QByteArray>{"\x06"} << QStringList{"Ack"};
    QTest::newRow("nak") << QList<QByteArray>{"\x15"} << QStringList{"Nak"};
    QTest::newRow("noise then ack")
        << QList<QByteArray>{"\x05z\x06"} << QStringList{"Other:05", "Other:7a", "Ack"};
    QTest::newRow("whole frame") << QList<QByteArray>{final} << QStringList{hexFinal};
    QTest::newRow("frame byte by byte")
        << QList<QByteArray>{final.left(1), final.mid(1, 2), final.mid(3, 3), final.mid(6)}
        << QStringList{hexFinal};
    QTest::newRow("two frames in one chunk")
        << QList<QByteArray>{TAuxFraming::BuildFrame("1000") + final}
        << QStringList{"Frame:" + TAuxFraming::BuildFrame("1000").toHex(), hexFinal};
    // Inside a frame ACK, NAK and STX are text; only ETX ends it.
    QTest::newRow("control bytes inside text")
        << QList<QByteArray>{TAuxFraming::BuildFrame("\x06\x15\x02")}
        << QStringList{"Frame:" + TAuxFraming::BuildFrame("\x06\x15\x02").toHex()};
    // The byte after ETX is the checksum, whatever its value.
    QTest::newRow("checksum is ETX")
        << QList<QByteArray>{TAuxFraming::BuildFrame("\xf8")}
        << QStringList{"Frame:02f80303"};
    QTest::newRow("bad checksum then repetition")
        << QList<QByteArray>{QByteArray::fromHex("0241420379"), final}
        << QStringList{"Bad:0241420379", hexFinal};
    QTest::newRow("nak before frame")
        << QList<QByteArray>{"\x15" + final} << QStringList{"Nak", hexFinal};
}

void TestAuxReceiveParser::steps()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QStringList, expected);
    QCOMPARE(Steps(chunks), expected);
}

void TestAuxReceiveParser::overflow()
{
    TAuxReceiveParser parser;
    parser.Feed(QByteArray(1, TAuxFraming::STX) + QByteArray(TAuxReceiveParser::BufferSize - 2, 'a'));
    QCOMPARE(parser.Next().Kind, TStep::MoreNeeded);
    parser.Feed("b");
    const TStep step = parser.Next();
    QCOMPARE(step.Kind, TStep::Overflow);
    QCOMPARE(step.Frame.size(), TAuxReceiveParser::BufferSize);
    QCOMPARE(parser.State(), 0);
    // The parser starts afresh after giving up.
    parser.Feed("\x06");
    QCOMPARE(parser.Next().Kind, TStep::AckReceived);
}

void TestAuxReceiveParser::resetDropsPartialFrame()
{
    TAuxReceiveParser parser;
    parser.Feed("\x02" "00");
    QCOMPARE(parser.Next().Kind, TStep::MoreNeeded);
    parser.Feed("\x06");
    parser.Reset();
    QCOMPARE(parser.Next().Kind, TStep::MoreNeeded);
    parser.Feed("\x06");
    QCOMPARE(parser.Next().Kind, TStep::AckReceived);
}

QTEST_GUILESS_MAIN(TestAuxReceiveParser)
#include "tst_aux_receive_parser.moc"
