#include "comm/event_clock.h"
#include "execution/comm_log_formatter.h"
#include "shell/form_child_log_window.h"
#include "terminal_model/settings.h"
#include "test_files.h"
#include "widgets/scripted_prompts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

using TRequest = std::function<void(TFormChildLogWindow &)>;

using TestFiles::ReadAll;

// The file after its header and session lines.
QByteArray Body(const QByteArray &file)
{
    const qsizetype stamp = file.indexOf("\r\n\r\n");
    if (stamp < 0)
        return "<no session line>";
    const qsizetype end = file.indexOf("\r\n", stamp + 4);
    return file.mid(end + 2);
}

QColor ColorOf(const TFormChildLogWindow &window, int row)
{
    const TLogEntryModel *model = window.Entries();
    return model->data(model->index(row, TLogEntryModel::ColumnEntry), Qt::ForegroundRole).value<QColor>();
}

QAction *MenuItem(const TFormChildLogWindow &window, const char *name)
{
    return window.PopupMenuLog()->findChild<QAction *>(QLatin1String(name));
}

} // namespace

Q_DECLARE_METATYPE(TRequest)

class TstFormChildLogWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void entries_data();
    void entries();
    void newFileGetsHeaderAndEveryWindowASessionLine();
    void clearEmptiesOnlyTheWindow();
    void settingsChangedRereadsLowLevelAndColours();
    void unwritableLogFileLeavesWindowWorking();
    void fullDiskStopsTheFileNotTheWindow();
    void narrowestWidth();
    void followsNewestUnlessScrolledBack();
    void timeStampsInWindowAndFile_data();
    void timeStampsInWindowAndFile();
    void frameForms();
    void findNextAndPrevious();
    void findKeys();
    void copyShowsTheSelectedEntries();
    void saveLogAs();
    void saveThatFails();

private:
    TSettings Settings(const QString &fileName) const;
    // Three frames and a failure, 10 ms apart from 09:30:00.000.
    void FillWithFrames(TFormChildLogWindow &window);

    std::unique_ptr<QTemporaryDir> m_dir;
    TScriptedPrompts m_prompts;
};

void TstFormChildLogWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_prompts.Clear();
    TEventClock::SetSourceForTest({});
}

TSettings TstFormChildLogWindow::Settings(const QString &fileName) const
{
    TSettings settings;
    settings.File = m_dir->filePath(fileName);
    settings.HostColor = 0x0000FF;    // red
    settings.FPColor = 0x008000;      // green
    settings.DGIColor = 0xFF0000;     // blue
    return settings;
}

