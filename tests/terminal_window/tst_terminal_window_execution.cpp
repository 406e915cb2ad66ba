#include "comm/host_types.h"
#include "execution/execution_texts.h"
#include "terminal_model/settings.h"
#include "terminal_window/answer_display.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "terminal_window/notice_bar.h"
#include "terminal_window/terminal_window_texts.h"
#include "test_files.h"
#include "widgets/scripted_prompts.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

QByteArray Field(int mode = 0)
{
    return QByteArray::number(mode) + ",\"F\",\"\",0,\"v\",0,0,0,0,0,0,0";
}

QByteArray Sample()
{
    QByteArray many;
    for (int i = 0; i < 72; ++i)
        many += (i ? "," : "") + Field();
    return "[General]\nProtocol=1\n\n"
           "[FiscalAnswer]\nRecord1=1,1,0000,0000,\"Idle\",clNavy\nRecord2=2,2,0100,0100,\"Drawer open\",clRed\n\n"
           "[PrinterAnswer]\nRecord1=1,1,0001,0001,\"Paper out\",clRed\n\n"
           "[Return codes]\nRC0=Command executed\n\n"
           "[Groups]\nG=\n\n"
           "[G]\nMany=\nBad=\nEmpty=\nFisc=\nHost=\n\n"
           "[GMany]\nCommands=" + many + "\nAnswers=\n\n"
           "[GBad]\nCommands=0,\"A\",\"\",zero,\"v\",0,0,0,0,0,0,0\nAnswers=\n\n"
           "[GEmpty]\nCommands=\nAnswers=\n\n"
           "[GFisc]\nCommands=" + Field(1) + "\nAnswers=\n\n"
           "[GHost]\nCommands=" + Field() + "\nAnswers=\"Total\",2,2\n";
}

} // namespace

// The terminal window's execution without a printer: command selection,
// button enabling, closed ports, the tester's entry point.
class TstTerminalWindowExecution : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void selectionBuildsControls_data();
    void selectionBuildsControls();
    void closedPortSaidOnThePage_data();
    void closedPortSaidOnThePage();
    void noticesReadInFull();
    void buttonsFollowTheCommandOnDisplay_data();
    void buttonsFollowTheCommandOnDisplay();
    void closedPortRefusedAtOnce();
    void repeatCountOutOfRangeSendsNothing_data();
    void repeatCountOutOfRangeSendsNothing();
    void testerShowsDecodedWords();
    void buttonsOnlyOnCommandPage();
    void fiscalMemoClearedByDoubleClick();
    void editFieldsRebuildsControls();
    void badFixedAnswerRecordNamed();

private:
    void Select(const QString &command);

    QTemporaryDir m_dir;
    TSettings m_settings;
    TScriptedPrompts m_prompts;
    std::unique_ptr<TFormChildTerminalWindow> m_window;
    QStringList m_status;
};

void TstTerminalWindowExecution::init()
{
    const QString file = m_dir.filePath(QStringLiteral("t.tsy"));
    TestFiles::Write(file, Sample());
    m_settings = TSettings();
    m_settings.Protocol = 1;
    m_settings.HostPortOpen = true;
    m_settings.FiscalPortOpen = true;
    m_prompts.Clear();
    m_status.clear();
    m_window = std::make_unique<TFormChildTerminalWindow>(m_settings, m_prompts, file);
    connect(m_window.get(), &TFormChildTerminalWindow::StatusText, this,
            [this](const QString &text) { m_status << text; });
    m_window->show();
}

void TstTerminalWindowExecution::cleanup()
{
    m_window.reset();
}

void TstTerminalWindowExecution::Select(const QString &command)
{
    QTreeWidgetItem *group = m_window->CommandTree()->RootNode()->child(0);
    for (int i = 0; i < group->childCount(); ++i) {
        if (group->child(i)->text(0) == command) {
            m_window->CommandTree()->setCurrentItem(group->child(i));
            m_window->CommandTree()->ShowSelectedCommand();
            return;
        }
    }
    QFAIL("no such command");
}

void TstTerminalWindowExecution::selectionBuildsControls_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("controls");
    QTest::addColumn<bool>("send");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<QString>("notice");

    QTest::newRow("more than 70") << "Many" << 70 << true << true
                                  << ExecutionTexts::FieldsCut(70, 72);
    QTest::newRow("unreadable record")
        << "Bad" << 0 << false << false
        << ExecutionTexts::CommandUnreadable(1, QStringLiteral("'zero' is not a valid integer value"));
    QTest::newRow("no fields") << "Empty" << 0 << false << false << ExecutionTexts::NoCommandFields;
    QTest::newRow("fiscal port") << "Fisc" << 1 << true << false << QString();
    QTest::newRow("host port") << "Host" << 1 << true << true << QString();
}

