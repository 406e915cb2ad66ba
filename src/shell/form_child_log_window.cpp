#include "shell/form_child_log_window.h"

#include "execution/comm_log_formatter.h"
#include "terminal_model/settings.h"
#include "widgets/system_colors.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPalette>
#include <QScrollBar>
#include <QTextCursor>
#include <QPlainTextEdit>
#include <QTimer>

#include <utility>

namespace {

QColor ToColor(quint32 color, const QPalette &palette)
{
    // "No colour" is written in the ordinary text colour.
    const QColor resolved = TSystemColors::Resolve(color, palette);
    return resolved.isValid() ? resolved : palette.color(QPalette::Text);
}

} // namespace

TFormChildLogWindow::TFormChildLogWindow(const TSettings &settings, QWidget *parent)
    : QMdiSubWindow(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("FormChildLogWindow"));
    setWindowTitle(tr("Log window"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(DesignedWidth, DesignedHeight);
    setMinimumWidth(MinimumWidth);

    m_view = new QPlainTextEdit(this);
    m_view->setObjectName(QStringLiteral("RichEditLog"));
    m_view->setReadOnly(true);
    m_view->setUndoRedoEnabled(false);
    // One entry, one line: a long frame scrolls sideways instead of wrapping
    // under its prefix, so the text of every entry starts in the same column.
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    setWidget(m_view);
    // A resize moves the end of the text away without the user scrolling.
    connect(m_view->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        if (!m_inserting && Following())
            FollowNewest();
    });

    // A flood of entries is shown in a few large steps rather than one by one.
    m_flushTimer = new QTimer(this);
    m_flushTimer->setSingleShot(true);
    m_flushTimer->setInterval(FlushInterval);
    connect(m_flushTimer, &QTimer::timeout, this, &TFormChildLogWindow::FlushEntries);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenuLog"));
    QAction *clear = m_popup->addAction(tr("&Clear"));
    clear->setObjectName(QStringLiteral("MenuItemClear"));
    connect(clear, &QAction::triggered, this, &TFormChildLogWindow::ClearLog);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popup->popup(m_view->viewport()->mapToGlobal(pos)); });

    FormCreate();
}

TFormChildLogWindow::~TFormChildLogWindow()
{
    m_logFile.close();
}

void TFormChildLogWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    showMinimized();
}

void TFormChildLogWindow::FormCreate()
{
    m_view->clear();
    ReadSettings();
    QFont font(QStringLiteral("Courier New"), 8);
    // Where that face is missing, another fixed-pitch one keeps the columns.
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    m_view->document()->setDefaultFont(font);
    OpenLogFile();
}

void TFormChildLogWindow::ReadSettings()
{
    const QPalette palette = m_view->palette();
    m_hostColor = ToColor(m_settings.HostColor, palette);
    m_printerColor = ToColor(m_settings.FPColor, palette);
    m_fiscalColor = ToColor(m_settings.DGIColor, palette);
    m_lowLevel = m_settings.LowLevel;
}

void TFormChildLogWindow::OpenLogFile()
{
    const QFileInfo terminal(m_settings.File);
    m_logPath = terminal.dir().filePath(terminal.completeBaseName() + QStringLiteral(".log"));
    m_logFile.setFileName(m_logPath);
    const bool exists = QFileInfo::exists(m_logPath);
    if (!m_logFile.open(QIODevice::WriteOnly | QIODevice::Append)) {
        m_logError = tr("Log file cannot be written: %1 (%2)")
                         .arg(QDir::toNativeSeparators(m_logPath), m_logFile.errorString());
        return;
    }
    if (!exists) {
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        for (const QString &line : TCommLogFormatter::HeaderLines(program))
            m_logFile.write(TCommLogFormatter::FileLine(line));
    }
    m_logFile.write(TCommLogFormatter::SessionStart(QDateTime::currentDateTime()));
    FlushLogFile();
}

bool TFormChildLogWindow::FlushLogFile()
{
    if (!m_logFile.isOpen())
        return false;
    if (m_logFile.flush() && m_logFile.error() == QFileDevice::NoError)
        return true;
    // A full disk or a vanished drive: the window goes on, the file stops,
    // and the user is told once.
    m_logError = tr("Log file cannot be written: %1 (%2)")
                     .arg(QDir::toNativeSeparators(m_logPath), m_logFile.errorString());
    m_logFile.close();
    return false;
}

void TFormChildLogWindow::WriteLine(const QString &line)
{
    if (!m_logFile.isOpen())
        return;
    m_logFile.write(TCommLogFormatter::FileLine(line));
    ScheduleFlush();
}

void TFormChildLogWindow::AddEntry(const QString &prefix, const QString &text, const QColor &color)
{
    m_pending.append({prefix, text, color});
    ScheduleFlush();
}

void TFormChildLogWindow::ScheduleFlush()
{
    if (!m_flushTimer->isActive())
        m_flushTimer->start();
}

