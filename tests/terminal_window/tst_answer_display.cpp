#include "execution/answer_page.h"
#include "terminal_model/color_notation.h"
#include "terminal_model/settings.h"
#include "terminal_window/answer_display.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "terminal_window/form_child_terminal_window.h"
#include "widgets/scripted_prompts.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
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

TAnswerRow ReturnCodeRow(int code, const QString &description)
{
    TAnswerRow row = Row("Return Code", QString::number(code));
    row.returnCode = true;
    row.description = description;
    row.failed = code != 0;
    row.hint = QStringLiteral("(%1) ").arg(code, 4, 16, QLatin1Char('0')).toUpper() + description;
    return row;
}

// A terminal file whose commands answer with few or many fields.
QByteArray PlacesFile()
{
    QByteArray many;
    for (int i = 0; i < 30; ++i)
        many += (i ? ",\"Value " : "\"Value ") + QByteArray::number(i) + "\",0,0";
    return "[General]\nProtocol=1\n\n"
           "[FiscalAnswer]\nRecord1=1,1,0000,0000,\"Idle\",clNavy\nRecord2=2,3,0100,0100,\"Drawer open\",clRed\n\n"
           "[PrinterAnswer]\nRecord1=1,2,0001,0001,\"Paper out\",clRed\n\n"
           "[Return codes]\nRC0=Command executed\nRC257=Fiscal memory full\n\n"
           "[Groups]\nG=\n\n[G]\nTall=\nShort=\n\n"
           "[GTall]\nCommands=0,\"F\",\"\",0,\"v\",0,0,0,0,0,0,0\nAnswers=" + many + "\n\n"
           "[GShort]\nCommands=0,\"F\",\"\",0,\"v\",0,0,0,0,0,0,0\nAnswers=\"Total\",2,2\n";
}

struct TPlaces {
    QRect fiscal;
    QRect printer;
    QRect code;
};

} // namespace

