#include "comm/aux_framing.h"
#include "sim/sim_aux_input.h"

#include <QtTest>

class TestSimAuxInput : public QObject {
    Q_OBJECT

private slots:
    void unitsInTheOrderTheyCame();
};

void TestSimAuxInput::unitsInTheOrderTheyCame()
{
    const QByteArray request = TAuxFraming::BuildFrame("0001");
    QByteArray bad = request;
    bad[bad.size() - 1] = char(bad.at(bad.size() - 1) ^ 1);
    TSimAuxInput input;
    const QByteArray bytes = QByteArray("ab") + TAuxFraming::ENQ + "c" + request.left(3);
    QList<TSimAuxInput::TUnit> units = input.Feed(bytes);
    QCOMPARE(units.size(), 3);
    QCOMPARE(units.at(0).Kind, TSimAuxInput::TUnit::Noise);
    QCOMPARE(units.at(0).Bytes, QByteArray("ab"));
    QCOMPARE(units.at(1).Kind, TSimAuxInput::TUnit::Enq);
    QCOMPARE(units.at(2).Bytes, QByteArray("c"));

    units = input.Feed(request.mid(3) + bad + TAuxFraming::ACK + TAuxFraming::NAK);
    QCOMPARE(units.size(), 4);
    QCOMPARE(units.at(0).Kind, TSimAuxInput::TUnit::Request);
    QCOMPARE(units.at(0).Bytes, request);
    QCOMPARE(units.at(1).Kind, TSimAuxInput::TUnit::BadRequest);
    QCOMPARE(units.at(1).Bytes, bad);
    QCOMPARE(units.at(2).Kind, TSimAuxInput::TUnit::Ack);
    QCOMPARE(units.at(3).Kind, TSimAuxInput::TUnit::Nak);
}

QTEST_GUILESS_MAIN(TestSimAuxInput)
#include "tst_sim_aux_input.moc"
