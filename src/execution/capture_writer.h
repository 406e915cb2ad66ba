#pragma once

#include "execution/capture_record.h"

#include <QByteArray>
#include <QIODevice>
#include <QObject>
#include <QString>

#include <memory>

class TPorts;

// Records every exchange of both ports into a capture file: each frame the
// program writes, each frame it reads, and the printer's ACK, NAK and
// intermediate answers as the bytes they are on the wire (an intermediate
// answer as DC2, the form a host sees either kind as). Each record is
// written at once, so a capture cut short by a crash keeps what came before.
// A record that cannot be written (a full disk) stops the recording with
// Failed(): the torn line is cut off, the records before it stay, and the
// ports go on as they were.
class TCaptureWriter : public QObject
{
    Q_OBJECT

public:
    // The first line of a capture: the format's name and its version.
    static inline const QByteArray FormatName = QByteArrayLiteral("tessaly-capture");
    static constexpr int Version = 1;
    enum class TMode { Replace, Append };

    explicit TCaptureWriter(TPorts &ports, QObject *parent = nullptr);
    ~TCaptureWriter() override;

    // Starts a recording session into the file. Append keeps the records
    // of an existing capture and refuses a file that is not one; a new or
    // empty file starts with the header. False with *error when the file
    // cannot be opened or written.
    bool Start(const QString &fileName, TMode mode, QString *error);
    // The same on a device the caller has opened for writing (tests).
    bool Start(std::unique_ptr<QIODevice> device, const QString &fileName, QString *error);
    void Stop();
    bool IsRecording() const { return m_device != nullptr; }
    QString FileName() const { return m_fileName; }

    // The first line of every capture file.
    static QByteArray HeaderLine();
    // A record as one line, with its line end.
    static QByteArray Line(const TCaptureRecord &record);

signals:
    // The recording stopped because a record could not be written.
    void Failed(const QString &error);

private:
    void Connect(TPorts &ports);
    void Record(TCommandPort port, bool out, const QByteArray &bytes);
    bool Write(const QByteArray &bytes);

    std::unique_ptr<QIODevice> m_device;
    QString m_fileName;
    qint64 m_startUs = 0;
    // Bytes of the file that hold whole lines.
    qint64 m_goodSize = 0;
    QString m_writeError;
};