class TstAnswerDisplay : public QObject
{
    Q_OBJECT

private slots:
    void hiddenBeforeFirstAnswer();
    void panelsColouredAndPlaced();
    void rowsByPage();
    void clearAndShowAgain();
    void elapsedAboveTheStatusBoxes();
    void panelsInsideTheirBoxes_data();
    void panelsInsideTheirBoxes();
    void returnCodeDescribedBesideIt_data();
    void returnCodeDescribedBesideIt();
    void samePlacesOnEveryCommand();
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
    // Without panels the box keeps room for its caption and frame.
    const QMargins margins = display.PrinterBox()->contentsMargins();
    QCOMPARE(display.PrinterBox()->height(), qMax(22, margins.top() + margins.bottom()));
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
    QCOMPARE(display.RowLabel(0)->y(), display.Separator()->y() + 3 + 10);
    QVERIFY(display.RowBox(0)->y() > display.RowLabel(0)->geometry().bottom());
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

void TstAnswerDisplay::elapsedAboveTheStatusBoxes()
{
    TAnswerPage page;
    page.fiscalCaption = QStringLiteral("Fiscal answer = 0600");
    page.ElapsedCaption = QStringLiteral("Answered in 127 ms");
    TAnswerDisplay display;
    display.show();
    QVERIFY(!display.ElapsedCaption()->isVisible());
    display.Show(page, 420);
    // At the right end of the gap above the fiscal box, in full.
    QLabel *caption = display.ElapsedCaption();
    QVERIFY(caption->isVisible());
    QCOMPARE(caption->text(), page.ElapsedCaption);
    QVERIFY(caption->geometry().bottom() < display.FiscalBox()->y());
    QCOMPARE(caption->geometry().right(), display.FiscalBox()->geometry().right());
    QVERIFY(caption->alignment() & Qt::AlignRight);
    QVERIFY(caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->width());
    QVERIFY(caption->fontMetrics().height() <= caption->height());

    // An answer shown without a command (the tester's words) has no time.
    page.ElapsedCaption.clear();
    display.Show(page, 420);
    QVERIFY(!caption->isVisible());
}

void TstAnswerDisplay::panelsInsideTheirBoxes_data()
{
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("printerPanels");
    QTest::newRow("default font") << 0 << 5;
    QTest::newRow("large font") << 26 << 5;
    QTest::newRow("printer box without panels") << 0 << 0;
}

void TstAnswerDisplay::panelsInsideTheirBoxes()
{
    QFETCH(int, pixelSize);
    QFETCH(int, printerPanels);
    TAnswerPage page;
    page.fiscalCaption = QStringLiteral("Fiscal answer = 0008");
    page.printerCaption = QStringLiteral("Printer answer = 0000");
    for (int k = 0; k < 6; ++k)
        page.fiscalPanels << Panel(QStringLiteral("Fiscal state %1").arg(k), 0);
    for (int k = 0; k < printerPanels; ++k)
        page.printerPanels << Panel(QStringLiteral("Printer state %1").arg(k), 0);
    for (const auto &panel : page.fiscalPanels + page.printerPanels)
        page.panelTexts << panel.text;
    // A text no panel shows now still takes its room.
    page.panelTexts << QStringLiteral("Fiscal memory almost full, another record");
    TAnswerDisplay display;
    if (pixelSize) {
        QFont font = display.font();
        font.setPixelSize(pixelSize);
        display.setFont(font);
    }
    display.resize(700, 600);
    display.show();
    display.Show(page, 700);

    // Every panel stands inside its box's frame, below the caption, and
    // the box is tall enough for all of its rows.
    for (QGroupBox *box : {display.FiscalBox(), display.PrinterBox()}) {
        const QList<QLabel *> &panels = box == display.FiscalBox() ? display.FiscalPanels() : display.PrinterPanels();
        for (QLabel *panel : panels) {
            QVERIFY2(box->contentsRect().contains(panel->geometry()), qPrintable(panel->text()));
            for (QLabel *other : panels)
                QVERIFY(other == panel || !other->geometry().intersects(panel->geometry()));
        }
        // Room beside each panel for the longest text of the tables.
        if (panels.size() > 1 && panels.at(1)->y() == panels.at(0)->y())
            QVERIFY(panels.at(1)->x() - panels.at(0)->x()
                    > box->fontMetrics().horizontalAdvance(page.panelTexts.constLast()));
        QVERIFY(box->height() >= box->contentsMargins().top() + box->contentsMargins().bottom());
    }
    QVERIFY(display.Separator()->y() > display.PrinterBox()->geometry().bottom());
}

void TstAnswerDisplay::returnCodeDescribedBesideIt_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("reservedShown");
    QTest::addColumn<bool>("failed");
    QTest::newRow("fault, in the error colour") << 257 << false << true;
    QTest::newRow("success") << 0 << false << false;
    QTest::newRow("reserved rows shown") << 11 << true << true;
}

void TstAnswerDisplay::returnCodeDescribedBesideIt()
{
    QFETCH(int, code);
    QFETCH(bool, reservedShown);
    QFETCH(bool, failed);
    const QString description = QStringLiteral("Fiscal memory full");
    TAnswerPage page;
    page.rows = {Row("Reserved", "", reservedShown), ReturnCodeRow(code, description), Row("Reserved", "", reservedShown),
                 Row("Total", "12.50"), Row("Count", "7")};
    TAnswerDisplay display;
    display.show();
    display.Show(page, 700);

    QLineEdit *box = display.RowBox(1);
    QLabel *label = display.ReturnCodeDescription();
    QVERIFY(label);
    QVERIFY(label->isVisible());
    QCOMPARE(box->text(), QString::number(code));
    // The code keeps its hint; the description is also shown, beside it.
    QCOMPARE(box->toolTip(), page.rows.at(1).hint);
    QVERIFY(label->text() == description || label->text().endsWith(QChar(0x2026)));
    QVERIFY(label->x() > box->geometry().right());
    QCOMPARE(label->y(), box->y());
    for (int r = 0; r < display.RowCount(); ++r) {
        if (r == 1 || !display.RowBox(r)->isVisible())
            continue;
        QVERIFY(!label->geometry().intersects(display.RowBox(r)->geometry()));
        QVERIFY(!label->geometry().intersects(display.RowLabel(r)->geometry()));
    }
    // Beside a hidden reserved row the description has room for all of it.
    if (!reservedShown)
        QCOMPARE(label->text(), description);
    QCOMPARE(box->palette().color(QPalette::Text) == TAnswerDisplay::ErrorColor, failed);
    QCOMPARE(label->palette().color(QPalette::WindowText) == TAnswerDisplay::ErrorColor, failed);
    QCOMPARE(display.RowBox(3)->palette().color(QPalette::Text) == TAnswerDisplay::ErrorColor, false);

    // The next answer replaces the description.
    page.rows = {Row("Total", "1")};
    display.Show(page, 700);
    QVERIFY(!display.ReturnCodeDescription());
    QCOMPARE(display.findChildren<QLabel *>(QStringLiteral("LabelReturnCodeDescription")).size(), 0);
}

