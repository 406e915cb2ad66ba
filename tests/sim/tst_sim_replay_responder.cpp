#include "comm/aux_framing.h"
#include "comm/host_framing.h"
#include "sim/sim_replay_responder.h"

#include <QtTest>

namespace {

const QByteArray Ack(1, THostFraming::ACK);
const QByteArray Nak(1, THostFraming::NAK);
const QByteArray Dc2(1, THostFraming::DC2);
const QByteArray Enq(1, TAuxFraming::ENQ);

QString Out(int gap, const QByteArray &bytes)
{
    return QStringLiteral("%1:%2").arg(gap).arg(QString::fromLatin1(bytes.toHex()));
}

QStringList Outputs(const TSimResponder::TReaction &reaction)
{
    QStringList out;
    for (const TSimResponder::TOutput &output : reaction.Outputs)
        out << Out(output.GapMs, output.Bytes);
    return out;
}

QByteArray Command(quint8 sequence, const QList<QByteArray> &fields)
{
    return THostFraming::BuildCommandFrame(protocol_Extended, sequence, fields);
}

QByteArray Answer(quint8 sequence, const QList<QByteArray> &extra)
{
    return THostFraming::BuildAnswerFrame(sequence,
                                          THostFraming::AnswerFields(protocol_Extended, 0, 8, 0, extra));
}

// Records of a capture, each offsetMs after the start.
struct TScript
{
    QList<TCaptureRecord> Records;
    TScript &Add(qint64 offsetMs, TCommandPort port, bool out, const QByteArray &bytes)
    {
        Records.append({QDateTime::currentDateTime(), offsetMs * 1000, port, out, bytes});
        return *this;
    }
    TScript &Host(qint64 offsetMs, bool out, const QByteArray &bytes) { return Add(offsetMs, cpHostPort, out, bytes); }
    TScript &Fiscal(qint64 offsetMs, bool out, const QByteArray &bytes) { return Add(offsetMs, cpFiscalPort, out, bytes); }
    // A host command answered with ACK, then the answer with these fields.
    TScript &Exchange(qint64 offsetMs, quint8 sequence, const QList<QByteArray> &fields,
                      const QList<QByteArray> &extra)
    {
        return Host(offsetMs, true, Command(sequence, fields))
            .Host(offsetMs + 5, false, Ack)
            .Host(offsetMs + 40, false, Answer(sequence, extra))
            .Host(offsetMs + 41, true, Ack);
    }
};

} // namespace

// The simulator answering from a capture: the recorded answer of the same
// command under a new sequence number, repeated commands in order, the
// fiscal port's frames one per ACK, and NAK for what was never recorded.
class TestSimReplayResponder : public QObject
{
    Q_OBJECT

private slots:
    void sameCommandOtherSequence_data();
    void sameCommandOtherSequence();
    void repeatedCommandsInOrder();
    void unknownCommandGetsNak();
    void recordedDelays_data();
    void recordedDelays();
    void fiscalFramesOnePerAck();
    void nakRepeatsTheFrame();
    void recordedSilenceAndNak();
    void answersSurviveReconnection();
};

void TestSimReplayResponder::sameCommandOtherSequence_data()
{
    QTest::addColumn<QByteArray>("recorded");   // the printer's answer frame
    QTest::addColumn<quint8>("sequence");        // of the command replayed

    QTest::newRow("extended") << Answer(0x90, {"TS-1", "1.04"}) << quint8(0xC3);
    QTest::newRow("wrapped sequence") << Answer(0xFF, {"x"}) << quint8(0x81);
    QTest::newRow("escaped bytes kept") << Answer(0x90, {QByteArray("\x1c\x02\x1b", 3)}) << quint8(0xA0);
    QTest::newRow("compatible")
        << THostFraming::BuildAnswerFrame(0x30, THostFraming::AnswerFields(protocol_Compatible, 0, 8, 0, {"7"}))
        << quint8(0x7F);
}

