#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a signal on the event loop while it lives,
// so that Ctrl+C cancels a command like the window's Cancel: the ports are
// purged and closed and the log gets its closing line. The previous
// handlers come back when it is destroyed. One at a time.
class TInterruptWatcher : public QObject {
    Q_OBJECT

public:
    explicit TInterruptWatcher(QObject *parent = nullptr);
    ~TInterruptWatcher() override;

signals:
    void Interrupted();

private:
    QSocketNotifier *m_notifier = nullptr;
};
