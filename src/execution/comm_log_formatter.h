#pragma once

#include "comm/serial_line.h"
#include "execution/run_command.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The lines of the communication log, as the log window shows them and as
// its file keeps them, without any window: the tool that drives commands
// from the shell writes the very same file lines.
class TCommLogFormatter {
public:
    static inline const QString HostPrefix = QStringLiteral("HOST --> ");
    static inline const QString PrinterPrefix = QStringLiteral("FP   --> ");
    static inline const QString FiscalPrefix = QStringLiteral("FISCAL-> ");
    static inline const QString ClosePort = QStringLiteral("Close port");
    static inline const QString Ack = QStringLiteral("ACK");
    static inline const QString Nak = QStringLiteral("NACK");
    static inline const QString IntermediateAnswer = QStringLiteral("INTERMEDIATE ANSWER");
    static inline const QString FailurePrefix = QStringLiteral("ERROR -> ");
    static inline const QString ElapsedPrefix = QStringLiteral("TIME --> ");
    static inline const QByteArray LineEnd = QByteArrayLiteral("\r\n");

    // How an exchange ended without an answer.
    enum class TFailure { TimeOut, Nak, WriteError, Cancelled, PortGone };

    // Every byte as two upper-case hex digits and a blank: "02 41 03 ".
    static QString Hex(const QByteArray &bytes);
    // A frame as the text it carries: the control bytes of both protocols by
    // name ("<STX>", "<ETX>", "<FS>", "<ESC>", "<ACK>", "<NAK>", "<DC2>"),
    // every other byte below 32, 127 and the bytes Windows-1252 leaves
    // undefined as "<XX>" in hex, the rest decoded as Windows-1252.
    static QString Text(const QByteArray &bytes);
    // Both appended to a text, so a search over many frames can reuse one.
    static void AppendHex(QString &out, QByteArrayView bytes);
    static void AppendText(QString &out, QByteArrayView bytes);
    // How many characters Text() makes of the bytes, without making them.
    static qsizetype TextLength(QByteArrayView bytes);

    // "Open COM2 38400,N,8,1": the port number counts from 1; the host baud
    // index 0..5 gives its rate, any other index none. A device path used
    // instead of a COM port is named as it is.
    static QString HostOpenText(int commPort, int baudRate, const QString &deviceName = QString());
    // The fiscal port always runs at 9600 baud.
    static QString FiscalOpenText(int commPort, const QString &deviceName = QString());

    // File lines, without the line end; the open and close lines carry no prefix.
    static QString HostWritten(const QByteArray &bytes) { return HostPrefix + Hex(bytes); }
    static QString FiscalWritten(const QByteArray &bytes) { return FiscalPrefix + Hex(bytes); }
    // Reads of both ports come from the printer.
    static QString PrinterRead(const QByteArray &bytes) { return PrinterPrefix + Hex(bytes); }
    static QString AckReceived() { return PrinterPrefix + Ack; }
    static QString NakReceived() { return PrinterPrefix + Nak; }
    static QString IntermediateReceived() { return PrinterPrefix + IntermediateAnswer; }
    // A port's device went away (its port is closed), and came back (its
    // port is open again), named by its path.
    static QString DeviceGone(const QString &path) { return QStringLiteral("Device gone: ") + path; }
    static QString DeviceBack(const QString &path) { return QStringLiteral("Device back: ") + path; }

    // A component's OnError, from its LastError (the host and fiscal codes
    // share their values) and what its line said: an abort is a purge, that
    // is Cancel or Reset serial ports.
    static TFailure FailureOf(int lastError, const TLineFailure &line);
    // "Host port: no answer in time (time-out)"; a write error and a port
    // that has gone away carry the line's own words.
    static QString FailureText(TCommandPort port, TFailure failure, const QString &detail = QString());
    static QString FailureText(TCommandPort port, int lastError, const TLineFailure &line)
    {
        return FailureText(port, FailureOf(lastError, line), line.Text);
    }
    // The failure follows the frame lines of its exchange.
    static QString FailureLine(TCommandPort port, TFailure failure, const QString &detail = QString())
    {
        return FailurePrefix + FailureText(port, failure, detail);
    }

    // "TIME --> 127 ms": how long the command took, from the first byte
    // written to its answer (or the auxiliary ACK); it follows the
    // answer's frame line (on the host port, the ACK written for it too).
    static QString Elapsed(qint64 elapsedUs);

    // The two lines a new log file starts with: the company and the name of
    // the program that created it.
    static QStringList HeaderLines(const QString &programName);
    // What every new session appends: an empty line and the time stamp.
    static QByteArray SessionStart(const QDateTime &now);
    // One line as the file holds it, ended by CR LF.
    static QByteArray FileLine(const QString &line);
    // The same line after the time of its event, "14:03:27.512 ", on the
    // event clock (TEventClock).
    static QByteArray StampedFileLine(qint64 us, const QString &line);
    static QString TimeStamp(qint64 us);
};
