#include "execution/answer_page.h"
#include "terminal_model/color_notation.h"
#include "terminal_window/answer_display.h"
#include "terminal_window/command_input_panel.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

TFixedAnswerTable::TPanel Panel(const QString &text, quint32 color)
{
    TFixedAnswerTable::TPanel panel;
    panel.shown = true;
    panel.text = text;
    panel.color = color;
    return panel;
}

TAnswerRow Row(const QString &label, const QString &text, bool visible = true, bool undefined = false)
{
    TAnswerRow row;
    row.label = label;
    row.text = text;
    row.visible = visible;
    row.undefined = undefined;
    return row;
}

} // namespace

class TstAnswerDisplay : public QObject
{
    Q_OBJECT

private slots:
    void hiddenBeforeFirstAnswer();
    void panelsColouredAndPlaced();
    void rowsByPage();
    void clearAndShowAgain();
};

void TstAnswerDisplay::hiddenBeforeFirstAnswer()
{
    TAnswerDisplay display;
    display.show();
    QVERIFY(!display.FiscalBox()->isVisible());
    QVERIFY(!display.PrinterBox()->isVisible());
    QVERIFY(!display.Separator()->isVisible());
    QCOMPARE(display.FiscalBox()->toolTip(), QStringLiteral("Decode Fiscal state"));
    QCOMPARE(display.PrinterBox()->toolTip(), QStringLiteral("Decode Printer state"));
}

void TstAnswerDisplay::panelsColouredAndPlaced()
{
    TAnswerPage page;
    page.fiscalCaption = QStringLiteral("Fiscal answer = 0600");
    page.printerCaption = QStringLiteral("Printer answer = 0000");
    const quint32 buttonFace = TColorNotation::SystemColorBase + 15;
    page.fiscalPanels = {Panel("OK", TColorNotation::FromRgb(0, 128, 0)), TFixedAnswerTable::TPanel(),
                         Panel("Memory full", TColorNotation::FromRgb(255, 0, 0)), Panel("Face", buttonFace),
                         Panel("Plain", TColorNotation::None)};
    TAnswerDisplay display;
    display.resize(420, 400);
    display.show();
    display.Show(page, 420);

    QCOMPARE(display.FiscalBox()->title(), page.fiscalCaption);
    QCOMPARE(display.FiscalBox()->geometry().topLeft(), QPoint(10, 20));
    QCOMPARE(display.FiscalBox()->width(), 400);
    QCOMPARE(display.FiscalPanels().size(), 5);
    QCOMPARE(display.PrinterPanels().size(), 0);
    QCOMPARE(display.FiscalPanels().at(0)->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    QCOMPARE(display.FiscalPanels().at(1)->text(), QString());
    QCOMPARE(display.FiscalPanels().at(2)->text(), QStringLiteral("Memory full"));
    QCOMPARE(display.FiscalPanels().at(2)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // System colours come from the platform palette.
    QCOMPARE(display.FiscalPanels().at(3)->palette().color(QPalette::WindowText),
             display.palette().color(QPalette::Active, QPalette::Button));
    QCOMPARE(display.FiscalPanels().at(4)->palette().color(QPalette::WindowText),
             display.palette().color(QPalette::WindowText));
    // Two panels a row: the second column stands 185 pixels to the right,
    // the second row 31 pixels lower.
    const QPoint first = display.FiscalPanels().at(0)->pos();
    QCOMPARE(display.FiscalPanels().at(1)->pos(), first + QPoint(185, 0));
    QCOMPARE(display.FiscalPanels().at(2)->pos(), first + QPoint(0, 31));
    // The printer box follows the fiscal box, the separator the printer box.
    QCOMPARE(display.PrinterBox()->y(), display.FiscalBox()->geometry().bottom() + 1 + 20);
    QCOMPARE(display.PrinterBox()->height(), 22);
    QCOMPARE(display.Separator()->y(), display.PrinterBox()->geometry().bottom() + 1 + 20);
    QVERIFY(display.Separator()->isVisible());
}

void TstAnswerDisplay::rowsByPage()
{
    TAnswerPage page;
    page.rows = {Row("Reserved", "", false), Row("Return Code", "257"), Row("Reserved", "", false),
                 Row("Total", "12.50"), Row("Field4", "raw", true, true)};
    page.rows[1].hint = QStringLiteral("(0101) Paper low");
    TAnswerDisplay display;
    display.show();
    display.Show(page, 700);
    QCOMPARE(display.RowCount(), 5);
    // Hidden rows keep their place in the grid.
    QVERIFY(!display.RowBox(0)->isVisible());
    QVERIFY(!display.RowLabel(0)->isVisible());
    QCOMPARE(display.RowBox(1)->x() - display.RowBox(0)->x(), display.RowBox(0)->width() + 10);
    QCOMPARE(display.RowBox(1)->text(), QStringLiteral("257"));
    QCOMPARE(display.RowBox(1)->toolTip(), QStringLiteral("(0101) Paper low"));
    QVERIFY(display.RowBox(1)->isReadOnly());
    QCOMPARE(display.RowLabel(1)->buddy(), display.RowBox(1));
    QCOMPARE(display.RowLabel(3)->text(), QStringLiteral("Total"));
    QCOMPARE(display.RowBox(3)->text(), QStringLiteral("12.50"));
    QCOMPARE(display.RowLabel(4)->palette().color(QPalette::WindowText), TCommandInputPanel::Maroon);
    QVERIFY(display.RowLabel(3)->palette().color(QPalette::WindowText) != TCommandInputPanel::Maroon);
    QCOMPARE(display.RowBox(0)->y(), display.Separator()->y() + 3 + 10 + 18);
}

void TstAnswerDisplay::clearAndShowAgain()
{
    TAnswerPage page;
    page.fiscalPanels = {Panel("A", 0), Panel("B", 0)};
    page.printerPanels = {Panel("C", 0)};
    page.rows = {Row("R", "1"), Row("S", "2")};
    TAnswerDisplay display;
    display.show();
    display.Show(page, 500);
    QPointer<QLabel> panel = display.FiscalPanels().first();
    display.ClearFiscalPanels();
    QVERIFY(panel.isNull());
    QVERIFY(!display.FiscalBox()->isVisible());
    QVERIFY(display.PrinterBox()->isVisible());
    display.ClearPrinterPanels();
    QVERIFY(display.PrinterPanels().isEmpty());
    QVERIFY(!display.PrinterBox()->isVisible());

    // The next answer replaces every row and panel of the last one.
    page.fiscalPanels = {Panel("D", 0)};
    page.rows = {Row("T", "3")};
    display.Show(page, 500);
    QCOMPARE(display.FiscalPanels().size(), 1);
    QCOMPARE(display.RowCount(), 1);
    QCOMPARE(display.findChildren<QLineEdit *>().size(), 1);
    QCOMPARE(display.FiscalBox()->findChildren<QLabel *>().size(), 1);
}

QTEST_MAIN(TstAnswerDisplay)
#include "tst_answer_display.moc"