void TstTerminalWindowExecution::selectionBuildsControls()
{
    QFETCH(QString, command);
    QFETCH(int, controls);
    QFETCH(bool, send);
    QFETCH(bool, repeat);
    QFETCH(QString, notice);
    Select(command);
    QCOMPARE(m_window->CommandPage()->CommandKey(), QStringLiteral("G") + command);
    QCOMPARE(m_window->CommandPage()->InputPanel()->FieldCount(), controls);
    QCOMPARE(m_window->CommandPage()->ButtonSend()->isEnabled(), send);
    QCOMPARE(m_window->CommandPage()->ButtonRepeat()->isEnabled(), repeat);
    // Why Send is off, or what is left out, is said on the window itself.
    auto *bar = m_window->findChild<QLabel *>(QStringLiteral("NoticeBar"));
    QVERIFY(bar);
    QCOMPARE(bar->text(), notice);
    QCOMPARE(bar->isVisible(), !notice.isEmpty());

    // Selecting the group frees the controls, disables both buttons and
    // takes the command's notice away.
    m_window->CommandTree()->setCurrentItem(m_window->CommandTree()->RootNode()->child(0));
    m_window->CommandTree()->ShowSelectedCommand();
    QCOMPARE(m_window->CommandPage()->InputPanel()->FieldCount(), 0);
    QVERIFY(!m_window->CommandPage()->ButtonSend()->isEnabled());
    QVERIFY(!m_window->CommandPage()->ButtonRepeat()->isEnabled());
    QVERIFY(bar->isHidden());
}

void TstTerminalWindowExecution::closedPortSaidOnThePage_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("notice");
    QTest::newRow("host port") << "Host" << ExecutionTexts::HostPortClosedNotice;
    QTest::newRow("fiscal port") << "Fisc" << ExecutionTexts::FiscalPortClosedNotice;
}

void TstTerminalWindowExecution::closedPortSaidOnThePage()
{
    QFETCH(QString, command);
    QFETCH(QString, notice);
    m_settings.HostPortOpen = false;
    m_settings.FiscalPortOpen = false;
    Select(command);
    QVERIFY(!m_window->CommandPage()->ButtonSend()->isEnabled());
    QCOMPARE(m_window->CommandPage()->NoticeBar()->text(), notice);
    QVERIFY(m_window->CommandPage()->NoticeBar()->isVisible());
}

void TstTerminalWindowExecution::noticesReadInFull()
{
    // A narrow window, a record that gives no panel and a command that
    // cannot be read: every word stays on screen.
    QFile file(m_window->FileName());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Sample().replace("Record2=2,2,", "Record2=2,99,"));
    file.close();
    m_window->ReloadTerminalFile();
    m_window->resize(560, 420);
    Select(QStringLiteral("Bad"));
    TNoticeBar *bar = m_window->CommandPage()->NoticeBar();
    const QString fileNotice = bar->Notice(TNoticeBar::File);
    QVERIFY2(fileNotice.contains(QStringLiteral("Record2")), qPrintable(fileNotice));
    QCOMPARE(bar->text(), fileNotice + '\n' + bar->Notice(TNoticeBar::Command));
    QTRY_VERIFY(bar->isVisible() && bar->height() >= bar->heightForWidth(bar->width()));
    QVERIFY(bar->wordWrap());
    QVERIFY(bar->fontMetrics().horizontalAdvance(bar->text()) > bar->width());
    // Inside the window, above the pages, which keep their place below it.
    const QRect shown(bar->mapTo(m_window.get(), QPoint(0, 0)), bar->size());
    QVERIFY(m_window->rect().contains(shown));
    QVERIFY(m_window->CommandPage()->PageControl()->mapTo(m_window.get(), QPoint(0, 0)).y() >= shown.bottom());
    // Nothing of it went to the status bar's short texts.
    QVERIFY(m_status.isEmpty());

    // Mended and read again, the file's notice goes.
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Sample());
    file.close();
    m_window->ReloadTerminalFile();
    QCOMPARE(bar->Notice(TNoticeBar::File), QString());
    QCOMPARE(bar->text(), bar->Notice(TNoticeBar::Command));
}

void TstTerminalWindowExecution::buttonsFollowTheCommandOnDisplay_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("send");
    QTest::addColumn<bool>("repeat");
    QTest::newRow("Root") << QString() << false << false;
    QTest::newRow("group") << "G" << false << false;
    QTest::newRow("no fields") << "Empty" << false << false;
    QTest::newRow("fiscal-port command") << "Fisc" << true << false;
    QTest::newRow("host-port command") << "Host" << true << true;
}