void TstAnswerDisplay::samePlacesOnEveryCommand()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("places.tsy"));
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(PlacesFile());
    }
    TSettings settings;
    settings.Protocol = 1;
    TScriptedPrompts prompts;
    TFormChildTerminalWindow window(settings, prompts, file);
    window.resize(900, 600);
    window.show();
    auto *pages = window.findChild<QTabWidget *>(QStringLiteral("PageControl"));
    auto *scroll = window.findChild<QScrollArea *>(QStringLiteral("ScrollBoxHostAnswer"));
    TAnswerDisplay *display = window.CommandPage()->AnswerDisplay();
    QCOMPARE(pages->currentIndex(), 0);

    const auto answer = [&](const QString &command, int fields, quint16 code) {
        TReceivedAnswer received;
        received.commandKey = command;
        received.returnCode = code;
        for (int i = 0; i < fields; ++i)
            received.fields << QByteArray::number(i);
        emit window.CommandPage()->Runner().AnswerReady(received);
        QCoreApplication::processEvents();
        return TPlaces{display->FiscalBox()->geometry(), display->PrinterBox()->geometry(),
                       display->RowBox(1)->geometry()};
    };
    // The boxes stand 10 pixels from the left and, whether or not the
    // vertical bar shows, at most its width more from the right.
    const auto fitsWidth = [&](const TPlaces &places) {
        const int right = scroll->viewport()->width() - 1 - places.fiscal.right();
        return right >= 10 && right <= 10 + scroll->verticalScrollBar()->sizeHint().width();
    };

    // The first answer comes while the commands page is in front.
    const TPlaces tall = answer(QStringLiteral("GTall"), 30, 257);
    QCOMPARE(pages->currentIndex(), 1);
    QTRY_VERIFY(scroll->verticalScrollBar()->isVisible());
    QCoreApplication::processEvents();
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QVERIFY2(fitsWidth(tall), qPrintable(QString::number(tall.fiscal.right())));

    const TPlaces shortAnswer = answer(QStringLiteral("GShort"), 1, 0);
    QCOMPARE(shortAnswer.fiscal, tall.fiscal);
    QCOMPARE(shortAnswer.printer, tall.printer);
    QCOMPARE(shortAnswer.code, tall.code);
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());

    // Resized while another page is in front: the next answer fits the new width.
    pages->setCurrentIndex(0);
    window.resize(1100, 650);
    QCoreApplication::processEvents();
    const TPlaces wider = answer(QStringLiteral("GTall"), 80, 257);
    QTRY_VERIFY(scroll->verticalScrollBar()->isVisible());
    QCoreApplication::processEvents();
    QVERIFY2(fitsWidth(wider), qPrintable(QString::number(wider.fiscal.right())));
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QCOMPARE(wider.fiscal.topLeft(), tall.fiscal.topLeft());
    QCOMPARE(wider.code.y(), tall.code.y());
}

QTEST_MAIN(TstAnswerDisplay)
#include "tst_answer_display.moc"
