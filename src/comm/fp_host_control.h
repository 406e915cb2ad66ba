#pragma once

#include "comm/host_answer.h"
#include "comm/host_types.h"
#include "comm/port_error.h"
#include "comm/port_worker.h"
#include "comm/serial_line.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class THostExchange;

// The host port of a fiscal printer. A caller builds a command field by field
// (AddDataField), sends it (SendCommand) and learns the outcome from the
// events, raised on the thread that owns the component: OnWrite with the
// frame, OnAck, any number of OnIntermediateAnswer, OnRead with the answer,
// OnWrite with the ACK byte, then OnFinalAnswer with the answer, or OnError
// with its code when the command ends without an answer. Nothing throws: a failure is a false result (or an
// empty string) and LastError() says why.
class TFPHostControl : public QObject
{
    Q_OBJECT

public:
    explicit TFPHostControl(QObject *parent = nullptr);
    ~TFPHostControl() override;

    // Written only while the port is closed.
    TCommPort CommPort() const { return m_commPort; }
    void SetCommPort(TCommPort port);
    TBaudRate BaudRate() const { return m_baudRate; }
    void SetBaudRate(TBaudRate baudRate);
    // A device path (a USB adapter, a pseudo-terminal) used instead of
    // CommPort when not empty; written only while the port is closed.
    QString DeviceName() const { return m_deviceName; }
    void SetDeviceName(const QString &deviceName);
    // Written while no command is in progress; starts a new sequence.
    TProtocolType ProtocolType() const { return m_protocol; }
    void SetProtocolType(TProtocolType protocol);

    TFiscalState State() const { return m_state; }
    TPortError LastError() const { return m_lastError; }
    // What the line said when the last command ended with OnError: a
    // time-out, an abort (Purge) or a device that went away.
    TLineFailure LastLineFailure() const { return m_lastLineFailure; }
    int ExtraFieldsCount() const { return int(m_extraFields.size()); }
    qint16 FiscalStatus() const { return m_fiscalStatus; }
    qint16 PrinterStatus() const { return m_printerStatus; }
    qint16 ReturnCode() const { return m_returnCode; }

    // The values of the last OnWrite and OnRead.
    QByteArray LastWrittenFrame() const { return m_lastWrittenFrame; }
    QByteArray LastReadFrame() const { return m_lastReadFrame; }

    // The device OpenPort opens.
    QString PortName() const;

    bool OpenPort();
    bool ClosePort();
    void Purge();
    bool AddDataField(const QByteArray &field);
    bool SendCommand();
    // Extra field index, counted from 1.
    QByteArray GetExtraField(int index);

    static QByteArray GetFrameCheckSum(const QByteArray &frame);

    // How the line is made, on the worker's thread, from the next OpenPort
    // on (tests hand in a scripted line); null goes back to the serial port.
    void SetLineFactory(TPortWorker::TLineFactory factory);
    // How the worker thread is started (tests make the start fail).
    void SetWorkerStarter(TPortWorker::TStarter starter) { m_starter = std::move(starter); }
    // Silence after which a command ends (2500 ms), and the margin added to
    // every write's time (1500 ms); taken into account at once.
    void SetAnswerTimeOut(int ms);
    int AnswerTimeOut() const { return m_answerTimeOut; }
    void SetWriteTimeOutMargin(int ms);

signals:
    void OnOpen();
    void OnClose();
    void OnAck();
    void OnNack();
    void OnIntermediateAnswer();
    void OnWrite(const QByteArray &Value);
    void OnRead(const QByteArray &Value);
    // The properties (statuses, return code, extra fields) are set before;
    // the answer carries the time the command took.
    void OnFinalAnswer(const THostAnswer &answer);
    void OnError(TPortError error, const TLineFailure &failure);

private:
    void HandleNotifications(const QList<TPortNotification> &notifications);
    void HandleNotification(const TPortNotification &notification);
    void HandleFinalAnswer(const QList<QByteArray> &fields, qint64 elapsedUs);
    void SetFirstSequenceNumber();
    void StopWorker();
    void ClearCommand();
    void RaiseWrite(const QByteArray &value);

    TPortWorker::TLineFactory m_lineFactory;
    TPortWorker::TStarter m_starter;
    std::unique_ptr<TPortWorker> m_worker;
    THostExchange *m_exchange = nullptr;  // owned by m_worker

    QByteArray m_command;
    QByteArray m_lastWrittenFrame;
    QByteArray m_lastReadFrame;
    QList<QByteArray> m_extraFields;
    quint8 m_sequence = 0;
    qint32 m_dataLength = 0;
    // Notifications of any other command (one purged and followed by a new
    // one, or one of an earlier opening) are dropped.
    quint64 m_commandId = 0;

    TCommPort m_commPort = Com1;
    TBaudRate m_baudRate = br9600;
    TProtocolType m_protocol = protocol_Extended;
    QString m_deviceName;
    TFiscalState m_state = EFP_S_Close;
    TPortError m_lastError = EFP_Success;
    TLineFailure m_lastLineFailure;
    qint16 m_fiscalStatus = 0;
    qint16 m_printerStatus = 0;
    qint16 m_returnCode = 0;
    int m_answerTimeOut;
    int m_writeTimeOutMargin;
};
