#include "execution/answer_page_layout.h"
#include "execution/command_panel_layout.h"

#include <QtTest>

class TestPanelLayout : public QObject {
    Q_OBJECT
private slots:
    void commandColumns_data();
    void commandColumns();
    void commandPositions();
    void notesPlacement_data();
    void notesPlacement();
    void controlHeightByDpi();
    void statusPanels_data();
    void statusPanels();
    void answerPage();
};

void TestPanelLayout::commandColumns_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("controlWidth");

    QTest::newRow("700") << 700 << 3 << 213;
    QTest::newRow("exactly one column") << 220 << 1 << 180;
    QTest::newRow("below one column") << 200 << 1 << 160;
    QTest::newRow("wide") << 1000 << 4 << 232;
    QTest::newRow("tiny keeps a usable width") << 30 << 1 << TCommandPanelLayout::MinimumControlWidth;
    QTest::newRow("negative") << -50 << 1 << TCommandPanelLayout::MinimumControlWidth;
}

void TestPanelLayout::commandColumns()
{
    QFETCH(int, width);
    QFETCH(int, columns);
    QFETCH(int, controlWidth);
    QCOMPARE(TCommandPanelLayout::Columns(width), columns);
    QCOMPARE(TCommandPanelLayout::ControlWidth(width), controlWidth);
}

void TestPanelLayout::commandPositions()
{
    const auto layout = TCommandPanelLayout::Compute(700, 96, 5, 0);
    QCOMPARE(layout.fields.size(), 5);
    const QList<QPoint> labels{{20, 15}, {243, 15}, {466, 15}, {20, 70}, {243, 70}};
    for (int i = 0; i < labels.size(); ++i) {
        QCOMPARE(layout.fields.at(i).label, labels.at(i));
        QCOMPARE(layout.fields.at(i).control,
                 QRect(labels.at(i).x(), labels.at(i).y() + 18, 213, 20));
    }
    QVERIFY(!layout.hasNotes);
}

void TestPanelLayout::notesPlacement_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("hasNotes");
    QTest::addColumn<int>("notesTop");

    // Three columns at 700: a partly filled row puts the notes one row
    // lower, a full row two rows lower (the advance already moved down).
    QTest::newRow("partial row") << 2 << 3 << true << 70;
    QTest::newRow("full row") << 3 << 1 << true << 125;
    QTest::newRow("no lines") << 2 << 0 << false << 0;
    QTest::newRow("no fields") << 0 << 2 << false << 0;
}

void TestPanelLayout::notesPlacement()
{
    QFETCH(int, fields);
    QFETCH(int, lines);
    QFETCH(bool, hasNotes);
    QFETCH(int, notesTop);
    const auto layout = TCommandPanelLayout::Compute(700, 96, fields, lines);
    QCOMPARE(layout.hasNotes, hasNotes);
    if (hasNotes) {
        QCOMPARE(layout.notesLabel, QPoint(20, notesTop));
        QCOMPARE(layout.notesMemo, QRect(20, notesTop + 18, 660, 20 * lines));
    }
}

void TestPanelLayout::controlHeightByDpi()
{
    QCOMPARE(TCommandPanelLayout::ControlHeight(96), 20);
    QCOMPARE(TCommandPanelLayout::ControlHeight(120), 24);
    QCOMPARE(TCommandPanelLayout::ControlHeight(72), 24);
    QCOMPARE(TCommandPanelLayout::Compute(700, 144, 1, 0).fields.at(0).control.height(), 24);
}

void TestPanelLayout::statusPanels_data()
{
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("maxPanel");
    QTest::addColumn<int>("perRow");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("boxHeight");
    QTest::addColumn<QList<QPoint>>("panels");

    QTest::newRow("5 panels in 400")
        << 400 << 5 << 2 << 20 << 101
        << QList<QPoint>{{20, 15}, {205, 15}, {20, 46}, {205, 46}, {20, 77}};
    QTest::newRow("no panels") << 400 << 0 << 2 << 20 << 22 << QList<QPoint>{};
    QTest::newRow("narrow box, one per row")
        << 150 << 2 << 1 << 0 << 70 << QList<QPoint>{{0, 15}, {0, 46}};
    QTest::newRow("one full row") << 600 << 3 << 3 << 27 << 39
                                  << QList<QPoint>{{27, 15}, {212, 15}, {397, 15}};
}

void TestPanelLayout::statusPanels()
{
    QFETCH(int, clientWidth);
    QFETCH(int, maxPanel);
    QFETCH(int, perRow);
    QFETCH(int, margin);
    QFETCH(int, boxHeight);
    QFETCH(QList<QPoint>, panels);
    const auto grid = TAnswerPageLayout::PanelGrid(clientWidth, maxPanel);
    QCOMPARE(grid.perRow, perRow);
    QCOMPARE(grid.margin, margin);
    QCOMPARE(grid.boxHeight, boxHeight);
    QCOMPARE(grid.panels, panels);
}

void TestPanelLayout::answerPage()
{
    // Page 700 wide, boxes 680 with a 4-pixel frame: client width 676, three
    // panels per row. Fiscal: 4 panels (2 rows), printer: none.
    const auto page = TAnswerPageLayout::Compute(700, 4, 4, 0, 5);
    QCOMPARE(page.fiscalBox, QRect(10, 20, 680, 70));
    QCOMPARE(page.printerBox, QRect(10, 110, 680, 22));
    QCOMPARE(page.separator, QRect(0, 152, 700, 3));
    QCOMPARE(page.rowColumns, 4);
    QCOMPARE(page.rowBoxWidth, (700 - 640 - 30) / 4 + 150);
    QCOMPARE(page.rows.size(), 5);
    const int first = 152 + 3 + 10;
    QCOMPARE(page.rows.at(0).label, QPoint(20, first));
    QCOMPARE(page.rows.at(1).label, QPoint(20 + page.rowBoxWidth + 10, first));
    QCOMPARE(page.rows.at(4).label, QPoint(20, first + 55));
    QCOMPARE(page.rows.at(4).box, QRect(20, first + 55 + 18, page.rowBoxWidth, 24));
}

QTEST_GUILESS_MAIN(TestPanelLayout)
#include "tst_panel_layout.moc"
