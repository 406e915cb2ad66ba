#include "execution/plan_values.h"

#include <QtTest>

// Kept values put into later texts: references, the escape for a plain
// "${", and a name nothing was kept under.
class TestPlanValues : public QObject {
    Q_OBJECT
private slots:
    void expands_data();
    void expands();
    void references_data();
    void references();
};

void TestPlanValues::expands_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected");   // or the missing name

    QTest::newRow("no reference") << "1043" << true << "1043";
    QTest::newRow("whole text") << "${receipt}" << true << "1043";
    QTest::newRow("inside a text") << "R-${receipt}/${cashier}" << true << "R-1043/7";
    QTest::newRow("value holding a reference is not expanded again") << "${loop}" << true << "${receipt}";
    QTest::newRow("escaped") << "$${receipt} is ${receipt}" << true << "${receipt} is 1043";
    QTest::newRow("dollar alone") << "$5 and $" << true << "$5 and $";
    QTest::newRow("nothing kept") << "A${total}B" << false << "total";
}

void TestPlanValues::expands()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, expected);
    TPlanValues kept;
    kept.Keep("receipt", "1043");
    kept.Keep("cashier", "7");
    kept.Keep("loop", "${receipt}");
    QString expanded;
    QString missing;
    QCOMPARE(kept.Expand(text, &expanded, &missing), ok);
    QCOMPARE(ok ? expanded : missing, expected);
}

void TestPlanValues::references_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("none") << "plain" << true << QStringList();
    QTest::newRow("two") << "${a}-${b_2}" << true << QStringList{"a", "b_2"};
    QTest::newRow("escaped is none") << "$${a}" << true << QStringList();
    QTest::newRow("unclosed") << "${a" << false << QStringList();
    QTest::newRow("empty name") << "${}" << false << QStringList();
    QTest::newRow("starts with a digit") << "${1a}" << false << QStringList();
    QTest::newRow("blank inside") << "${a b}" << false << QStringList();
}

void TestPlanValues::references()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QStringList, names);
    QStringList found;
    QString error;
    QCOMPARE(TPlanValues::References(text, &found, &error), ok);
    QCOMPARE(error.isEmpty(), ok);
    if (ok)
        QCOMPARE(found, names);
}

QTEST_GUILESS_MAIN(TestPlanValues)
#include "tst_plan_values.moc"
