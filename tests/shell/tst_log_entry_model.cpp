#include "shell/log_entry_model.h"

#include <QSignalSpy>
#include <QTest>

class TstLogEntryModel : public QObject
{
    Q_OBJECT

private slots:
    void entriesBecomeRowsOnlyWhenPublished();
    void widestEntryPerForm();
    void findRoundTheEnd_data();
    void findRoundTheEnd();
};

void TstLogEntryModel::entriesBecomeRowsOnlyWhenPublished()
{
    TLogEntryModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.AppendFrame(1, TLogEntryModel::TSide::Host, "\x02");
    model.AppendMessage(2, TLogEntryModel::TSide::Printer, QStringLiteral("ACK"));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.EntryCount(), 2);
    model.Publish();
    model.Publish();
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted.first().at(1).toInt(), 0);
    QCOMPARE(inserted.first().at(2).toInt(), 1);
    QCOMPARE(model.EntryText(1), QStringLiteral("FP   --> ACK"));
    QCOMPARE(model.data(model.index(0, TLogEntryModel::ColumnEntry), Qt::DisplayRole).toString(),
             QStringLiteral("HOST --> 02 "));
    // Clear takes the entries not yet shown with it.
    model.AppendFrame(3, TLogEntryModel::TSide::Fiscal, "\x05");
    model.Clear();
    model.Publish();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.EntryCount(), 0);
    QCOMPARE(model.WidestEntry(), 0);
}

void TstLogEntryModel::widestEntryPerForm()
{
    TLogEntryModel model;
    model.AppendFrame(0, TLogEntryModel::TSide::Host, "\x02\x41\x03");
    model.Publish();
    // Pending entries do not widen the rows yet.
    model.AppendMessage(0, TLogEntryModel::TSide::Failure, QString(40, QLatin1Char('x')));
    QCOMPARE(model.WidestEntry(), 9 + 9);
    model.SetFrameForm(TLogEntryModel::FormText);
    QCOMPARE(model.WidestEntry(), 9 + 11);
    model.SetFrameForm(TLogEntryModel::FormBoth);
    QCOMPARE(model.WidestEntry(), 9 + 9 + 2 + 11);
    QCOMPARE(model.EntryText(0).size(), model.WidestEntry());
    model.Publish();
    QCOMPARE(model.WidestEntry(), 9 + 40);
}

void TstLogEntryModel::findRoundTheEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("row");
    QTest::newRow("from the top") << "<etx>" << -1 << true << 0;
    QTest::newRow("from the bottom") << "<ETX>" << -1 << false << 2;
    QTest::newRow("next") << "03" << 0 << true << 2;
    QTest::newRow("next, round the end") << "03" << 2 << true << 0;
    QTest::newRow("previous, round the end") << "03" << 0 << false << 2;
    QTest::newRow("only the row it starts from") << "ack" << 1 << true << 1;
    QTest::newRow("a message by its prefix") << "fp   -->" << 0 << true << 1;
    QTest::newRow("nowhere") << "04" << 0 << true << -1;
    QTest::newRow("empty") << "" << 0 << true << -1;
}

void TstLogEntryModel::findRoundTheEnd()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(bool, forward);
    TLogEntryModel model;
    model.AppendFrame(0, TLogEntryModel::TSide::Host, "\x02\x41\x03");
    model.AppendMessage(0, TLogEntryModel::TSide::Printer, QStringLiteral("ACK"));
    model.AppendFrame(0, TLogEntryModel::TSide::Printer, "\x02\x42\x03");
    model.Publish();
    QTEST(model.Find(text, from, forward), "row");
}

QTEST_MAIN(TstLogEntryModel)
#include "tst_log_entry_model.moc"
