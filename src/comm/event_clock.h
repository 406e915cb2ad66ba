#pragma once

#include <QDateTime>
#include <QtGlobal>

#include <functional>

// The one clock every port event, log entry, capture record and elapsed time
// is read from: monotonic, so time stamps never go backwards when the system
// clock is set, and anchored once to wall time, so a stamp can be shown as a
// time of day. Any thread.
class TEventClock
{
public:
    // Microseconds since the anchor.
    static qint64 NowUs();
    // The wall time a stamp of NowUs() stands for.
    static QDateTime WallTime(qint64 us);
    // "14:03:27.512", local time, to the millisecond.
    static QString TimeOfDay(qint64 us);
    // Tests replace the monotonic source (microseconds) and the anchor's
    // wall time; an empty source gives the real clock back.
    static void SetSourceForTest(std::function<qint64()> source, const QDateTime &anchor = QDateTime());
};
