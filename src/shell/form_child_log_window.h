#pragma once

#include "comm/event_clock.h"
#include "shell/log_entry_model.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QMdiSubWindow>
#include <QString>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;
class QTimer;
class TPrompts;
struct TSettings;

// The communication log of the open terminal file: every frame and port
// event of both ports, coloured by its side, with the time it happened, in
// the window and appended to the log file beside the terminal file. Each
// request carries its own bytes and time, so a frame that follows quickly
// can never replace one not yet logged. Frames show as hex, as text or both;
// the entries can be searched, copied and saved.
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

    // The window keeps the frame form it is switched to in the settings.
    TFormChildLogWindow(TSettings &settings, TPrompts &prompts, QWidget *parent = nullptr);
    ~TFormChildLogWindow() override;

    // Log requests, one entry each, at the time (TEventClock) their event
    // was raised.
    void HostOpened(const QString &openText, qint64 us = TEventClock::NowUs());
    void HostClosed(qint64 us = TEventClock::NowUs());
    void HostWritten(const QByteArray &bytes, qint64 us = TEventClock::NowUs());
    // Bytes read on either port come from the printer.
    void PrinterRead(const QByteArray &bytes, qint64 us = TEventClock::NowUs());
    // ACK, NAK and intermediate answers reach the window only in low-level
    // mode; the file always keeps them.
    void AckReceived(qint64 us = TEventClock::NowUs());
    void NakReceived(qint64 us = TEventClock::NowUs());
    void IntermediateAnswerReceived(qint64 us = TEventClock::NowUs());
    // The preferences changed: colours, the low-level flag, the time column
    // and the file's time stamps are read again.
    void SettingsChanged();
    void FiscalOpened(const QString &openText, qint64 us = TEventClock::NowUs());
    void FiscalClosed(qint64 us = TEventClock::NowUs());
    void FiscalWritten(const QByteArray &bytes, qint64 us = TEventClock::NowUs());
    // An exchange that ended without an answer (TCommLogFormatter::
    // FailureText), after its frame lines, whatever the low-level flag.
    void ExchangeFailed(const QString &text, qint64 us = TEventClock::NowUs());
    // How long an answered command took (TCommLogFormatter::Elapsed), after
    // its answer's frame lines, whatever the low-level flag.
    void ExchangeTimed(qint64 elapsedUs, qint64 us = TEventClock::NowUs());
    // A port's device went away or came back (TCommLogFormatter::DeviceGone,
    // DeviceBack), whatever the low-level flag.
    void DeviceChanged(bool fiscalPort, const QString &line, qint64 us = TEventClock::NowUs());

    // "&Clear": empties the window; the file keeps growing.
    void ClearLog();
    void SetFrameForm(TLogEntryModel::TFrameForm form);
    // Opens the find bar with its text selected.
    void ShowFindBar();
    // Selects the next (previous) entry whose hex or text form holds the
    // find bar's text, whatever the case, round the end; false if none.
    bool FindNext(bool forward = true);
    // The selected entries, as shown, one a line.
    void CopySelection();
    // Asks for a file and writes every entry to it, as shown; an error box
    // says why it could not be written, and the file is left as it was.
    void SaveLogAs();

    QTableView *RichEditLog() const { return m_view; }
    TLogEntryModel *Entries() const { return m_model; }
    QMenu *PopupMenuLog() const { return m_popup; }
    QWidget *FindBar() const { return m_findBar; }
    QLineEdit *FindEdit() const { return m_findEdit; }
    // "Not found", or empty.
    QString FindStatus() const;
    QString LogFilePath() const { return m_logPath; }
    // Empty when the log file is open; otherwise why it is not.
    QString LogFileError() const { return m_logError; }
    // The entries received so far, without their times, one a line.
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
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using TSide = TLogEntryModel::TSide;

    void FormCreate();
    void BuildView();
    void BuildFindBar();
    void BuildPopupMenu();
    void ReadSettings();
    void OpenLogFile();
    void AddFrame(TSide side, const QByteArray &bytes, qint64 us);
    void AddMessage(TSide side, const QString &text, qint64 us);
    void WriteLine(const QString &line, qint64 us);
    void ScheduleFlush();
    bool FlushLogFile();
    void UpdateColumns();
    QString ShownLine(int row) const;
    bool HandleKey(QKeyEvent *key);

    TSettings &m_settings;
    TPrompts &m_prompts;
    TLogEntryModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QMenu *m_popup = nullptr;
    QActionGroup *m_forms = nullptr;
    QWidget *m_findBar = nullptr;
    QLineEdit *m_findEdit = nullptr;
    QLabel *m_findStatus = nullptr;
    QFile m_logFile;
    QString m_logPath;
    QString m_logError;
    bool m_lowLevel = false;
    bool m_fileTimeStamps = false;
    QTimer *m_flushTimer = nullptr;
    // The view shows the newest entry and keeps doing so, through new
    // entries and resizes, until the user scrolls back.
    bool m_following = true;
};