void TstFormChildLogWindow::entries_data()
{
    QTest::addColumn<TRequest>("request");
    QTest::addColumn<bool>("lowLevel");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QByteArray>("fileLine");

    const QColor host(255, 0, 0), printer(0, 128, 0), fiscal(0, 0, 255);
    const auto row = [](const char *name, TRequest request, bool lowLevel, const QString &shown,
                        const QColor &color, const QByteArray &line) {
        QTest::newRow(name) << request << lowLevel << shown << color << line;
    };
    row("host open", [](TFormChildLogWindow &w) { w.HostOpened("Open COM1 19200,N,8,1"); }, false,
        "HOST --> Open COM1 19200,N,8,1", host, "Open COM1 19200,N,8,1\r\n");
    row("host close", [](TFormChildLogWindow &w) { w.HostClosed(); }, false, "HOST --> Close port", host,
        "Close port\r\n");
    row("host write", [](TFormChildLogWindow &w) { w.HostWritten(QByteArray::fromHex("024103")); }, false,
        "HOST --> 02 41 03 ", host, "HOST --> 02 41 03 \r\n");
    row("host writes ACK", [](TFormChildLogWindow &w) { w.HostWritten("\x06"); }, false, "HOST --> 06 ", host,
        "HOST --> 06 \r\n");
    row("printer read", [](TFormChildLogWindow &w) { w.PrinterRead(QByteArray::fromHex("02ff1c0a03")); }, false,
        "FP   --> 02 FF 1C 0A 03 ", printer, "FP   --> 02 FF 1C 0A 03 \r\n");
    row("ACK, low level", [](TFormChildLogWindow &w) { w.AckReceived(); }, true, "FP   --> ACK", printer,
        "FP   --> ACK\r\n");
    row("ACK, not low level", [](TFormChildLogWindow &w) { w.AckReceived(); }, false, QString(), QColor(),
        "FP   --> ACK\r\n");
    row("NAK, low level", [](TFormChildLogWindow &w) { w.NakReceived(); }, true, "FP   --> NACK", printer,
        "FP   --> NACK\r\n");
    row("NAK, not low level", [](TFormChildLogWindow &w) { w.NakReceived(); }, false, QString(), QColor(),
        "FP   --> NACK\r\n");
    row("intermediate, low level", [](TFormChildLogWindow &w) { w.IntermediateAnswerReceived(); }, true,
        "FP   --> INTERMEDIATE ANSWER", printer, "FP   --> INTERMEDIATE ANSWER\r\n");
    row("intermediate, not low level", [](TFormChildLogWindow &w) { w.IntermediateAnswerReceived(); }, false,
        QString(), QColor(), "FP   --> INTERMEDIATE ANSWER\r\n");
    row("fiscal open", [](TFormChildLogWindow &w) { w.FiscalOpened("Open COM2 9600,N,8,1"); }, false,
        "FISCAL-> Open COM2 9600,N,8,1", fiscal, "Open COM2 9600,N,8,1\r\n");
    row("fiscal close", [](TFormChildLogWindow &w) { w.FiscalClosed(); }, false, "FISCAL-> Close port", fiscal,
        "Close port\r\n");
    row("fiscal write", [](TFormChildLogWindow &w) { w.FiscalWritten("\x05"); }, false, "FISCAL-> 05 ", fiscal,
        "FISCAL-> 05 \r\n");
    row("settings changed", [](TFormChildLogWindow &w) { w.SettingsChanged(); }, true, QString(), QColor(), "");
    // A failed exchange shows whatever the low-level flag.
    row("exchange failed",
        [](TFormChildLogWindow &w) { w.ExchangeFailed("Host port: no answer in time (time-out)"); }, false,
        "ERROR -> Host port: no answer in time (time-out)", TFormChildLogWindow::FailureColor,
        "ERROR -> Host port: no answer in time (time-out)\r\n");
    // So does the time an answered command took.
    row("exchange timed", [](TFormChildLogWindow &w) { w.ExchangeTimed(127400); }, false, "TIME --> 127 ms",
        printer, "TIME --> 127 ms\r\n");
}

void TstFormChildLogWindow::entries()
{
    QFETCH(TRequest, request);
    QFETCH(bool, lowLevel);
    QFETCH(QString, shown);
    QFETCH(QColor, color);
    QFETCH(QByteArray, fileLine);

    TSettings settings = Settings("t.tsy");
    settings.LowLevel = lowLevel;
    {
        TFormChildLogWindow window(settings, m_prompts);
        request(window);
        QCOMPARE(window.Text(), shown.isEmpty() ? QString() : shown + "\n");
        if (!shown.isEmpty())
            QCOMPARE(ColorOf(window, 0), color);
    }
    QCOMPARE(Body(ReadAll(m_dir->filePath("t.log"))), fileLine);
}

void TstFormChildLogWindow::newFileGetsHeaderAndEveryWindowASessionLine()
{
    TSettings settings = Settings("shop.v2.tsy");
    const QString log = m_dir->filePath("shop.v2.log");
    {
        TFormChildLogWindow window(settings, m_prompts);
        QCOMPARE(window.LogFilePath(), log);
        window.HostWritten("\x06");
    }
    {
        TFormChildLogWindow window(settings, m_prompts);
        window.PrinterRead("\x15");
    }
    const QList<QByteArray> lines = ReadAll(log).split('\n');
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines[0], QByteArray("Quvero S.A.\r"));
    QCOMPARE(lines[1], QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + "\r");
    QCOMPARE(lines[2], QByteArray("\r"));
    QVERIFY(lines[3].size() > 8);
    QCOMPARE(lines[4], QByteArray("HOST --> 06 \r"));
    QCOMPARE(lines[5], QByteArray("\r"));
    QVERIFY(lines[6].size() > 8);
    QCOMPARE(lines[7], QByteArray("FP   --> 15 \r"));
    QCOMPARE(lines[8], QByteArray());
}

