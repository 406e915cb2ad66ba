#include "comm/host_framing.h"
#include "sim/sim_host_responder.h"

#include <QtTest>

namespace {

const QByteArray Ack(1, THostFraming::ACK);
const QByteArray Nak(1, THostFraming::NAK);
const QByteArray Dc2(1, THostFraming::DC2);

// Outputs as "gap:hex" for comparison.
QStringList Outputs(const TSimResponder::TReaction &reaction)
{
    QStringList out;
    for (const TSimResponder::TOutput &output : reaction.Outputs)
        out << QStringLiteral("%1:%2").arg(output.GapMs).arg(QString::fromLatin1(output.Bytes.toHex()));
    return out;
}

QString Out(int gap, const QByteArray &bytes)
{
    return QStringLiteral("%1:%2").arg(gap).arg(QString::fromLatin1(bytes.toHex()));
}

QByteArray ExtendedAnswer(quint8 sequence, const QList<QByteArray> &extra)
{
    return THostFraming::BuildAnswerFrame(
        sequence, THostFraming::AnswerFields(protocol_Extended, 0, 0, 0, extra));
}

} // namespace

class TestSimHostResponder : public QObject
{
    Q_OBJECT

private slots:
    void faults_data();
    void faults();
    void compatibleLayout();
    void frameInPieces();
    void badChecksumThenGoodOnNak();
    void badCommandChecksumGetsNak();
    void resetForgetsHalfFrame();
    void endlessFrameIsDropped();
};

void TestSimHostResponder::faults_data()
{
    QTest::addColumn<QStringList>("faults");   // each applied to the first command
    QTest::addColumn<QStringList>("outputs");

    const QByteArray command = THostFraming::BuildCommandFrame(protocol_Extended, 0x90, {"\x01", "x"});
    const QByteArray answer = ExtendedAnswer(0x90, {"\x01", "x"});

    QTest::newRow("none") << QStringList{} << QStringList{Out(0, Ack), Out(0, answer)};
    QTest::newRow("nak") << QStringList{"nak"} << QStringList{Out(0, Nak)};
    QTest::newRow("silence") << QStringList{"silence"} << QStringList{};
    QTest::newRow("delay") << QStringList{"delay=700"} << QStringList{Out(700, Ack), Out(0, answer)};
    QTest::newRow("delayed nak") << QStringList{"delay=70", "nak"} << QStringList{Out(70, Nak)};
    QTest::newRow("dc2") << QStringList{"dc2=2,300"}
                         << QStringList{Out(0, Ack), Out(300, Dc2), Out(300, Dc2), Out(0, answer)};
    QTest::newRow("busy frames")
        << QStringList{"busy-frame=1,50"}
        << QStringList{Out(0, Ack), Out(50, THostFraming::BuildAnswerFrame(0x80, {})), Out(0, answer)};
    QTest::newRow("other sequence first")
        << QStringList{"other-seq"} << QStringList{Out(0, Ack), Out(0, THostFraming::BuildAnswerFrame(0x8F, {})), Out(0, answer)};
    QTest::newRow("garbage")
        << QStringList{"garbage=4"} << QStringList{Out(0, Ack), Out(0, TSimFaultPlan::Garbage(4)), Out(0, answer)};
}

void TestSimHostResponder::faults()
{
    QFETCH(QStringList, faults);
    QFETCH(QStringList, outputs);
    TSimProfile profile;
    TSimFaultPlan plan;
    QString error;
    for (const QString &fault : faults)
        QVERIFY2(plan.Add(fault + "@1", error), qPrintable(error));
    TSimHostResponder responder(protocol_Extended, profile, plan);
    const QByteArray command = THostFraming::BuildCommandFrame(protocol_Extended, 0x90, {"\x01", "x"});
    const TSimResponder::TReaction reaction = responder.Receive(command);
    QCOMPARE(reaction.Received, QList<QByteArray>{command});
    QCOMPARE(Outputs(reaction), outputs);
    QCOMPARE(responder.RequestCount(), 1);
    // The fault was for the first command only.
    const QByteArray next = THostFraming::BuildCommandFrame(protocol_Extended, 0x91, {"y"});
    QCOMPARE(Outputs(responder.Receive(next)),
             (QStringList{Out(0, Ack), Out(0, ExtendedAnswer(0x91, {"y"}))}));
}

