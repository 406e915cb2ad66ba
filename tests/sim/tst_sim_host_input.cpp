#include "comm/host_framing.h"
#include "sim/sim_host_input.h"

#include <QtTest>

class TestSimHostInput : public QObject {
    Q_OBJECT

private slots:
    void unitsInTheOrderTheyCame();
    void endlessFrameDroppedAsNoise();
};

void TestSimHostInput::unitsInTheOrderTheyCame()
{
    // Noise in a row is one unit, a frame split over two reads is one
    // command, a frame with a bad sum is told apart.
    const QByteArray command = THostFraming::BuildFrame(0x21, {"A", "B"}, false);
    QByteArray bad = THostFraming::BuildFrame(0x22, {"C"}, false);
    bad[bad.size() - 1] = bad.at(bad.size() - 1) == '0' ? '1' : '0';
    TSimHostInput input;
    QList<TSimHostInput::TUnit> units = input.Feed("xy\x06z" + command.left(4));
    QCOMPARE(units.size(), 3);
    QCOMPARE(units.at(0).Kind, TSimHostInput::TUnit::Noise);
    QCOMPARE(units.at(0).Bytes, QByteArray("xy"));
    QCOMPARE(units.at(1).Kind, TSimHostInput::TUnit::Ack);
    QCOMPARE(units.at(2).Bytes, QByteArray("z"));

    units = input.Feed(command.mid(4) + bad + "\x15");
    QCOMPARE(units.size(), 3);
    QCOMPARE(units.at(0).Kind, TSimHostInput::TUnit::Command);
    QCOMPARE(units.at(0).Bytes, command);
    QCOMPARE(units.at(0).Frame.Sequence, quint8(0x21));
    QCOMPARE(units.at(1).Kind, TSimHostInput::TUnit::BadCommand);
    QCOMPARE(units.at(1).Bytes, bad);
    QCOMPARE(units.at(2).Kind, TSimHostInput::TUnit::Nak);

    // A half-read frame is forgotten on Reset.
    input.Feed(command.left(3));
    input.Reset();
    units = input.Feed("\x06");
    QCOMPARE(units.size(), 1);
    QCOMPARE(units.at(0).Kind, TSimHostInput::TUnit::Ack);
}

void TestSimHostInput::endlessFrameDroppedAsNoise()
{
    TSimHostInput input;
    const QByteArray endless = "\x02\x21" + QByteArray(TSimHostInput::MaxFrameBytes, 'a');
    const QList<TSimHostInput::TUnit> units = input.Feed("q" + endless);
    QCOMPARE(units.size(), 1);
    QCOMPARE(units.at(0).Kind, TSimHostInput::TUnit::Noise);
    QVERIFY(units.at(0).Dropped);
    QCOMPARE(units.at(0).Bytes, "q" + endless);
    QVERIFY(input.Feed("\x06").at(0).Kind == TSimHostInput::TUnit::Ack);
}

QTEST_GUILESS_MAIN(TestSimHostInput)
#include "tst_sim_host_input.moc"