void TstTerminalWindowExecution::buttonsFollowTheCommandOnDisplay()
{
    QFETCH(QString, command);
    QFETCH(bool, send);
    QFETCH(bool, repeat);
    if (command.isEmpty() || command == QStringLiteral("G")) {
        QTreeWidgetItem *node = command.isEmpty() ? m_window->CommandTree()->RootNode() : m_window->CommandTree()->RootNode()->child(0);
        m_window->CommandTree()->setCurrentItem(node);
        m_window->CommandTree()->ShowSelectedCommand();
    } else {
        Select(command);
    }
    // Cancel before any Send, and once more.
    QTest::mouseClick(m_window->CommandPage()->ButtonCancel(), Qt::LeftButton);
    QCOMPARE(m_window->CommandPage()->ButtonSend()->isEnabled(), send);
    QCOMPARE(m_window->CommandPage()->ButtonRepeat()->isEnabled(), repeat);
    QTest::mouseClick(m_window->CommandPage()->ButtonCancel(), Qt::LeftButton);
    QCOMPARE(m_window->CommandPage()->ButtonSend()->isEnabled(), send);
    QCOMPARE(m_window->CommandPage()->ButtonRepeat()->isEnabled(), repeat);
    // A host error that comes late is said, and changes no button.
    m_window->CommandPage()->Runner().HostError(EFP_E_ReadTimeOut);
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError), QStringList{ExecutionTexts::CommunicationError});
    QCOMPARE(m_window->CommandPage()->ButtonSend()->isEnabled(), send);
    QCOMPARE(m_window->CommandPage()->ButtonRepeat()->isEnabled(), repeat);
    QVERIFY(m_window->CommandTree()->isEnabled());
}

void TstTerminalWindowExecution::closedPortRefusedAtOnce()
{
    // The window was given no components: both ports count as closed.
    Select(QStringLiteral("Host"));
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QCOMPARE(m_status.last(), ExecutionTexts::HostPortClosed);
    QVERIFY(m_window->CommandTree()->isEnabled());
    Select(QStringLiteral("Fisc"));
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QCOMPARE(m_status.last(), ExecutionTexts::FiscalPortClosed);
    QVERIFY(m_prompts.Texts(TScriptedPrompts::KindError).isEmpty());
    // Cancel with nothing running changes nothing but the buttons.
    QTest::mouseClick(m_window->CommandPage()->ButtonCancel(), Qt::LeftButton);
    QCOMPARE(m_status.last(), ExecutionTexts::FiscalPortClosed);
}

void TstTerminalWindowExecution::repeatCountOutOfRangeSendsNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("zero") << "0";
    QTest::newRow("thousand") << "1000";
    QTest::newRow("not a number") << "ten";
    QTest::newRow("cancelled") << "";
}

void TstTerminalWindowExecution::repeatCountOutOfRangeSendsNothing()
{
    QFETCH(QString, typed);
    Select(QStringLiteral("Host"));
    QSignalSpy finished(&m_window->CommandPage()->Runner(), &TCommandRunner::Finished);
    m_prompts.Inputs.enqueue(typed);
    QTest::mouseClick(m_window->CommandPage()->ButtonRepeat(), Qt::LeftButton);
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindInput), QStringList{TerminalWindowTexts::RepeatPrompt});
    QVERIFY(finished.isEmpty());
    QVERIFY(m_status.isEmpty());
    QVERIFY(m_window->CommandTree()->isEnabled());

    // An auxiliary-port command is never repeated and asks nothing.
    m_prompts.Clear();
    Select(QStringLiteral("Fisc"));
    m_window->CommandPage()->Repeat();
    QVERIFY(m_prompts.Questions.isEmpty());
    QVERIFY(!m_window->CommandPage()->ButtonRepeat()->isEnabled());
}

