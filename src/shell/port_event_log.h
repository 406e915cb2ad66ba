#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

class TFormChildLogWindow;
class TPorts;

// Hands every event of both ports to the log window of the open terminal
// file, each as a queued call carrying what its event carried and the time
// it was raised (TEventClock), in the order
// the events came; with no log window attached, events are dropped and the
// frame slots keep their texts.
class TPortEventLog : public QObject
{
    Q_OBJECT

public:
    explicit TPortEventLog(TPorts &ports, QObject *parent = nullptr);

    // The log window of the file just opened; null once it is closed.
    void Attach(TFormChildLogWindow *log);
    // The preferences changed: the log window reads its colours again.
    void SettingsChanged();

    // The frames of the most recent write and read event of either port.
    QByteArray LastWrittenFrame() const { return m_lastWrittenFrame; }
    QByteArray LastReadFrame() const { return m_lastReadFrame; }

private:
    template <typename Call>
    void Post(Call call);
    // A request without data, at the time its event is raised.
    void PostEvent(void (TFormChildLogWindow::*request)(qint64));
    // The time an answered command took, when it was measured.
    void PostElapsed(qint64 elapsedUs);
    void ConnectHost();
    void ConnectAux();

    TPorts &m_ports;
    QPointer<TFormChildLogWindow> m_log;
    QByteArray m_lastWrittenFrame;
    QByteArray m_lastReadFrame;
};
