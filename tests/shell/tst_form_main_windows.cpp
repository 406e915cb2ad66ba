#include "main_window_fixture.h"
#include "shell/form_child_log_window.h"
#include "shell/form_main.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "test_files.h"
#include "widgets/scripted_prompts.h"

#include <QAction>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <memory>

namespace {

const QByteArray HintFile =
    "[General]\nProtocol=1\n\n[Groups]\nSales=\n\n[Sales]\nPay=\n\n"
    "[SalesPay]\nCommands=0,\"&Amount\",\"Amount|Amount to pay, with two decimals\",2,\"\",0,0,0,0,0,2,0\n"
    "Answers=\n";

using TestFiles::Write;

// What the mouse does when it comes over a widget and leaves it again.
void Hover(QWidget *widget, bool enter)
{
    if (enter) {
        QEnterEvent event(QPointF(2, 2), widget->mapTo(widget->window(), QPointF(2, 2)),
                          widget->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(widget, &event);
    } else {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(widget, &event);
    }
}

} // namespace

// The main window's child windows and status bar as a person sees them.
class TstFormMainWindows : public QObject, private TMainWindowFixture<>
{
    Q_OBJECT

public:
    TstFormMainWindows() : TMainWindowFixture(QStringLiteral("TessalyWindows")) {}

private slots:
    void initTestCase();
    void init();
    void logWindowClosedComesBack();
    void stateTextsReadInFull_data();
    void stateTextsReadInFull();
    void terminalWindowHintsInFirstPanel();
    void fileAndOptionsItemsHaveAccelerators();

private:
};

void TstFormMainWindows::initTestCase()
{
    SetUpStore();
}

void TstFormMainWindows::init()
{
    SetUpTest();
    Write(QDir::current().filePath("hints.tsy"), HintFile);
}

void TstFormMainWindows::logWindowClosedComesBack()
{
    auto window = Start({"hints.tsy"});
    TFormChildLogWindow *log = window->LogWindow();
    QVERIFY(log);
    log->showNormal();
    // The close box minimises it, as every other child.
    QVERIFY(!log->close());
    QCOMPARE(window->LogWindow(), log);
    QVERIFY(log->isVisible());
    QVERIFY(log->isMinimized());

    // The Window menu brings it back, however it went out of sight.
    QMenu *menu = window->findChild<QMenu *>("MenuWindow");
    const auto bringBack = [&] {
        emit menu->aboutToShow();
        const QList<QAction *> items = menu->actions();
        const auto item = std::find_if(items.begin(), items.end(),
                                       [](QAction *a) { return a->text() == QStringLiteral("&2 Log window"); });
        QVERIFY(item != items.end());
        (*item)->trigger();
        QVERIFY(log->isVisible());
        QVERIFY(!log->isMinimized());
        QCOMPARE(window->MdiArea()->activeSubWindow(), log);
    };
    bringBack();
    log->hide();
    bringBack();
}

void TstFormMainWindows::stateTextsReadInFull_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("host port") << QStringLiteral("Host port closed");
    QTest::newRow("fiscal port") << QStringLiteral("Fiscal port closed");
    QTest::newRow("progress") << QStringLiteral("999/999");
    QTest::newRow("sending") << QStringLiteral("Sending ...");
}

void TstFormMainWindows::stateTextsReadInFull()
{
    QFETCH(QString, text);
    auto window = Start();
    window->SetStatusText(text);
    auto *panel = window->statusBar()->findChild<QLabel *>("StatusPanel1");
    QVERIFY(panel);
    QCOMPARE(panel->text(), text);
    QTRY_VERIFY(panel->contentsRect().width() >= panel->fontMetrics().horizontalAdvance(text));
    // The port panels stay in sight at the right.
    auto *fiscal = window->statusBar()->findChild<QLabel *>("StatusPanel3");
    QVERIFY(fiscal->isVisible());
    QVERIFY(fiscal->geometry().right() <= window->statusBar()->width());
    QVERIFY(panel->geometry().right() < fiscal->geometry().left());
}

void TstFormMainWindows::terminalWindowHintsInFirstPanel()
{
    auto window = Start({"hints.tsy"});
    TFormChildTerminalWindow *terminal = window->TerminalWindow();
    QVERIFY(terminal);
    QTreeWidgetItem *pay = terminal->CommandTree()->RootNode()->child(0)->child(0);
    terminal->CommandTree()->setCurrentItem(pay);
    terminal->CommandTree()->ShowSelectedCommand();
    QWidget *amount = terminal->CommandPage()->InputPanel()->Control(0);
    QCOMPARE(amount->toolTip(), QStringLiteral("Amount"));

    Hover(amount, true);
    QCOMPARE(window->StatusText(0), QStringLiteral("Amount to pay, with two decimals"));
    Hover(amount, false);
    QCOMPARE(window->StatusText(0), QString());
    Hover(terminal->CommandPage()->ButtonSend(), true);
    QCOMPARE(window->StatusText(0), QStringLiteral("Send selected command"));
    Hover(terminal->CommandPage()->ButtonRepeat(), true);
    QCOMPARE(window->StatusText(0), QStringLiteral("Send commands \"n\" times"));
    Hover(terminal->CommandPage()->ButtonCancel(), true);
    QCOMPARE(window->StatusText(0), QStringLiteral("Cancel command in progress"));
    // The short texts in panel 1 are not touched.
    QCOMPARE(window->StatusText(1), QStringLiteral("Ready"));
}

// Every item of the File and Options menus is reached by its own letter
// once the menu is open.
void TstFormMainWindows::fileAndOptionsItemsHaveAccelerators()
{
    auto window = Start();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    for (const char *name : {"MenuFile", "MenuOptions"}) {
        QStringList letters;
        for (const QAction *item : window->findChild<QMenu *>(QLatin1String(name))->actions()) {
            if (item->isSeparator())
                continue;
            const QKeySequence key = QKeySequence::mnemonic(item->text());
            QVERIFY2(!key.isEmpty(), qPrintable(item->text()));
            QVERIFY2(!letters.contains(key.toString()), qPrintable(item->text()));
            letters << key.toString();
        }
    }

    const auto choose = [&window](Qt::Key menu, Qt::Key item) {
        QTest::keyClick(window.get(), menu, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), item);
        QTRY_VERIFY(!QApplication::activePopupWidget());
    };
    choose(Qt::Key_F, Qt::Key_O);
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindOpen), QStringList{"Open dialog"});
    choose(Qt::Key_O, Qt::Key_P);
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindDialog), 1);
    window->SetStatusText(QString());
    choose(Qt::Key_O, Qt::Key_S);
    QCOMPARE(window->StatusText(1), QStringLiteral("Ready"));
}

QTEST_MAIN(TstFormMainWindows)
#include "tst_form_main_windows.moc"
