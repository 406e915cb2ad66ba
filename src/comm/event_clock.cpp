#include "comm/event_clock.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>

namespace {

struct TAnchor
{
    QElapsedTimer Timer;
    QDateTime Wall;
    std::function<qint64()> Source;
    QMutex Mutex;

    TAnchor()
    {
        Timer.start();
        Wall = QDateTime::currentDateTime();
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
    return anchor.Wall.addMSecs(us / 1000);
}

QString TEventClock::TimeOfDay(qint64 us)
{
    return WallTime(us).toString(QStringLiteral("HH:mm:ss.zzz"));
}

void TEventClock::SetSourceForTest(std::function<qint64()> source, const QDateTime &anchor)
{
    TAnchor &a = Anchor();
    QMutexLocker lock(&a.Mutex);
    a.Source = std::move(source);
    if (anchor.isValid())
        a.Wall = anchor;
}
