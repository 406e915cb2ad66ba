#include "shell/form_child_log_window.h"

#include "execution/comm_log_formatter.h"
#include "shell/terminal_files.h"
#include "terminal_model/settings.h"
#include "widgets/prompts.h"
#include "widgets/system_colors.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QSaveFile>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QColor ToColor(quint32 color, const QPalette &palette)
{
    // "No colour" is written in the ordinary text colour.
    const QColor resolved = TSystemColors::Resolve(color, palette);
    return resolved.isValid() ? resolved : palette.color(QPalette::Text);
}

// Between the time column and the entry in copied and saved lines.
const QString TimeGap = QStringLiteral("  ");
// Room left and right of a cell's text.
constexpr int CellMargin = 8;
// Lines written to a saved file at a time.
constexpr int SaveChunk = 4096;

bool IsFindKey(const QKeyEvent *key)
{
    return key->matches(QKeySequence::Find) || key->key() == Qt::Key_F3;
}

} // namespace

TFormChildLogWindow::TFormChildLogWindow(TSettings &settings, TPrompts &prompts, QWidget *parent)
    : QMdiSubWindow(parent), m_settings(settings), m_prompts(prompts)
{
    setObjectName(QStringLiteral("FormChildLogWindow"));
    setWindowTitle(tr("Log window"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(DesignedWidth, DesignedHeight);
    setMinimumWidth(MinimumWidth);

    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildView();
    BuildFindBar();
    layout->addWidget(m_view, 1);
    layout->addWidget(m_findBar);
    setWidget(content);

    // A flood of entries is shown in a few large steps rather than one by one.
    m_flushTimer = new QTimer(this);
    m_flushTimer->setSingleShot(true);
    m_flushTimer->setInterval(FlushInterval);
    connect(m_flushTimer, &QTimer::timeout, this, &TFormChildLogWindow::FlushEntries);

    BuildPopupMenu();
    FormCreate();
}

TFormChildLogWindow::~TFormChildLogWindow()
{
    m_logFile.close();
}

void TFormChildLogWindow::BuildView()
{
    m_model = new TLogEntryModel(this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("RichEditLog"));
    m_view->setModel(m_model);
    m_view->horizontalHeader()->hide();
    m_view->verticalHeader()->hide();
    // Every row one line high and every column as wide as its widest text,
    // worked out from the fixed-pitch font: nothing is measured per row, so
    // the view keeps its pace with hundreds of thousands of entries.
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setStretchLastSection(false);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->setShowGrid(false);
    m_view->setWordWrap(false);
    m_view->setTextElideMode(Qt::ElideNone);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setTabKeyNavigation(false);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);

    // The view follows the newest entry until the user scrolls back, and
    // again once he is back at the end; a resize keeps the end in sight.
    QScrollBar *bar = m_view->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) { m_following = value >= bar->maximum(); });
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (m_following)
            bar->setValue(maximum);
    });
}