void TestSimReplayResponder::sameCommandOtherSequence()
{
    QFETCH(QByteArray, recorded);
    QFETCH(quint8, sequence);
    const QList<QByteArray> fields = {"0001", "Coffee"};
    TScript script;
    script.Host(0, true, Command(quint8(recorded.at(1)), fields))
        .Host(1, false, Ack)
        .Host(2, false, Dc2)
        .Host(3, false, recorded)
        .Host(4, true, Ack);
    TSimReplayResponder responder(script.Records, cpHostPort, false);
    QCOMPARE(responder.RecordedCount(), 1);

    const TSimResponder::TReaction reaction = responder.Receive(Command(sequence, fields));
    QCOMPARE(reaction.Outputs.size(), 3);
    QCOMPARE(reaction.Outputs.at(0).Bytes, Ack);
    QCOMPARE(reaction.Outputs.at(1).Bytes, Dc2);
    const QByteArray answer = reaction.Outputs.at(2).Bytes;
    THostFrame frame;
    QCOMPARE(THostFraming::ParseFrame(answer, frame), THostFraming::FrameComplete);
    QCOMPARE(frame.Sequence, sequence);
    QCOMPARE(frame.Length, answer.size());
    // Apart from the sequence number and checksum, the bytes recorded.
    QCOMPARE(answer.mid(2, answer.size() - 6), recorded.mid(2, recorded.size() - 6));
    QVERIFY(reaction.Notes.isEmpty());
    // The host's ACK of the answer asks for nothing more.
    QVERIFY(responder.Receive(Ack).Outputs.isEmpty());
    QCOMPARE(responder.RequestCount(), 1);
}

void TestSimReplayResponder::repeatedCommandsInOrder()
{
    const QList<QByteArray> sell = {"0102", "Tea"};
    const QList<QByteArray> status = {"0001"};
    TScript script;
    script.Exchange(0, 0x90, sell, {"1"})
        .Exchange(100, 0x91, status, {"open"})
        .Exchange(200, 0x92, sell, {"2"})
        .Exchange(300, 0x93, sell, {"3"});
    TSimReplayResponder responder(script.Records, cpHostPort, false);
    QCOMPARE(responder.RecordedCount(), 4);

    QCOMPARE(Outputs(responder.Receive(Command(0xA0, sell))), QStringList({Out(0, Ack), Out(0, Answer(0xA0, {"1"}))}));
    QCOMPARE(Outputs(responder.Receive(Command(0xA1, sell))), QStringList({Out(0, Ack), Out(0, Answer(0xA1, {"2"}))}));
    QCOMPARE(Outputs(responder.Receive(Command(0xA2, status))),
             QStringList({Out(0, Ack), Out(0, Answer(0xA2, {"open"}))}));
    QCOMPARE(Outputs(responder.Receive(Command(0xA3, sell))), QStringList({Out(0, Ack), Out(0, Answer(0xA3, {"3"}))}));
    // Used up: the last recorded answer again, said on the trace.
    const TSimResponder::TReaction again = responder.Receive(Command(0xA4, sell));
    QCOMPARE(Outputs(again), QStringList({Out(0, Ack), Out(0, Answer(0xA4, {"3"}))}));
    QCOMPARE(again.Notes, QStringList{"command 5: its 3 recorded answers used up, the last one again"});
}

void TestSimReplayResponder::unknownCommandGetsNak()
{
    TScript script;
    script.Exchange(0, 0x90, {"0001"}, {"x"}).Fiscal(10, true, Enq).Fiscal(11, false, Ack);
    TSimReplayResponder host(script.Records, cpHostPort, false);
    const QByteArray unknown = Command(0x95, {"0002"});
    const TSimResponder::TReaction reaction = host.Receive(unknown);
    QCOMPARE(reaction.Received, QList<QByteArray>{unknown});
    QCOMPARE(Outputs(reaction), QStringList{Out(0, Nak)});
    QCOMPARE(reaction.Notes, QStringList{"command 1: not in the capture, NAK"});
    // Another field value is another command.
    QCOMPARE(Outputs(host.Receive(Command(0x96, {"0001", ""}))), QStringList{Out(0, Nak)});

    TSimReplayResponder fiscal(script.Records, cpFiscalPort, false);
    QCOMPARE(Outputs(fiscal.Receive(Enq)), QStringList{Out(0, Ack)});
    const TSimResponder::TReaction request = fiscal.Receive(TAuxFraming::BuildFrame("D"));
    QCOMPARE(Outputs(request), QStringList{Out(0, Nak)});
    QCOMPARE(request.Notes, QStringList{"request 2: not in the capture, NAK"});
}