void TFormChildLogWindow::FlushEntries()
{
    m_flushTimer->stop();
    // The file lines of a burst reach the disk with the entries shown, so an
    // abrupt end cannot lose lines the user has already seen.
    if (m_logFile.isOpen() && !FlushLogFile())
        emit LogFileFailed(m_logError);
    if (m_pending.isEmpty())
        return;
    // The view scrolls by itself as the entries go in (its own cursor moves
    // along with them); a user who has scrolled back keeps his place.
    QScrollBar *bar = m_view->verticalScrollBar();
    const bool follow = Following();
    const int kept = bar->value();
    m_inserting = true;
    QTextCursor cursor(m_view->document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    QTextCharFormat format;
    for (const TEntry &entry : std::as_const(m_pending)) {
        if (m_empty)
            m_empty = false;
        else
            cursor.insertBlock();
        format.setForeground(entry.Color);
        cursor.insertText(entry.Prefix + entry.Text, format);
    }
    cursor.endEditBlock();
    m_inserting = false;
    m_pending.clear();
    if (follow)
        FollowNewest();
    else
        bar->setValue(kept);
}

bool TFormChildLogWindow::Following() const
{
    // At the end, or still where the log last put the end: the view scrolls
    // without signalling it, so only the place tells that the user moved it.
    const QScrollBar *bar = m_view->verticalScrollBar();
    return bar->value() >= bar->maximum() || bar->value() == m_endValue;
}

void TFormChildLogWindow::FollowNewest()
{
    QScrollBar *bar = m_view->verticalScrollBar();
    bar->setValue(bar->maximum());
    m_endValue = bar->value();
}

QString TFormChildLogWindow::Text()
{
    FlushEntries();
    return m_empty ? QString() : m_view->toPlainText() + QLatin1Char('\n');
}

void TFormChildLogWindow::ClearLog()
{
    m_pending.clear();
    m_view->clear();
    m_empty = true;
}

void TFormChildLogWindow::HostOpened(const QString &openText)
{
    AddEntry(TCommLogFormatter::HostPrefix, openText, m_hostColor);
    WriteLine(openText);
}

void TFormChildLogWindow::HostClosed()
{
    AddEntry(TCommLogFormatter::HostPrefix, TCommLogFormatter::ClosePort, m_hostColor);
    WriteLine(TCommLogFormatter::ClosePort);
}

void TFormChildLogWindow::HostWritten(const QByteArray &bytes)
{
    const QString hex = TCommLogFormatter::Hex(bytes);
    AddEntry(TCommLogFormatter::HostPrefix, hex, m_hostColor);
    WriteLine(TCommLogFormatter::HostPrefix + hex);
}

void TFormChildLogWindow::PrinterRead(const QByteArray &bytes)
{
    const QString hex = TCommLogFormatter::Hex(bytes);
    AddEntry(TCommLogFormatter::PrinterPrefix, hex, m_printerColor);
    WriteLine(TCommLogFormatter::PrinterPrefix + hex);
}

void TFormChildLogWindow::AckReceived()
{
    if (m_lowLevel)
        AddEntry(TCommLogFormatter::PrinterPrefix, TCommLogFormatter::Ack, m_printerColor);
    WriteLine(TCommLogFormatter::AckReceived());
}

void TFormChildLogWindow::NakReceived()
{
    if (m_lowLevel)
        AddEntry(TCommLogFormatter::PrinterPrefix, TCommLogFormatter::Nak, m_printerColor);
    WriteLine(TCommLogFormatter::NakReceived());
}

void TFormChildLogWindow::IntermediateAnswerReceived()
{
    if (m_lowLevel)
        AddEntry(TCommLogFormatter::PrinterPrefix, TCommLogFormatter::IntermediateAnswer, m_printerColor);
    WriteLine(TCommLogFormatter::IntermediateReceived());
}

void TFormChildLogWindow::SettingsChanged()
{
    ReadSettings();
}

void TFormChildLogWindow::FiscalOpened(const QString &openText)
{
    AddEntry(TCommLogFormatter::FiscalPrefix, openText, m_fiscalColor);
    WriteLine(openText);
}

void TFormChildLogWindow::FiscalClosed()
{
    AddEntry(TCommLogFormatter::FiscalPrefix, TCommLogFormatter::ClosePort, m_fiscalColor);
    WriteLine(TCommLogFormatter::ClosePort);
}

void TFormChildLogWindow::FiscalWritten(const QByteArray &bytes)
{
    const QString hex = TCommLogFormatter::Hex(bytes);
    AddEntry(TCommLogFormatter::FiscalPrefix, hex, m_fiscalColor);
    WriteLine(TCommLogFormatter::FiscalPrefix + hex);
}

void TFormChildLogWindow::DeviceChanged(bool fiscalPort, const QString &line)
{
    AddEntry(fiscalPort ? TCommLogFormatter::FiscalPrefix : TCommLogFormatter::HostPrefix, line,
             fiscalPort ? m_fiscalColor : m_hostColor);
    WriteLine(line);
}

void TFormChildLogWindow::ExchangeFailed(const QString &text)
{
    AddEntry(TCommLogFormatter::FailurePrefix, text, FailureColor);
    WriteLine(TCommLogFormatter::FailurePrefix + text);
}

void TFormChildLogWindow::ExchangeTimed(qint64 elapsedUs)
{
    const QString line = TCommLogFormatter::Elapsed(elapsedUs);
    AddEntry(TCommLogFormatter::ElapsedPrefix, line.mid(TCommLogFormatter::ElapsedPrefix.size()), m_printerColor);
    WriteLine(line);
}