void TstFormChildLogWindow::clearEmptiesOnlyTheWindow()
{
    TSettings settings = Settings("c.tsy");
    TFormChildLogWindow window(settings, m_prompts);
    window.HostWritten("A");
    QCOMPARE(window.Text(), QStringLiteral("HOST --> 41 \n"));
    window.PrinterRead("B");
    QList<QAction *> items = window.PopupMenuLog()->actions();
    QCOMPARE(items.first()->text(), QStringLiteral("&Clear"));
    items.first()->trigger();
    QCOMPARE(window.Text(), QString());
    window.HostWritten("C");
    QCOMPARE(window.Text(), QStringLiteral("HOST --> 43 \n"));
    QVERIFY(ReadAll(window.LogFilePath()).endsWith("HOST --> 41 \r\nFP   --> 42 \r\nHOST --> 43 \r\n"));
}

void TstFormChildLogWindow::settingsChangedRereadsLowLevelAndColours()
{
    TSettings settings = Settings("s.tsy");
    TFormChildLogWindow window(settings, m_prompts);
    window.AckReceived();
    settings.LowLevel = true;
    settings.FPColor = 0x00FFFF;   // yellow
    // Only when told.
    window.NakReceived();
    window.SettingsChanged();
    window.AckReceived();
    QCOMPARE(window.Text(), QStringLiteral("FP   --> ACK\n"));
    QCOMPARE(ColorOf(window, 0), QColor(255, 255, 0));
}

void TstFormChildLogWindow::unwritableLogFileLeavesWindowWorking()
{
    TSettings settings;
    settings.File = m_dir->filePath("gone/t.tsy");
    TFormChildLogWindow window(settings, m_prompts);
    QVERIFY(window.LogFileError().contains(QStringLiteral("t.log")));
    window.HostWritten("\x02");
    QCOMPARE(window.Text(), QStringLiteral("HOST --> 02 \n"));
    QVERIFY(!QFileInfo::exists(m_dir->filePath("gone")));
}

void TstFormChildLogWindow::fullDiskStopsTheFileNotTheWindow()
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full");
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), m_dir->filePath("full.log")));
    TSettings settings = Settings("full.tsy");
    TFormChildLogWindow window(settings, m_prompts);
    QVERIFY(window.LogFileError().contains(QStringLiteral("full.log")));
    QSignalSpy failed(&window, &TFormChildLogWindow::LogFileFailed);
    window.HostWritten("\x02");
    QCOMPARE(window.Text(), QStringLiteral("HOST --> 02 \n"));
    // Already reported when the window was made.
    QCOMPARE(failed.size(), 0);
}

void TstFormChildLogWindow::narrowestWidth()
{
    TSettings settings = Settings("n.tsy");
    TFormChildLogWindow window(settings, m_prompts);
    QCOMPARE(window.windowTitle(), QStringLiteral("Log window"));
    QCOMPARE(window.size(), QSize(TFormChildLogWindow::DesignedWidth, TFormChildLogWindow::DesignedHeight));
    window.show();
    window.resize(200, 172);
    QCOMPARE(window.width(), TFormChildLogWindow::MinimumWidth);
}

void TstFormChildLogWindow::followsNewestUnlessScrolledBack()
{
    QMdiArea area;
    area.resize(800, 600);
    TSettings settings = Settings("f.tsy");
    auto *window = new TFormChildLogWindow(settings, m_prompts);
    area.addSubWindow(window);
    area.show();
    window->showNormal();
    QTableView *view = window->RichEditLog();
    QScrollBar *bar = view->verticalScrollBar();
    int sent = 0;
    const auto add = [&](int count) {
        for (int i = 0; i < count; ++i)
            window->HostWritten(QByteArray::number(++sent));
        window->FlushEntries();
    };
    // The last entry is whole in sight.
    const auto showsNewest = [&] {
        const int last = window->Entries()->rowCount() - 1;
        const QRect rect = view->visualRect(window->Entries()->index(last, TLogEntryModel::ColumnEntry));
        return bar->value() == bar->maximum() && rect.top() >= 0 && rect.bottom() < view->viewport()->height()
               && window->Entries()->EntryText(last) == TCommLogFormatter::HostWritten(QByteArray::number(sent));
    };

    add(40);
    QVERIFY(showsNewest());
    // A smaller window keeps it in sight, and the entries after it.
    window->resize(TFormChildLogWindow::DesignedWidth, 120);
    QVERIFY(showsNewest());
    add(1);
    QVERIFY(showsNewest());

    // Scrolled back, the view stays where the user put it.
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    const int back = bar->value();
    QVERIFY(back < bar->maximum());
    add(5);
    QCOMPARE(bar->value(), back);
    // Back at the end, it follows again.
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    add(5);
    QVERIFY(showsNewest());

    // What came while the window was minimised is in sight when it is restored.
    window->showMinimized();
    add(30);
    window->showNormal();
    QTRY_VERIFY(showsNewest());
}

