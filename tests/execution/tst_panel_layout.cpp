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
    QTest::addColumn<int>("contentsWidth");
    QTest::addColumn<int>("maxPanel");
    QTest::addColumn<int>("panelHeight");
    QTest::addColumn<int>("pitchX");
    QTest::addColumn<int>("perRow");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("boxHeight");
    QTest::addColumn<QList<QPoint>>("panels");

    // Box heights with the designed margins (15 above the panels, 8 below).
    QTest::newRow("5 panels in 400")
        << 400 << 5 << 16 << 185 << 2 << 20 << 101
        << QList<QPoint>{{20, 0}, {205, 0}, {20, 31}, {205, 31}, {20, 62}};
    QTest::newRow("no panels: room for the caption") << 400 << 0 << 16 << 185 << 2 << 20 << 23 << QList<QPoint>{};
    QTest::newRow("narrow box, one per row")
        << 150 << 2 << 16 << 185 << 1 << 0 << 70 << QList<QPoint>{{0, 0}, {0, 31}};
    QTest::newRow("one full row") << 600 << 3 << 16 << 185 << 3 << 27 << 39
                                  << QList<QPoint>{{27, 0}, {212, 0}, {397, 0}};
    // A large font spreads the rows and makes the box taller.
    QTest::newRow("large font") << 400 << 3 << 30 << 185 << 2 << 20 << 15 + 38 + 30 + 8
                                << QList<QPoint>{{20, 0}, {205, 0}, {20, 38}};
    // Long texts make the panels wider, and fewer a row.
    QTest::newRow("long texts") << 600 << 3 << 16 << 250 << 2 << 55 << 15 + 31 + 16 + 8
                                << QList<QPoint>{{55, 0}, {305, 0}, {55, 31}};
}

void TestPanelLayout::statusPanels()
{
    QFETCH(int, contentsWidth);
    QFETCH(int, maxPanel);
    QFETCH(int, panelHeight);
    QFETCH(int, perRow);
    QFETCH(int, margin);
    QFETCH(int, boxHeight);
    QFETCH(QList<QPoint>, panels);
    QFETCH(int, pitchX);
    TAnswerPageLayout::TMetrics metrics;
    metrics.panelHeight = panelHeight;
    metrics.panelPitchX = pitchX;
    const auto grid = TAnswerPageLayout::PanelGrid(contentsWidth, maxPanel, metrics);
    QCOMPARE(grid.perRow, perRow);
    QCOMPARE(grid.margin, margin);
    QCOMPARE(TAnswerPageLayout::BoxHeight(grid, TAnswerPageLayout::TMetrics().boxMargins), boxHeight);
    QCOMPARE(grid.panels, panels);
}

void TestPanelLayout::answerPage()
{
    // Page 700 wide, boxes 680 whose frame and caption take 2 at the sides,
    // 20 above and 4 below: contents 676 wide, three panels per row.
    // Fiscal: 4 panels (2 rows), printer: none. Rows: the extended
    // protocol's hidden reserved rows around the return code, two fields.
    TAnswerPageLayout::TInput input;
    input.pageWidth = 700;
    input.metrics.boxMargins = QMargins(2, 20, 2, 4);
    input.fiscalMaxPanel = 4;
    input.rowsShown = {false, true, false, true, true};
    input.describedRow = 1;
    input.codeWidth = 50;
    const auto page = TAnswerPageLayout::Compute(input);
    QCOMPARE(page.fiscalBox, QRect(10, 20, 680, 20 + 31 + 16 + 4));
    // Panels stand inside the box's contents, below its caption.
    QCOMPARE(page.fiscalPanels.panels.first(), QPoint(2 + 65, 20));
    QCOMPARE(page.fiscalPanels.panels.last(), QPoint(2 + 65, 20 + 31));
    QCOMPARE(page.printerBox, QRect(10, 111, 680, 24));
    QCOMPARE(page.separator, QRect(0, 155, 700, 3));
    QCOMPARE(page.rowColumns, 4);
    QCOMPARE(page.rowBoxWidth, (700 - 640 - 30) / 4 + 150);
    QCOMPARE(page.rows.size(), 5);
    const int first = 155 + 3 + 10;
    const int cell = page.rowBoxWidth + 10;
    QCOMPARE(page.rows.at(0).label, QPoint(20, first));
    QCOMPARE(page.rows.at(1).label, QPoint(20 + cell, first));
    // The code's box is as wide as the code; its description runs on over
    // the hidden reserved row beside it, up to the first field.
    QCOMPARE(page.rows.at(1).box, QRect(20 + cell, first + 18, 50, 24));
    QCOMPARE(page.rows.at(1).description, QRect(20 + cell + 56, first + 18, 2 * cell - 10 - 56, 24));
    QVERIFY(page.rows.at(3).description.isNull());
    QCOMPARE(page.rows.at(4).label, QPoint(20, first + 55));
    QCOMPARE(page.rows.at(4).box, QRect(20, first + 55 + 18, page.rowBoxWidth, 24));

    // Shown reserved rows keep their cells: the description stays in its own.
    input.rowsShown = {true, true, true, true, true};
    QCOMPARE(TAnswerPageLayout::Compute(input).rows.at(1).description,
             QRect(20 + cell + 56, first + 18, cell - 10 - 56, 24));
    // Taller labels and boxes move the rows apart.
    input.metrics.labelHeight = 30;
    input.metrics.rowBoxHeight = 32;
    const auto tall = TAnswerPageLayout::Compute(input);
    QCOMPARE(tall.rows.at(4).label, QPoint(20, first + 30 + 32 + 13));
    QCOMPARE(tall.rows.at(4).box, QRect(20, first + 75 + 30, tall.rowBoxWidth, 32));
}

QTEST_GUILESS_MAIN(TestPanelLayout)
#include "tst_panel_layout.moc"
