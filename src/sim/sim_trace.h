#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>

#include <cstdio>

// The simulator's trace: one line per frame received or sent, in hex, with
// a millisecond time stamp, and one per event worth knowing (faults applied,
// clients coming and going). Safe to use from any thread.
class TSimTrace
{
public:
    // Writes to stderr until Open() names a file.
    TSimTrace();
    ~TSimTrace();
    TSimTrace(const TSimTrace &) = delete;
    TSimTrace &operator=(const TSimTrace &) = delete;

    bool Open(const QString &fileName, QString &error);

    // port: "host" or "fiscal"; received: true for client to printer.
    void Frame(const QString &port, bool received, const QByteArray &bytes);
    void Note(const QString &port, const QString &text);

    static QString Line(const QString &stamp, const QString &port, bool received,
                        const QByteArray &bytes);

private:
    void Write(const QString &line);

    QMutex m_mutex;
    FILE *m_file = nullptr;
    bool m_ownFile = false;
};
