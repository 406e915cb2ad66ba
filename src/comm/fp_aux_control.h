#pragma once

#include "comm/fp_aux_enums.h"
#include "comm/port_error.h"
#include "comm/port_worker.h"
#include "comm/serial_line.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// The auxiliary fiscal port: a simpler STX/ETX protocol at 9600 baud with an
// 8-bit zero-sum checksum, whose answers may come in several frames. The
// component lives on the user-interface thread, owns its line and, while the
// port is open, one TPortWorker, and reports through its signals there.
// No operation throws: each returns false (or nothing) and sets LastError().
class TFPAuxControl : public QObject
{
    Q_OBJECT

public:
    explicit TFPAuxControl(QObject *parent = nullptr);
    // While open: DTR and RTS off, the worker stopped, the port closed, no OnClose.
    ~TFPAuxControl() override;

    TFCommPort CommPort() const { return m_commPort; }
    // Takes effect only while the port is closed.
    void SetCommPort(TFCommPort port);
    TFFiscalState State() const { return m_state; }
    TPortError LastError() const { return m_lastError; }
    // What the line said when the last command ended with OnError: a
    // time-out, an abort (Purge) or a device that went away.
    TLineFailure LastLineFailure() const { return m_lastLineFailure; }
    // The text of the last answer frame; empty after an ACK.
    QByteArray Answer() const { return m_answer; }
    // Milliseconds of silence after which a command ends; 0 waits without limit.
    int TimeOut() const { return m_timeOut; }
    void SetTimeOut(int milliseconds) { m_timeOut = milliseconds; }

    // A device path that replaces the one CommPort names (a USB adapter or
    // a pseudo-terminal); empty uses CommPort. Taken only while closed.
    QString DeviceName() const { return m_deviceName; }
    void SetDeviceName(const QString &name);
    // The device OpenPort opens.
    QString PortName() const;
    static QString PortName(TFCommPort port);
    // How the line is made, on the worker's thread (tests hand in a scripted
    // line); null goes back to the serial port. Taken only while closed.
    void SetLineFactory(TPortWorker::TLineFactory factory);
    // How the worker thread is started (tests make the start fail).
    void SetWorkerStarter(TPortWorker::TStarter starter) { m_starter = std::move(starter); }

    bool OpenPort();
    bool ClosePort();
    void Purge();
    // One request: the single byte ENQ goes out unframed, anything else as
    // a frame of at most 256 data bytes.
    bool SendData(const QByteArray &data);

signals:
    void OnOpen();
    void OnClose();
    // The printer's ACK ends the command: elapsedUs is the time from the
    // first byte written to it, in microseconds.
    void OnAck(qint64 elapsedUs);
    void OnNack();
    void OnWrite(const QByteArray &value);
    void OnRead(const QByteArray &value);
    // text is Answer(): the frame's text without STX, ETX and checksum. A
    // final answer carries the time from the first byte written to it, in
    // microseconds; any other -1.
    void OnAnswer(const QByteArray &text, bool isFinal, qint64 elapsedUs);
    void OnError(TPortError error, const TLineFailure &failure);
    // Emitted on every change of State().
    void StateChanged(TFFiscalState state);

private:
    void HandleNotices(const QList<TPortNotification> &notices);
    void HandleNotice(const TPortNotification &notice);
    void SetState(TFFiscalState state);
    void StopWorker();

    std::unique_ptr<TPortWorker> m_worker;
    TPortWorker::TLineFactory m_lineFactory;
    TPortWorker::TStarter m_starter;
    QByteArray m_answer;
    QString m_deviceName;
    TFCommPort m_commPort = FCom1;
    TFFiscalState m_state = FEFP_S_Close;
    TPortError m_lastError = FEFP_Success;
    TLineFailure m_lastLineFailure;
    int m_timeOut = 0;
    // Numbers the commands, so that the late notices of a command that a
    // newer one has replaced cannot end the newer one.
    quint64 m_command = 0;
};