void TFormChildLogWindow::BuildFindBar()
{
    m_findBar = new QWidget(this);
    m_findBar->setObjectName(QStringLiteral("FindBar"));
    auto *layout = new QHBoxLayout(m_findBar);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *label = new QLabel(tr("&Find:"), m_findBar);
    m_findEdit = new QLineEdit(m_findBar);
    m_findEdit->setObjectName(QStringLiteral("FindEdit"));
    m_findEdit->setToolTip(tr("Hex or text of a frame, in any case; Enter finds the next, Shift+Enter the previous"));
    m_findEdit->installEventFilter(this);
    label->setBuddy(m_findEdit);
    const auto button = [this](const QString &name, Qt::ArrowType arrow, const QString &hint) {
        auto *b = new QToolButton(m_findBar);
        b->setObjectName(name);
        b->setArrowType(arrow);
        b->setToolTip(hint);
        b->setAutoRaise(true);
        return b;
    };
    QToolButton *previous =
        button(QStringLiteral("FindPrevious"), Qt::UpArrow, tr("Find the previous entry (Shift+F3)"));
    QToolButton *next = button(QStringLiteral("FindNext"), Qt::DownArrow, tr("Find the next entry (F3)"));
    QToolButton *close = button(QStringLiteral("FindClose"), Qt::NoArrow, tr("Close the find bar (Esc)"));
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    m_findStatus = new QLabel(m_findBar);
    m_findStatus->setObjectName(QStringLiteral("FindStatus"));
    layout->addWidget(label);
    layout->addWidget(m_findEdit, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(m_findStatus);
    layout->addWidget(close);
    connect(previous, &QToolButton::clicked, this, [this] { FindNext(false); });
    connect(next, &QToolButton::clicked, this, [this] { FindNext(true); });
    connect(close, &QToolButton::clicked, this, [this] {
        m_findBar->hide();
        m_view->setFocus();
    });
    connect(m_findEdit, &QLineEdit::textEdited, m_findStatus, &QLabel::clear);
    m_findBar->hide();
}

void TFormChildLogWindow::BuildPopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenuLog"));
    QAction *clear = m_popup->addAction(tr("&Clear"));
    clear->setObjectName(QStringLiteral("MenuItemClear"));
    connect(clear, &QAction::triggered, this, &TFormChildLogWindow::ClearLog);
    QAction *copy = m_popup->addAction(tr("C&opy"));
    copy->setObjectName(QStringLiteral("MenuItemCopy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &TFormChildLogWindow::CopySelection);
    QAction *find = m_popup->addAction(tr("&Find..."));
    find->setObjectName(QStringLiteral("MenuItemFind"));
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, &TFormChildLogWindow::ShowFindBar);
    QAction *save = m_popup->addAction(tr("Save log &as..."));
    save->setObjectName(QStringLiteral("MenuItemSaveLogAs"));
    connect(save, &QAction::triggered, this, &TFormChildLogWindow::SaveLogAs);
    m_popup->addSeparator();

    m_forms = new QActionGroup(this);
    const auto form = [this](const QString &name, const QString &text, TLogEntryModel::TFrameForm value) {
        QAction *action = m_popup->addAction(text);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setData(int(value));
        m_forms->addAction(action);
        connect(action, &QAction::triggered, this, [this, value] { SetFrameForm(value); });
    };
    form(QStringLiteral("MenuItemFramesHex"), tr("Frames as &hex"), TLogEntryModel::FormHex);
    form(QStringLiteral("MenuItemFramesText"), tr("Frames as &text"), TLogEntryModel::FormText);
    form(QStringLiteral("MenuItemFramesBoth"), tr("Frames as hex a&nd text"), TLogEntryModel::FormBoth);

    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popup->popup(m_view->viewport()->mapToGlobal(pos)); });
}

void TFormChildLogWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    showMinimized();
}

bool TFormChildLogWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport()) {
        if (event->type() == QEvent::Resize)
            UpdateColumns();
        return QMdiSubWindow::eventFilter(watched, event);
    }
    if ((watched != m_view && watched != m_findEdit)
        || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QMdiSubWindow::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        // The keys of the log are the log's while it has the focus.
        if (IsFindKey(key) || (watched == m_view && key->matches(QKeySequence::Copy))) {
            event->accept();
            return true;
        }
    } else if (HandleKey(key)) {
        return true;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

bool TFormChildLogWindow::HandleKey(QKeyEvent *key)
{
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    if (key->matches(QKeySequence::Find)) {
        ShowFindBar();
        return true;
    }
    if (key->key() == Qt::Key_F3) {
        if (m_findEdit->text().isEmpty())
            ShowFindBar();
        else
            FindNext(!shift);
        return true;
    }
    if (m_findEdit->hasFocus()) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            FindNext(!shift);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            m_findBar->hide();
            m_view->setFocus();
            return true;
        }
        return false;
    }
    if (key->matches(QKeySequence::Copy)) {
        CopySelection();
        return true;
    }
    return false;
}

void TFormChildLogWindow::FormCreate()
{
    m_model->Clear();
    QFont font(QStringLiteral("Courier New"), 8);
    // Where that face is missing, another fixed-pitch one keeps the columns.
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    m_view->setFont(font);
    const int line = QFontMetrics(font).height() + 2;
    m_view->verticalHeader()->setMinimumSectionSize(line);
    m_view->verticalHeader()->setDefaultSectionSize(line);
    ReadSettings();
    OpenLogFile();
}

void TFormChildLogWindow::ReadSettings()
{
    const QPalette palette = m_view->palette();
    m_model->SetColor(TSide::Host, ToColor(m_settings.HostColor, palette));
    m_model->SetColor(TSide::Printer, ToColor(m_settings.FPColor, palette));
    m_model->SetColor(TSide::Fiscal, ToColor(m_settings.DGIColor, palette));
    m_model->SetColor(TSide::Failure, FailureColor);
    m_model->SetColor(TSide::Elapsed, ToColor(m_settings.FPColor, palette));
    m_lowLevel = m_settings.LowLevel;
    m_fileTimeStamps = m_settings.LogFileTimeStamps;
    m_view->setColumnHidden(TLogEntryModel::ColumnTime, !m_settings.LogTimeShown);
    SetFrameForm(TLogEntryModel::TFrameForm(qMin<int>(m_settings.LogFrameForm, TLogEntryModel::FormBoth)));
    UpdateColumns();
}

