#include "execution/comm_log_formatter.h"
#include "shell/form_child_log_window.h"
#include "terminal_model/settings.h"
#include "test_files.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

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

private:
    TSettings Settings(const QString &fileName) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstFormChildLogWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
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
        TFormChildLogWindow window(settings);
        request(window);
        QCOMPARE(window.Text(), shown.isEmpty() ? QString() : shown + "\n");
        if (!shown.isEmpty()) {
            const QTextBlock block = window.RichEditLog()->document()->firstBlock();
            QCOMPARE(block.begin().fragment().charFormat().foreground().color(), color);
        }
    }
    QCOMPARE(Body(ReadAll(m_dir->filePath("t.log"))), fileLine);
}

void TstFormChildLogWindow::newFileGetsHeaderAndEveryWindowASessionLine()
{
    const TSettings settings = Settings("shop.v2.tsy");
    const QString log = m_dir->filePath("shop.v2.log");
    {
        TFormChildLogWindow window(settings);
        QCOMPARE(window.LogFilePath(), log);
        window.HostWritten("\x06");
    }
    {
        TFormChildLogWindow window(settings);
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
    TFormChildLogWindow window(Settings("c.tsy"));
    window.HostWritten("A");
    QCOMPARE(window.Text(), QStringLiteral("HOST --> 41 \n"));
    window.PrinterRead("B");
    QList<QAction *> items = window.PopupMenuLog()->actions();
    QCOMPARE(items.size(), 1);
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
    TFormChildLogWindow window(settings);
    window.AckReceived();
    settings.LowLevel = true;
    settings.FPColor = 0x00FFFF;   // yellow
    // Only when told.
    window.NakReceived();
    window.SettingsChanged();
    window.AckReceived();
    QCOMPARE(window.Text(), QStringLiteral("FP   --> ACK\n"));
    const QTextBlock block = window.RichEditLog()->document()->firstBlock();
    QCOMPARE(block.begin().fragment().charFormat().foreground().color(), QColor(255, 255, 0));
}

void TstFormChildLogWindow::unwritableLogFileLeavesWindowWorking()
{
    TSettings settings;
    settings.File = m_dir->filePath("gone/t.tsy");
    TFormChildLogWindow window(settings);
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
    TFormChildLogWindow window(Settings("full.tsy"));
    QVERIFY(window.LogFileError().contains(QStringLiteral("full.log")));
    QSignalSpy failed(&window, &TFormChildLogWindow::LogFileFailed);
    window.HostWritten("\x02");
    QCOMPARE(window.Text(), QStringLiteral("HOST --> 02 \n"));
    // Already reported when the window was made.
    QCOMPARE(failed.size(), 0);
}

void TstFormChildLogWindow::narrowestWidth()
{
    TFormChildLogWindow window(Settings("n.tsy"));
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
    auto *window = new TFormChildLogWindow(Settings("f.tsy"));
    area.addSubWindow(window);
    area.show();
    window->showNormal();
    QPlainTextEdit *view = window->RichEditLog();
    QScrollBar *bar = view->verticalScrollBar();
    int sent = 0;
    const auto add = [&](int count) {
        for (int i = 0; i < count; ++i)
            window->HostWritten(QByteArray::number(++sent));
        window->FlushEntries();
    };
    // The last entry is the bottom line of the view.
    const auto showsNewest = [&] {
        const QTextCursor bottom = view->cursorForPosition(QPoint(2, view->viewport()->height() - 2));
        return bar->value() == bar->maximum() && bottom.block().text() == TCommLogFormatter::HostWritten(QByteArray::number(sent));
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

QTEST_MAIN(TstFormChildLogWindow)
#include "tst_form_child_log_window.moc"