void TestSimReplayResponder::recordedDelays_data()
{
    QTest::addColumn<bool>("withDelays");
    QTest::addColumn<QStringList>("gaps");
    QTest::newRow("recorded") << true << QStringList{"120", "1000", "30"};
    QTest::newRow("at once") << false << QStringList{"0", "0", "0"};
}

void TestSimReplayResponder::recordedDelays()
{
    QFETCH(bool, withDelays);
    QFETCH(QStringList, gaps);
    const QList<QByteArray> fields = {"0001"};
    TScript script;
    script.Host(5000, true, Command(0x90, fields))
        .Host(5120, false, Ack)
        .Host(6120, false, Dc2)
        .Host(6150, false, Answer(0x90, {}))
        .Host(6151, true, Ack);
    TSimReplayResponder responder(script.Records, cpHostPort, withDelays);
    QStringList actual;
    for (const TSimResponder::TOutput &output : responder.Receive(Command(0x81, fields)).Outputs)
        actual << QString::number(output.GapMs);
    QCOMPARE(actual, gaps);
}

void TestSimReplayResponder::fiscalFramesOnePerAck()
{
    const QByteArray request = TAuxFraming::BuildFrame("D");
    const QByteArray first = TAuxFraming::BuildFrame("1000 line 1");
    const QByteArray last = TAuxFraming::BuildFrame("0000 end");
    TScript script;
    script.Fiscal(0, true, request)
        .Fiscal(50, false, first)
        .Fiscal(51, true, Ack)
        .Fiscal(90, false, last)
        .Fiscal(91, true, Ack)
        .Host(100, true, Command(0x90, {"0001"}));
    TSimReplayResponder responder(script.Records, cpFiscalPort, true);
    QCOMPARE(responder.RecordedCount(), 1);
    QCOMPARE(Outputs(responder.Receive(request)), QStringList{Out(50, first)});
    QCOMPARE(Outputs(responder.Receive(Ack)), QStringList{Out(39, last)});
    QVERIFY(responder.Receive(Ack).Outputs.isEmpty());
}

void TestSimReplayResponder::nakRepeatsTheFrame()
{
    const QList<QByteArray> fields = {"0001"};
    TScript script;
    script.Exchange(0, 0x90, fields, {"x"});
    TSimReplayResponder responder(script.Records, cpHostPort, false);
    const QByteArray answer = Answer(0xB0, {"x"});
    QCOMPARE(Outputs(responder.Receive(Command(0xB0, fields))), QStringList({Out(0, Ack), Out(0, answer)}));
    for (int i = 0; i < TSimReplayResponder::MaxRepeats; ++i)
        QCOMPARE(Outputs(responder.Receive(Nak)), QStringList{Out(0, answer)});
    QVERIFY(responder.Receive(Nak).Outputs.isEmpty());
}

void TestSimReplayResponder::recordedSilenceAndNak()
{
    const QList<QByteArray> silent = {"0005"};
    const QList<QByteArray> refused = {"0006"};
    TScript script;
    script.Host(0, true, Command(0x90, silent)).Host(3000, true, Command(0x91, refused)).Host(3001, false, Nak);
    TSimReplayResponder responder(script.Records, cpHostPort, false);
    const TSimResponder::TReaction none = responder.Receive(Command(0xC0, silent));
    QVERIFY(none.Outputs.isEmpty());
    QCOMPARE(none.Notes, QStringList{"command 1: no answer in the capture"});
    QCOMPARE(Outputs(responder.Receive(Command(0xC1, refused))), QStringList{Out(0, Nak)});
}

void TestSimReplayResponder::answersSurviveReconnection()
{
    const QList<QByteArray> fields = {"0001"};
    TScript script;
    script.Exchange(0, 0x90, fields, {"1"}).Exchange(100, 0x91, fields, {"2"});
    TSimReplayResponder responder(script.Records, cpHostPort, false);
    const QByteArray command = Command(0xE0, fields);
    // Half a frame, then the client goes: the next client starts afresh
    // and gets the next recorded answer.
    QVERIFY(responder.Receive(command).Outputs.size() == 2);
    QVERIFY(responder.Receive(command.left(4)).Outputs.isEmpty());
    responder.Reset();
    QCOMPARE(Outputs(responder.Receive(command)), QStringList({Out(0, Ack), Out(0, Answer(0xE0, {"2"}))}));
}

QTEST_GUILESS_MAIN(TestSimReplayResponder)
#include "tst_sim_replay_responder.moc"
