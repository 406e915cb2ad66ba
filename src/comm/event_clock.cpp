#include "comm/event_clock.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>

#include <limits>

namespace {

struct TAnchor
{
    QElapsedTimer Timer;
    qint64 WallMs = 0;
    std::function<qint64()> Source;
    QMutex Mutex;
    // Turning an instant into local time looks the time zone up each time,
    // which costs more than the rest of a log line: the stamps of one second
    // share their "HH:mm:ss".
    qint64 CachedSecond = std::numeric_limits<qint64>::min();
    QString CachedText;

    TAnchor()
    {
        Timer.start();
        // UTC, not local time: the first stamp may be taken on a port's
        // worker thread, and looking the time zone up there would race with
        // the first local-time lookup of any other thread (the C library
        // sets its zone up once, behind a lock ThreadSanitizer cannot see).
        WallMs = QDateTime::currentMSecsSinceEpoch();
    }

    void SetWall(const QDateTime &wall)
    {
        WallMs = wall.toMSecsSinceEpoch();
        CachedSecond = std::numeric_limits<qint64>::min();
    }
};

TAnchor &Anchor()
{
    static TAnchor anchor;
    return anchor;
}

} // namespace

qint64 TEventClock::NowUs()
{
    TAnchor &anchor = Anchor();
    {
        QMutexLocker lock(&anchor.Mutex);
        if (anchor.Source)
            return anchor.Source();
    }
    return anchor.Timer.nsecsElapsed() / 1000;
}

QDateTime TEventClock::WallTime(qint64 us)
{
    TAnchor &anchor = Anchor();
    QMutexLocker lock(&anchor.Mutex);
    return QDateTime::fromMSecsSinceEpoch(anchor.WallMs + us / 1000);
}

QString TEventClock::TimeOfDay(qint64 us)
{
    TAnchor &anchor = Anchor();
    QMutexLocker lock(&anchor.Mutex);
    const qint64 ms = anchor.WallMs + us / 1000;
    const qint64 second = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    if (second != anchor.CachedSecond) {
        anchor.CachedText = QDateTime::fromMSecsSinceEpoch(second * 1000).toString(QStringLiteral("HH:mm:ss"));
        anchor.CachedSecond = second;
    }
    const int milli = int(ms - second * 1000);
    return anchor.CachedText + QLatin1Char('.') + QLatin1Char(char('0' + milli / 100))
           + QLatin1Char(char('0' + milli / 10 % 10)) + QLatin1Char(char('0' + milli % 10));
}

void TEventClock::SetSourceForTest(std::function<qint64()> source, const QDateTime &anchor)
{
    TAnchor &a = Anchor();
    QMutexLocker lock(&a.Mutex);
    a.Source = std::move(source);
    if (anchor.isValid())
        a.SetWall(anchor);
}