void TstTerminalWindowExecution::testerShowsDecodedWords()
{
    m_window->CommandPage()->ShowAnswer(0x0100, 0x0001);
    TAnswerDisplay *display = m_window->CommandPage()->AnswerDisplay();
    QCOMPARE(m_window->CommandPage()->PageControl()->currentIndex(), 1);
    QCOMPARE(display->FiscalBox()->title(), QStringLiteral("Fiscal answer = 0100"));
    QCOMPARE(display->FiscalPanels().at(0)->text(), QStringLiteral("Idle"));
    QCOMPARE(display->FiscalPanels().at(0)->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(display->FiscalPanels().at(1)->text(), QStringLiteral("Drawer open"));
    QCOMPARE(display->PrinterPanels().at(0)->text(), QStringLiteral("Paper out"));
    // Only the return code row, 0, with its description.
    QCOMPARE(display->RowCount(), 3);
    QCOMPARE(display->RowLabel(1)->text(), QStringLiteral("Return Code"));
    QCOMPARE(display->RowBox(1)->text(), QStringLiteral("0"));
    QCOMPARE(display->RowBox(1)->toolTip(), QStringLiteral("(0000) Command executed"));

    // After the fixed-answer editor the panels go, and the next answer
    // decodes with the records as they are in the file now.
    m_window->CommandPage()->ClearFiscalPanels();
    m_window->CommandPage()->ClearPrinterPanels();
    QVERIFY(display->FiscalPanels().isEmpty());
    QVERIFY(!display->FiscalBox()->isVisible());
    QFile file(m_window->FileName());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Sample().replace("\"Drawer open\"", "\"Drawer ajar\""));
    file.close();
    m_window->ReloadTerminalFile();
    m_window->CommandPage()->ShowAnswer(0x0100, 0x0000);
    QCOMPARE(display->FiscalPanels().at(1)->text(), QStringLiteral("Drawer ajar"));
    QCOMPARE(display->PrinterPanels().at(0)->text(), QString());
}

void TstTerminalWindowExecution::buttonsOnlyOnCommandPage()
{
    QWidget *panel = m_window->CommandPage()->ButtonSend()->parentWidget();
    QVERIFY(panel->isVisible());
    m_window->CommandPage()->PageControl()->setCurrentIndex(1);
    QVERIFY(!panel->isVisible());
    m_window->CommandPage()->PageControl()->setCurrentIndex(0);
    QVERIFY(panel->isVisible());
    QCOMPARE(m_window->CommandPage()->ButtonRepeat()->toolTip(), QStringLiteral("Send commands \"n\" times"));
    QVERIFY(m_window->CommandPage()->ButtonCancel()->isEnabled());
}

void TstTerminalWindowExecution::fiscalMemoClearedByDoubleClick()
{
    m_window->CommandPage()->Runner().AuxAnswer("1000 line");
    m_window->CommandPage()->Runner().AuxFinalAnswer("0000 \xE9nd");
    QPlainTextEdit *memo = m_window->CommandPage()->FiscalAnswerMemo();
    QCOMPARE(m_window->CommandPage()->PageControl()->currentIndex(), 2);
    QCOMPARE(memo->toPlainText(), QStringLiteral("1000 line\n0000 \u00E9nd"));
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton);
    QVERIFY(memo->toPlainText().isEmpty());
}

void TstTerminalWindowExecution::editFieldsRebuildsControls()
{
    Select(QStringLiteral("Host"));
    QPointer<QWidget> old = m_window->CommandPage()->InputPanel()->Control(0);
    // What the fields editor leaves on disk when it closes.
    QFile file(m_window->FileName());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Sample().replace("[GHost]\nCommands=" + Field(), "[GHost]\nCommands=" + Field() + "," + Field()));
    file.close();
    m_window->CommandPage()->PageControl()->setCurrentIndex(1);
    m_window->CommandTree()->EditFields();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindDialog), 1);
    QVERIFY(old.isNull());
    QCOMPARE(m_window->CommandPage()->InputPanel()->FieldCount(), 2);
    QCOMPARE(m_window->CommandPage()->PageControl()->currentIndex(), 0);
    QCOMPARE(m_window->CommandPage()->CommandKey(), QStringLiteral("GHost"));
}

void TstTerminalWindowExecution::badFixedAnswerRecordNamed()
{
    QFile file(m_window->FileName());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Sample().replace("Record2=2,2,", "Record2=2,99,"));
    file.close();
    TFormChildTerminalWindow window(m_settings, m_prompts, m_window->FileName());
    const QString notice = window.CommandPage()->NoticeBar()->text();
    QVERIFY2(notice.startsWith(TerminalWindowTexts::PanelsLeftOut(QString())), qPrintable(notice));
    QVERIFY2(notice.contains(QStringLiteral("Record2")), qPrintable(notice));
    // The other records still decode.
    window.CommandPage()->ShowAnswer(0x0100, 0);
    QCOMPARE(window.CommandPage()->AnswerDisplay()->FiscalPanels().size(), 1);
    QCOMPARE(window.CommandPage()->AnswerDisplay()->FiscalPanels().at(0)->text(), QStringLiteral("Idle"));
}

QTEST_MAIN(TstTerminalWindowExecution)
#include "tst_terminal_window_execution.moc"
