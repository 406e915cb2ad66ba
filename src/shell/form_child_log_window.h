#pragma once

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QList>
#include <QMdiSubWindow>
#include <QString>

class QMenu;
class QTimer;
class QPlainTextEdit;
struct TSettings;

// The communication log of the open terminal file: every frame and port
// event of both ports, coloured by its side, in the window and appended to
// the log file beside the terminal file. Each request carries its own bytes,
// so a frame that follows quickly can never replace one not yet logged.
class TFormChildLogWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    static constexpr int DesignedWidth = 394;
    static constexpr int DesignedHeight = 172;
    static constexpr int MinimumWidth = 350;
    // Milliseconds within which new entries are gathered before being shown.
    static constexpr int FlushInterval = 25;
    static inline const QColor FailureColor = QColor(255, 0, 0);

    TFormChildLogWindow(const TSettings &settings, QWidget *parent = nullptr);
    ~TFormChildLogWindow() override;

    // Log requests, one entry each.
    void HostOpened(const QString &openText);
    void HostClosed();
    void HostWritten(const QByteArray &bytes);
    // Bytes read on either port come from the printer.
    void PrinterRead(const QByteArray &bytes);
    // ACK, NAK and intermediate answers reach the window only in low-level
    // mode; the file always keeps them.
    void AckReceived();
    void NakReceived();
    void IntermediateAnswerReceived();
    // The preferences changed: colours and the low-level flag are read again.
    void SettingsChanged();
    void FiscalOpened(const QString &openText);
    void FiscalClosed();
    void FiscalWritten(const QByteArray &bytes);
    // An exchange that ended without an answer (TCommLogFormatter::
    // FailureText), after its frame lines, whatever the low-level flag.
    void ExchangeFailed(const QString &text);
    // How long an answered command took (TCommLogFormatter::Elapsed), after
    // its answer's frame lines, whatever the low-level flag.
    void ExchangeTimed(qint64 elapsedUs);
    // A port's device went away or came back (TCommLogFormatter::DeviceGone,
    // DeviceBack), whatever the low-level flag.
    void DeviceChanged(bool fiscalPort, const QString &line);

    // "&Clear": empties the window; the file keeps growing.
    void ClearLog();

    QPlainTextEdit *RichEditLog() const { return m_view; }
    QMenu *PopupMenuLog() const { return m_popup; }
    QString LogFilePath() const { return m_logPath; }
    // Empty when the log file is open; otherwise why it is not.
    QString LogFileError() const { return m_logError; }
    // The window's text, with every entry received so far.
    QString Text();
    // Entries are gathered for FlushInterval and shown together; this shows
    // the waiting ones at once.
    void FlushEntries();

signals:
    // Writing to the log file failed; it is no longer written.
    void LogFileFailed(const QString &text);

protected:
    // The close box only minimises: the window lives as long as its file is
    // open, and the Window menu brings it back.
    void closeEvent(QCloseEvent *event) override;

private:
    struct TEntry
    {
        QString Prefix;
        QString Text;
        QColor Color;
    };

    void FormCreate();
    void ReadSettings();
    void OpenLogFile();
    void AddEntry(const QString &prefix, const QString &text, const QColor &color);
    void WriteLine(const QString &line);
    void ScheduleFlush();
    bool FlushLogFile();
    bool Following() const;
    void FollowNewest();

    const TSettings &m_settings;
    QPlainTextEdit *m_view = nullptr;
    QMenu *m_popup = nullptr;
    QFile m_logFile;
    QString m_logPath;
    QString m_logError;
    QColor m_hostColor;
    QColor m_printerColor;
    QColor m_fiscalColor;
    bool m_lowLevel = false;
    QList<TEntry> m_pending;
    QTimer *m_flushTimer = nullptr;
    bool m_empty = true;
    // The view shows the newest entry and keeps doing so, through new
    // entries and resizes, until the user scrolls back: this is where the
    // log last scrolled it to the end.
    int m_endValue = 0;
    bool m_inserting = false;
};