void TstFormChildLogWindow::FillWithFrames(TFormChildLogWindow &window)
{
    const qint64 start = 0;
    window.HostWritten(QByteArray("\x02\x20\x2a\x1c" "Abc\x03", 8), start + 10'000);
    window.PrinterRead(QByteArray("\x02" "caf\xe9\x1b\x03", 7), start + 20'000);
    window.FiscalWritten(QByteArray("\x12\x41\x15", 3), start + 30'000);
    window.ExchangeFailed(QStringLiteral("Host port: no answer in time (time-out)"), start + 40'000);
    window.FlushEntries();
}

void TstFormChildLogWindow::timeStampsInWindowAndFile_data()
{
    QTest::addColumn<bool>("fileTimeStamps");
    QTest::newRow("file as before") << false;
    QTest::newRow("file with time stamps") << true;
}

void TstFormChildLogWindow::timeStampsInWindowAndFile()
{
    QFETCH(bool, fileTimeStamps);
    qint64 now = 0;
    TEventClock::SetSourceForTest([&now] { return now; }, QDateTime(QDate(2026, 12, 8), QTime(9, 30, 0)));
    TSettings settings = Settings("stamps.tsy");
    settings.LowLevel = true;
    settings.LogFileTimeStamps = fileTimeStamps;
    {
        TFormChildLogWindow window(settings, m_prompts);
        now = 10'000;
        window.HostWritten("\x02");
        now = 25'999;
        window.AckReceived();
        // The time the event was raised, not the time its request is handled.
        now = 99'000'000;
        window.PrinterRead("\x03", 40'000);
        window.FlushEntries();
        const TLogEntryModel *model = window.Entries();
        QCOMPARE(model->rowCount(), 3);
        const QStringList times = {model->TimeText(0), model->TimeText(1), model->TimeText(2)};
        QCOMPARE(times, QStringList({"09:30:00.010", "09:30:00.025", "09:30:00.040"}));
        QCOMPARE(model->data(model->index(1, TLogEntryModel::ColumnTime), Qt::DisplayRole).toString(),
                 QStringLiteral("09:30:00.025"));
        QVERIFY(!window.RichEditLog()->isColumnHidden(TLogEntryModel::ColumnTime));
        // The time column is a preference of its own.
        settings.LogTimeShown = false;
        window.SettingsChanged();
        QVERIFY(window.RichEditLog()->isColumnHidden(TLogEntryModel::ColumnTime));
    }
    const QByteArray expected = fileTimeStamps
        ? QByteArray("09:30:00.010 HOST --> 02 \r\n09:30:00.025 FP   --> ACK\r\n09:30:00.040 FP   --> 03 \r\n")
        : QByteArray("HOST --> 02 \r\nFP   --> ACK\r\nFP   --> 03 \r\n");
    QCOMPARE(Body(ReadAll(m_dir->filePath("stamps.log"))), expected);
}

void TstFormChildLogWindow::frameForms()
{
    TSettings settings = Settings("forms.tsy");
    settings.LogFrameForm = TLogEntryModel::FormText;
    {
        TFormChildLogWindow window(settings, m_prompts);
        QVERIFY(MenuItem(window, "MenuItemFramesText")->isChecked());
        FillWithFrames(window);
        QCOMPARE(window.Text(), QString::fromUtf8("HOST --> <STX> *<FS>Abc<ETX>\n"
                                                  "FP   --> <STX>café<ESC><ETX>\n"
                                                  "FISCAL-> <DC2>A<NAK>\n"
                                                  "ERROR -> Host port: no answer in time (time-out)\n"));
        MenuItem(window, "MenuItemFramesBoth")->trigger();
        QVERIFY(!MenuItem(window, "MenuItemFramesText")->isChecked());
        QCOMPARE(window.Entries()->EntryText(2), QStringLiteral("FISCAL-> 12 41 15   <DC2>A<NAK>"));
        // The entry column is as wide as the widest entry in the form shown.
        const int both = window.RichEditLog()->columnWidth(TLogEntryModel::ColumnEntry);
        MenuItem(window, "MenuItemFramesHex")->trigger();
        QCOMPARE(window.Entries()->EntryText(0), QStringLiteral("HOST --> 02 20 2A 1C 41 62 63 03 "));
        QCOMPARE(window.Entries()->EntryText(3), QStringLiteral("ERROR -> Host port: no answer in time (time-out)"));
        QVERIFY(window.RichEditLog()->columnWidth(TLogEntryModel::ColumnEntry) <= both);
        // The file keeps its hex lines whatever the window shows.
        QVERIFY(ReadAll(window.LogFilePath()).contains("FP   --> 02 63 61 66 E9 1B 03 \r\n"));
    }
    // The choice is remembered.
    QCOMPARE(settings.LogFrameForm, quint8(TLogEntryModel::FormHex));
}

void TstFormChildLogWindow::findNextAndPrevious()
{
    TSettings settings = Settings("find.tsy");
    TFormChildLogWindow window(settings, m_prompts);
    FillWithFrames(window);
    const auto current = [&] { return window.RichEditLog()->currentIndex().row(); };
    const auto find = [&](const QString &text, bool forward) {
        window.FindEdit()->setText(text);
        return window.FindNext(forward) ? current() : -1;
    };
    // The text form, whatever the case, while hex is shown.
    QCOMPARE(find("<etx>", true), 0);
    QCOMPARE(find("<ETX>", true), 1);
    QCOMPARE(window.FindStatus(), QString());
    // Round the end, and said so.
    QCOMPARE(find("<etx>", true), 0);
    QCOMPARE(window.FindStatus(), QStringLiteral("Wrapped round the end"));
    QCOMPARE(find("<etx>", false), 1);
    // The hex form, whatever the case, while text is shown.
    window.SetFrameForm(TLogEntryModel::FormText);
    QCOMPARE(find("e9 1b", false), 1);
    QCOMPARE(find("41 15", false), 2);
    QCOMPARE(find(QString::fromUtf8("CAFÉ"), true), 1);
    // Prefixes and messages are found as well; a match never spans two forms.
    QCOMPARE(find("time-out", true), 3);
    QCOMPARE(find("fiscal-> 12", true), 2);
    QCOMPARE(find("03 <STX>", true), -1);
    QCOMPARE(window.FindStatus(), QStringLiteral("Not found"));
    QCOMPARE(current(), 2);
    QCOMPARE(window.RichEditLog()->selectionModel()->selectedRows().size(), 1);
}

void TstFormChildLogWindow::findKeys()
{
    QMdiArea area;
    TSettings settings = Settings("keys.tsy");
    auto *window = new TFormChildLogWindow(settings, m_prompts);
    area.addSubWindow(window);
    area.show();
    window->showNormal();
    QVERIFY(QTest::qWaitForWindowActive(&area));
    FillWithFrames(*window);
    QTableView *view = window->RichEditLog();
    view->setFocus();
    QVERIFY(!window->FindBar()->isVisible());
    QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(window->FindBar()->isVisible());
    QTRY_VERIFY(window->FindEdit()->hasFocus());
    QTest::keyClicks(window->FindEdit(), "<stx>");
    QTest::keyClick(window->FindEdit(), Qt::Key_Return);
    QCOMPARE(view->currentIndex().row(), 0);
    QTest::keyClick(window->FindEdit(), Qt::Key_Enter);
    QCOMPARE(view->currentIndex().row(), 1);
    QTest::keyClick(window->FindEdit(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(view->currentIndex().row(), 0);
    QTest::keyClick(window->FindEdit(), Qt::Key_Escape);
    QVERIFY(!window->FindBar()->isVisible());
    QTRY_VERIFY(view->hasFocus());
    // F3 and Shift+F3 go on from the view.
    QTest::keyClick(view, Qt::Key_F3);
    QCOMPARE(view->currentIndex().row(), 1);
    QTest::keyClick(view, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(view->currentIndex().row(), 0);
    QTest::keyClick(view, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(view->currentIndex().row(), 1);
}

void TstFormChildLogWindow::copyShowsTheSelectedEntries()
{
    TEventClock::SetSourceForTest([] { return 0; }, QDateTime(QDate(2026, 12, 8), QTime(9, 30, 0)));
    TSettings settings = Settings("copy.tsy");
    TFormChildLogWindow window(settings, m_prompts);
    FillWithFrames(window);
    QTableView *view = window.RichEditLog();
    const auto select = [&](int row) {
        view->selectionModel()->select(window.Entries()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    };
    select(2);
    select(0);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("09:30:00.010  HOST --> 02 20 2A 1C 41 62 63 03 \n09:30:00.030  FISCAL-> 12 41 15 \n"));
    // As shown: without the time column and in the text form.
    settings.LogTimeShown = false;
    window.SettingsChanged();
    window.SetFrameForm(TLogEntryModel::FormText);
    MenuItem(window, "MenuItemCopy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("HOST --> <STX> *<FS>Abc<ETX>\nFISCAL-> <DC2>A<NAK>\n"));
}

void TstFormChildLogWindow::saveLogAs()
{
    TEventClock::SetSourceForTest([] { return 0; }, QDateTime(QDate(2026, 12, 8), QTime(9, 30, 0)));
    TSettings settings = Settings("save.tsy");
    TFormChildLogWindow window(settings, m_prompts);
    FillWithFrames(window);
    window.SetFrameForm(TLogEntryModel::FormBoth);
    // Cancelled: nothing written.
    MenuItem(window, "MenuItemSaveLogAs")->trigger();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindSave), 1);
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindSave), QStringList("Save log as"));

    const QString path = m_dir->filePath("saved.txt");
    m_prompts.FileNames.enqueue(path);
    window.SaveLogAs();
    const QByteArray saved = ReadAll(path);
    QCOMPARE(saved.count("\r\n"), 4);
    QVERIFY(saved.startsWith("09:30:00.010  HOST --> 02 20 2A 1C 41 62 63 03   <STX> *<FS>Abc<ETX>\r\n"));
    QVERIFY(saved.contains(QString::fromUtf8("09:30:00.020  FP   --> 02 63 61 66 E9 1B 03   <STX>café<ESC><ETX>\r\n").toUtf8()));
    QVERIFY(saved.endsWith("09:30:00.040  ERROR -> Host port: no answer in time (time-out)\r\n"));

    // An existing file is replaced only when the user says so.
    window.ClearLog();
    window.HostWritten("\x06");
    m_prompts.FileNames.enqueue(path);
    m_prompts.Confirms.enqueue(false);
    window.SaveLogAs();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindConfirm), 1);
    QCOMPARE(ReadAll(path), saved);
    m_prompts.FileNames.enqueue(path);
    m_prompts.Confirms.enqueue(true);
    window.SaveLogAs();
    QVERIFY(ReadAll(path).endsWith("HOST --> 06   <ACK>\r\n"));
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 0);
}

void TstFormChildLogWindow::saveThatFails()
{
    TSettings settings = Settings("fails.tsy");
    TFormChildLogWindow window(settings, m_prompts);
    FillWithFrames(window);
    const QString path = m_dir->filePath("missing/saved.txt");
    m_prompts.FileNames.enqueue(path);
    window.SaveLogAs();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 1);
    QVERIFY2(m_prompts.Texts(TScriptedPrompts::KindError).constFirst().startsWith("Unable to write to " + path),
             qPrintable(m_prompts.Texts(TScriptedPrompts::KindError).constFirst()));
    QVERIFY(!QFileInfo::exists(path));
    // The entries are all still there, to be saved elsewhere.
    QCOMPARE(window.Entries()->rowCount(), 4);
}

QTEST_MAIN(TstFormChildLogWindow)
#include "tst_form_child_log_window.moc"
