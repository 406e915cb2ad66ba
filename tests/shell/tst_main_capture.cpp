#include "comm/host_framing.h"
#include "execution/capture_reader.h"
#include "main_window_fixture.h"
#include "shell/form_main.h"
#include "shell/main_capture.h"
#include "test_files.h"
#include "widgets/scripted_prompts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// Record capture in the main window, driven through its action as a user
// does: the file asked for, the action checked as Stop capture while
// recording, every exchange of the host port in the file.
class TstMainCapture : public QObject, private TMainWindowFixture<>
{
    Q_OBJECT

public:
    TstMainCapture() : TMainWindowFixture(QStringLiteral("TessalyCapture")) {}

private slots:
    void initTestCase() { SetUpStore(); }
    void init() { SetUpTest(); }
    void cleanup() { TearDownTest(); }

    void recordsUntilStopped();
    void cancelledOrRefusedFile_data();
    void cancelledOrRefusedFile();
    void replacesOnlyWhenConfirmed();

private:
    QAction *Action(TFormMain &window) const;
    // One command through the host port, answered at the far end.
    void Exchange(TFormMain &window, QByteArray *command, QByteArray *answer);
};

QAction *TstMainCapture::Action(TFormMain &window) const
{
    return window.findChild<QAction *>(QStringLiteral("MenuItemRecordCapture"));
}

void TstMainCapture::Exchange(TFormMain &window, QByteArray *command, QByteArray *answer)
{
    TFPHostControl *host = window.HostControl();
    QSignalSpy answered(host, &TFPHostControl::OnFinalAnswer);
    QVERIFY(host->AddDataField("0001"));
    QVERIFY(host->SendCommand());
    *command = m_hostLine->readExactly(11, 5000);
    QCOMPARE(command->size(), 11);
    *answer = THostFraming::BuildAnswerFrame(quint8(command->at(1)), {"\x10\x20", "Z"});
    QVERIFY(m_hostLine->write(QByteArray(1, THostFraming::ACK) + *answer));
    QVERIFY(answered.wait(5000));
    QCOMPARE(m_hostLine->readExactly(1, 5000), QByteArray(1, THostFraming::ACK));
}

void TstMainCapture::recordsUntilStopped()
{
    auto window = Start();
    QAction *action = Action(*window);
    QVERIFY(action);
    QVERIFY(window->menuBar()->findChild<QMenu *>(QStringLiteral("MenuOptions"))->actions().contains(action));
    QCOMPARE(action->text(), QStringLiteral("Record &capture..."));
    QVERIFY(!action->isChecked());

    m_prompts.FileNames.enqueue(QStringLiteral("session"));
    action->trigger();
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindSave), QStringList{"Record capture"});
    QVERIFY(window->Capture().IsRecording());
    const QString capture = QDir::current().absoluteFilePath(QStringLiteral("session.tcap"));
    QCOMPARE(window->Capture().FileName(), capture);
    QVERIFY(action->isChecked());
    QCOMPARE(action->text(), QStringLiteral("Stop &capture"));

    QByteArray command;
    QByteArray answer;
    Exchange(*window, &command, &answer);
    action->trigger();
    QVERIFY(!window->Capture().IsRecording());
    QVERIFY(!action->isChecked());
    QCOMPARE(action->text(), QStringLiteral("Record &capture..."));
    // Not recorded once stopped.
    QByteArray later;
    QByteArray laterAnswer;
    Exchange(*window, &later, &laterAnswer);

    TCaptureReader reader;
    QVERIFY2(reader.Read(capture), qPrintable(reader.ErrorString()));
    QStringList records;
    for (const TCaptureRecord &record : reader.Records())
        records << QStringLiteral("%1 %2 %3").arg(record.Port == cpHostPort ? "host" : "fiscal",
                                                  record.Out ? "out" : "in", QString::fromLatin1(record.Bytes.toHex()));
    QCOMPARE(records, QStringList({"host out " + QString::fromLatin1(command.toHex()), "host in 06",
                                   "host in " + QString::fromLatin1(answer.toHex()), "host out 06"}));
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 0);
}

void TstMainCapture::cancelledOrRefusedFile_data()
{
    QTest::addColumn<QString>("fileName");   // empty: the dialog cancelled
    QTest::addColumn<int>("errors");
    QTest::newRow("cancelled") << QString() << 0;
    QTest::newRow("no such folder") << QStringLiteral("/no/such/folder/x.tcap") << 1;
}

void TstMainCapture::cancelledOrRefusedFile()
{
    QFETCH(QString, fileName);
    QFETCH(int, errors);
    auto window = Start();
    if (!fileName.isEmpty())
        m_prompts.FileNames.enqueue(fileName);
    Action(*window)->trigger();
    QVERIFY(!window->Capture().IsRecording());
    QVERIFY(!Action(*window)->isChecked());
    QCOMPARE(Action(*window)->text(), QStringLiteral("Record &capture..."));
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), errors);
    if (errors)
        QVERIFY2(m_prompts.Texts(TScriptedPrompts::KindError)
                     .first()
                     .startsWith("cannot open the capture file /no/such/folder/x.tcap: "),
                 qPrintable(m_prompts.Texts(TScriptedPrompts::KindError).first()));
}

void TstMainCapture::replacesOnlyWhenConfirmed()
{
    const QString existing = QDir::current().absoluteFilePath(QStringLiteral("kept.tcap"));
    TestFiles::Write(existing, "keep me");
    auto window = Start();
    m_prompts.FileNames.enqueue(existing);
    m_prompts.Confirms.enqueue(false);
    Action(*window)->trigger();
    QVERIFY(!window->Capture().IsRecording());
    QVERIFY(!Action(*window)->isChecked());
    QCOMPARE(TestFiles::ReadAll(existing), QByteArray("keep me"));

    m_prompts.FileNames.enqueue(existing);
    m_prompts.Confirms.enqueue(true);
    Action(*window)->trigger();
    QVERIFY(window->Capture().IsRecording());
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindConfirm), 2);
    QVERIFY(TestFiles::ReadAll(existing).startsWith("tessaly-capture 1\n"));
}

QTEST_MAIN(TstMainCapture)
#include "tst_main_capture.moc"
