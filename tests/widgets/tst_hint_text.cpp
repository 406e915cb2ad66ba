#include "widgets/hint_text.h"

#include <QTest>

class TstHintText : public QObject
{
    Q_OBJECT
private slots:
    void hints_data();
    void hints();
};

void TstHintText::hints_data()
{
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("shortPart");
    QTest::addColumn<QString>("longPart");
    QTest::newRow("two parts") << "Copy|Copy to the clipboard" << "Copy" << "Copy to the clipboard";
    QTest::newRow("one part") << "New terminal file" << "New terminal file" << "New terminal file";
    QTest::newRow("trailing blank kept") << "Options|Options " << "Options" << "Options ";
    QTest::newRow("empty") << "" << "" << "";
}

void TstHintText::hints()
{
    QFETCH(QString, hint);
    QFETCH(QString, shortPart);
    QFETCH(QString, longPart);
    QCOMPARE(HintText::ShortHint(hint), shortPart);
    QCOMPARE(HintText::LongHint(hint), longPart);
}

QTEST_GUILESS_MAIN(TstHintText)
#include "tst_hint_text.moc"
