#pragma once

#include "execution/capture_writer.h"
#include "execution/command_runner.h"
#include "execution/ports.h"
#include "terminal_model/settings.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QObject>
#include <QString>

// Commands sent from the shell: opens only the ports the commands need,
// runs them through the same runner as the window's Send and Repeat, keeps
// every frame in order, appends the log lines to a file and records both
// ports into a capture file. One command (Run), or a series that a plan run
// drives through Runner() on ports opened with OpenPort().
class TCliSender : public QObject {
    Q_OBJECT

public:
    struct TOptions {
        QString hostDevice;     // empty: the settings' HPort, else COM index HComm
        QString fiscalDevice;   // empty: the settings' DPort, else COM index DComm
        int baudRate = -1;      // TBaudRate; -1: the settings' host baud
        int protocol = 0;       // TProtocolType
        int fiscalTimeOut = -1; // ms; -1: the settings' DTimeOut
        int repeat = 0;         // 0 sends once; 1..999 repeats
        QString logFile;        // empty: no log
        QString captureFile;    // empty: no capture; an existing capture is appended to
    };

    struct TFrame {
        bool out = false;
        TCommandPort port = cpHostPort;
        QByteArray bytes;
    };

    struct TResult {
        TRunOutcome outcome;
        QList<TFrame> frames;
        QString error;   // why the port could not be opened
        QString captureError;   // why the capture stopped before the end
        QString deviceGone;   // the port's device went away during the run: why
    };

    TCliSender(const TSettings &settings, const TOptions &options, QObject *parent = nullptr);

    // Opens the log file and the capture file of the options, those there
    // are, and starts the session in each; false with *error set when one
    // cannot be written.
    bool OpenLog(QString *error);
    // Why the capture stopped before the end; empty while it records.
    QString CaptureError() const { return m_captureError; }
    // Sends and waits for the outcome, processing events meanwhile; the
    // port is opened before and closed after.
    TResult Run(const TRunCommand &command);

    // Opens a port for the commands that follow; false with *error set to
    // why it cannot be opened.
    bool OpenPort(TCommandPort port, QString *error);
    void ClosePorts();
    // The runner on both ports; its commands are logged and their frames kept.
    TCommandRunner &Runner() { return m_runner; }
    const QList<TFrame> &Frames() const { return m_frames; }

    // "Baud rate" index of a rate in bits per second; -1 for other rates.
    static int BaudRateIndex(int bitsPerSecond);

private:
    void Log(const QString &line);
    void Frame(bool out, TCommandPort port, const QByteArray &bytes);
    void ConnectPorts();

    TSettings m_settings;
    TOptions m_options;
    TPorts m_ports;
    TCommandRunner m_runner;
    QFile m_log;
    TCaptureWriter m_capture{m_ports};
    QString m_captureError;
    QList<TFrame> m_frames;
    QString m_deviceGone;
};
