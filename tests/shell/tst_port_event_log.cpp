#include "comm/event_clock.h"
#include "execution/ports.h"
#include "shell/form_child_log_window.h"
#include "shell/port_event_log.h"
#include "terminal_model/settings.h"
#include "widgets/scripted_prompts.h"

#include <QTemporaryDir>
#include <QTest>

class TstPortEventLog : public QObject
{
    Q_OBJECT

private slots:
    void entriesCarryTheTimeTheirEventWasRaised();
};

void TstPortEventLog::entriesCarryTheTimeTheirEventWasRaised()
{
    QTemporaryDir dir;
    TSettings settings;
    settings.File = dir.filePath(QStringLiteral("t.tsy"));
    settings.LowLevel = true;
    TScriptedPrompts prompts;
    TFormChildLogWindow window(settings, prompts);
    TPorts ports;
    TPortEventLog events(ports);
    events.Attach(&window);
    qint64 now = 0;
    TEventClock::SetSourceForTest([&now] { return now; }, QDateTime(QDate(2026, 12, 8), QTime(14, 3, 27)));

    now = 1'000;
    emit ports.Host().OnWrite(QByteArrayLiteral("\x02\x03"));
    now = 2'500;
    emit ports.Aux().OnAck(-1);
    now = 7'000;
    emit ports.Aux().OnRead(QByteArrayLiteral("\x06"));
    // Handled later, in the order raised, each with its own time.
    now = 60'000'000;
    QTRY_COMPARE(window.Text(), QStringLiteral("HOST --> 02 03 \nFP   --> ACK\nFP   --> 06 \n"));
    const TLogEntryModel *model = window.Entries();
    QCOMPARE(QStringList({model->TimeText(0), model->TimeText(1), model->TimeText(2)}),
             QStringList({"14:03:27.001", "14:03:27.002", "14:03:27.007"}));
    TEventClock::SetSourceForTest({});
}

QTEST_MAIN(TstPortEventLog)
#include "tst_port_event_log.moc"