void TFormChildLogWindow::SetFrameForm(TLogEntryModel::TFrameForm form)
{
    m_model->SetFrameForm(form);
    m_settings.LogFrameForm = quint8(form);
    for (QAction *action : m_forms->actions())
        action->setChecked(action->data().toInt() == int(form));
    UpdateColumns();
}

void TFormChildLogWindow::UpdateColumns()
{
    const QFontMetrics metrics(m_view->font());
    int timeWidth = 0;
    if (!m_view->isColumnHidden(TLogEntryModel::ColumnTime)) {
        timeWidth = metrics.horizontalAdvance(QStringLiteral("00:00:00.000")) + CellMargin;
        m_view->setColumnWidth(TLogEntryModel::ColumnTime, timeWidth);
    }
    const qsizetype widest = m_model->WidestEntry();
    const int textWidth = int(qMin<qsizetype>(widest * metrics.horizontalAdvance(QLatin1Char('0')), 1 << 20));
    const int width = qMax(textWidth + CellMargin, m_view->viewport()->width() - timeWidth);
    if (m_view->columnWidth(TLogEntryModel::ColumnEntry) != width)
        m_view->setColumnWidth(TLogEntryModel::ColumnEntry, width);
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

void TFormChildLogWindow::WriteLine(const QString &line, qint64 us)
{
    if (!m_logFile.isOpen())
        return;
    m_logFile.write(m_fileTimeStamps ? TCommLogFormatter::StampedFileLine(us, line)
                                     : TCommLogFormatter::FileLine(line));
    ScheduleFlush();
}

void TFormChildLogWindow::AddFrame(TSide side, const QByteArray &bytes, qint64 us)
{
    m_model->AppendFrame(us, side, bytes);
    ScheduleFlush();
}

void TFormChildLogWindow::AddMessage(TSide side, const QString &text, qint64 us)
{
    m_model->AppendMessage(us, side, text);
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
    if (m_model->rowCount() == m_model->EntryCount())
        return;
    const bool follow = m_following;
    m_model->Publish();
    UpdateColumns();
    if (follow)
        m_view->scrollToBottom();
}

QString TFormChildLogWindow::ShownLine(int row) const
{
    const QString entry = m_model->EntryText(row);
    if (m_view->isColumnHidden(TLogEntryModel::ColumnTime))
        return entry;
    return m_model->TimeText(row) + TimeGap + entry;
}

QString TFormChildLogWindow::Text()
{
    FlushEntries();
    QString text;
    for (int row = 0; row < m_model->rowCount(); ++row)
        text += m_model->EntryText(row) + QLatin1Char('\n');
    return text;
}

void TFormChildLogWindow::ClearLog()
{
    m_flushTimer->stop();
    m_model->Clear();
    m_following = true;
    UpdateColumns();
    // The file lines still waiting go to the disk as usual.
    if (m_logFile.isOpen())
        ScheduleFlush();
}

void TFormChildLogWindow::ShowFindBar()
{
    m_findBar->show();
    m_findEdit->setFocus();
    m_findEdit->selectAll();
}

QString TFormChildLogWindow::FindStatus() const
{
    return m_findStatus->text();
}

bool TFormChildLogWindow::FindNext(bool forward)
{
    FlushEntries();
    // The search goes on from the entry found last; an entry that is only
    // current (the view makes its first one current on focus) is searched too.
    const QModelIndex current = m_view->currentIndex();
    int from = -1;
    if (current.isValid()) {
        from = current.row();
        if (!m_view->selectionModel()->isRowSelected(from))
            from += forward ? -1 : 1;
    }
    const int row = m_model->Find(m_findEdit->text(), from, forward);
    if (row < 0) {
        m_findStatus->setText(tr("Not found"));
        return false;
    }
    const bool wrapped = from >= 0 && (forward ? row <= from : row >= from);
    m_findStatus->setText(wrapped ? tr("Wrapped round the end") : QString());
    const QModelIndex found = m_model->index(row, TLogEntryModel::ColumnEntry);
    m_view->selectionModel()->setCurrentIndex(found, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(found);
    return true;
}

void TFormChildLogWindow::CopySelection()
{
    FlushEntries();
    QList<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    QString text;
    for (const int row : std::as_const(rows))
        text += ShownLine(row) + QLatin1Char('\n');
    QApplication::clipboard()->setText(text);
}

void TFormChildLogWindow::SaveLogAs()
{
    FlushEntries();
    const QString chosen = m_prompts.SaveFileName(this, tr("Save log as"), QFileInfo(m_logPath).absolutePath(),
                                                  tr("Text files (*.txt);;All files (*)"), QStringLiteral("txt"));
    if (chosen.isEmpty())
        return;
    const QString path = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    if (QFileInfo::exists(path)
        && !m_prompts.Confirm(this, TPrompts::WarningCaption, TerminalFiles::ReplaceQuestion(path)))
        return;
    // The new file replaces the old one only once it is whole.
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    QString chunk;
    for (int row = 0; written && row < m_model->rowCount(); ++row) {
        chunk += ShownLine(row);
        chunk += QLatin1String("\r\n");
        if (row % SaveChunk == SaveChunk - 1 || row == m_model->rowCount() - 1) {
            const QByteArray bytes = chunk.toUtf8();
            written = file.write(bytes) == bytes.size();
            chunk.clear();
        }
    }
    if (written && file.commit())
        return;
    const QString reason = file.errorString();
    file.cancelWriting();
    m_prompts.Error(this, TPrompts::ErrorCaption,
                    tr("Unable to write to %1 (%2)").arg(QDir::toNativeSeparators(path), reason));
}

void TFormChildLogWindow::HostOpened(const QString &openText, qint64 us)
{
    AddMessage(TSide::Host, openText, us);
    WriteLine(openText, us);
}

void TFormChildLogWindow::HostClosed(qint64 us)
{
    AddMessage(TSide::Host, TCommLogFormatter::ClosePort, us);
    WriteLine(TCommLogFormatter::ClosePort, us);
}

void TFormChildLogWindow::HostWritten(const QByteArray &bytes, qint64 us)
{
    AddFrame(TSide::Host, bytes, us);
    WriteLine(TCommLogFormatter::HostWritten(bytes), us);
}

void TFormChildLogWindow::PrinterRead(const QByteArray &bytes, qint64 us)
{
    AddFrame(TSide::Printer, bytes, us);
    WriteLine(TCommLogFormatter::PrinterRead(bytes), us);
}

void TFormChildLogWindow::AckReceived(qint64 us)
{
    if (m_lowLevel)
        AddMessage(TSide::Printer, TCommLogFormatter::Ack, us);
    WriteLine(TCommLogFormatter::AckReceived(), us);
}

void TFormChildLogWindow::NakReceived(qint64 us)
{
    if (m_lowLevel)
        AddMessage(TSide::Printer, TCommLogFormatter::Nak, us);
    WriteLine(TCommLogFormatter::NakReceived(), us);
}

void TFormChildLogWindow::IntermediateAnswerReceived(qint64 us)
{
    if (m_lowLevel)
        AddMessage(TSide::Printer, TCommLogFormatter::IntermediateAnswer, us);
    WriteLine(TCommLogFormatter::IntermediateReceived(), us);
}

void TFormChildLogWindow::SettingsChanged()
{
    ReadSettings();
}

void TFormChildLogWindow::FiscalOpened(const QString &openText, qint64 us)
{
    AddMessage(TSide::Fiscal, openText, us);
    WriteLine(openText, us);
}

void TFormChildLogWindow::FiscalClosed(qint64 us)
{
    AddMessage(TSide::Fiscal, TCommLogFormatter::ClosePort, us);
    WriteLine(TCommLogFormatter::ClosePort, us);
}

void TFormChildLogWindow::FiscalWritten(const QByteArray &bytes, qint64 us)
{
    AddFrame(TSide::Fiscal, bytes, us);
    WriteLine(TCommLogFormatter::FiscalWritten(bytes), us);
}

void TFormChildLogWindow::DeviceChanged(bool fiscalPort, const QString &line, qint64 us)
{
    AddMessage(fiscalPort ? TSide::Fiscal : TSide::Host, line, us);
    WriteLine(line, us);
}

void TFormChildLogWindow::ExchangeFailed(const QString &text, qint64 us)
{
    AddMessage(TSide::Failure, text, us);
    WriteLine(TCommLogFormatter::FailurePrefix + text, us);
}

void TFormChildLogWindow::ExchangeTimed(qint64 elapsedUs, qint64 us)
{
    const QString line = TCommLogFormatter::Elapsed(elapsedUs);
    AddMessage(TSide::Elapsed, line.mid(TCommLogFormatter::ElapsedPrefix.size()), us);
    WriteLine(line, us);
}