void TestSimHostResponder::compatibleLayout()
{
    TSimProfile profile;
    QVERIFY(profile.LoadFromText("[Host]\nPrinterStatus=0x0080\nFiscalStatus=8\nFields=$2\n"));
    TSimFaultPlan plan;
    TSimHostResponder responder(protocol_Compatible, profile, plan);
    const TSimResponder::TReaction reaction =
        responder.Receive(THostFraming::BuildCommandFrame(protocol_Compatible, 0x21, {"*", "ABC"}));
    QCOMPARE(reaction.Outputs.size(), 2);
    THostFrame frame;
    QCOMPARE(THostFraming::ParseFrame(reaction.Outputs[1].Bytes, frame), THostFraming::FrameComplete);
    QCOMPARE(frame.Sequence, 0x21);
    QCOMPARE(frame.Fields, (QList<QByteArray>{"", "$0080", "$0008", "ABC"}));
    const TSplitAnswer answer = THostFraming::SplitAnswer(protocol_Compatible, frame.Fields);
    QCOMPARE(answer.PrinterStatus, 0x80);
    QCOMPARE(answer.FiscalStatus, 8);
    QCOMPARE(answer.ExtraFields, QList<QByteArray>{"ABC"});
}

void TestSimHostResponder::frameInPieces()
{
    TSimProfile profile;
    TSimFaultPlan plan;
    TSimHostResponder responder(protocol_Extended, profile, plan);
    // Escaped control bytes inside a field, and noise before the frame.
    const QByteArray command = THostFraming::BuildCommandFrame(protocol_Extended, 0xA0, {"\x02\x1c\x03"});
    const QByteArray stream = "zz" + command;
    TSimResponder::TReaction all;
    for (char byte : stream) {
        const TSimResponder::TReaction part = responder.Receive(QByteArray(1, byte));
        all.Received += part.Received;
        all.Outputs += part.Outputs;
    }
    QCOMPARE(all.Received, (QList<QByteArray>{"z", "z", command}));
    QCOMPARE(Outputs(all), (QStringList{Out(0, Ack), Out(0, ExtendedAnswer(0xA0, {"\x02\x1c\x03"}))}));
}

void TestSimHostResponder::badChecksumThenGoodOnNak()
{
    TSimProfile profile;
    TSimFaultPlan plan;
    QString error;
    QVERIFY(plan.Add("bad-checksum", error));
    TSimHostResponder responder(protocol_Extended, profile, plan);
    const TSimResponder::TReaction reaction =
        responder.Receive(THostFraming::BuildCommandFrame(protocol_Extended, 0x90, {"q"}));
    QCOMPARE(reaction.Outputs.size(), 2);
    THostFrame frame;
    QCOMPARE(THostFraming::ParseFrame(reaction.Outputs[1].Bytes, frame), THostFraming::FrameBadChecksum);
    const QByteArray good = ExtendedAnswer(0x90, {"q"});
    for (int i = 0; i < TSimHostResponder::MaxRepeats; ++i)
        QCOMPARE(Outputs(responder.Receive(Nak)), QStringList{Out(0, good)});
    // A host that keeps refusing is not answered for ever.
    QCOMPARE(Outputs(responder.Receive(Nak)), QStringList{});
    QCOMPARE(Outputs(responder.Receive(Ack)), QStringList{});
}

void TestSimHostResponder::badCommandChecksumGetsNak()
{
    TSimProfile profile;
    TSimFaultPlan plan;
    TSimHostResponder responder(protocol_Extended, profile, plan);
    QByteArray command = THostFraming::BuildCommandFrame(protocol_Extended, 0x90, {"q"});
    command[command.size() - 1] = command.back() == '0' ? '1' : '0';
    QCOMPARE(Outputs(responder.Receive(command)), QStringList{Out(0, Nak)});
    QCOMPARE(responder.RequestCount(), 0);
}

void TestSimHostResponder::resetForgetsHalfFrame()
{
    TSimProfile profile;
    TSimFaultPlan plan;
    TSimHostResponder responder(protocol_Extended, profile, plan);
    const QByteArray command = THostFraming::BuildCommandFrame(protocol_Extended, 0x90, {"q"});
    QVERIFY(responder.Receive(command.left(4)).Outputs.isEmpty());
    responder.Reset();
    QCOMPARE(responder.Receive(command).Outputs.size(), 2);
}

void TestSimHostResponder::endlessFrameIsDropped()
{
    TSimProfile profile;
    TSimFaultPlan plan;
    TSimHostResponder responder(protocol_Extended, profile, plan);
    const QByteArray endless = "\x02\x90" + QByteArray(TSimHostInput::MaxFrameBytes, 'a');
    const TSimResponder::TReaction dropped = responder.Receive(endless);
    QCOMPARE(dropped.Received, QList<QByteArray>{endless});
    QVERIFY(dropped.Outputs.isEmpty());
    // The next command is read from a clean start.
    QCOMPARE(responder.Receive(THostFraming::BuildCommandFrame(protocol_Extended, 0x91, {"y"})).Outputs.size(), 2);
}

QTEST_GUILESS_MAIN(TestSimHostResponder)
#include "tst_sim_host_responder.moc"
