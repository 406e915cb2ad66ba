#include "shell/main_capture.h"

#include "execution/capture_writer.h"
#include "shell/main_actions.h"
#include "shell/terminal_files.h"
#include "widgets/prompts.h"

#include <QAction>
#include <QWidget>
#include <QDir>
#include <QFileInfo>

namespace {

const char *const CaptureFilter = QT_TRANSLATE_NOOP("TMainCapture", "Captures (*.tcap);;All files (*)");
const char *const CaptureSuffix = "tcap";

} // namespace

TMainCapture::TMainCapture(TPorts &ports, TPrompts &prompts, TMainActions &actions, QWidget *owner)
    : QObject(owner), m_prompts(prompts), m_actions(actions), m_owner(owner),
      m_writer(new TCaptureWriter(ports, this))
{
    connect(actions.RecordCaptureAction(), &QAction::triggered, this, &TMainCapture::Toggle);
    connect(m_writer, &TCaptureWriter::Failed, this, &TMainCapture::Stopped);
    m_actions.ShowCapture(false);
}

bool TMainCapture::IsRecording() const
{
    return m_writer->IsRecording();
}

QString TMainCapture::FileName() const
{
    return m_writer->FileName();
}

void TMainCapture::Toggle()
{
    if (m_writer->IsRecording())
        m_writer->Stop();
    else
        Start();
    m_actions.ShowCapture(m_writer->IsRecording());
}

void TMainCapture::Start()
{
    QString chosen = m_prompts.SaveFileName(m_owner, tr("Record capture"), QDir::currentPath(), tr(CaptureFilter),
                                            QLatin1String(CaptureSuffix));
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QLatin1Char('.') + QLatin1String(CaptureSuffix);
    const QString target = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    if (QFileInfo::exists(target)
        && !m_prompts.Confirm(m_owner, TPrompts::WarningCaption, TerminalFiles::ReplaceQuestion(target)))
        return;
    QString error;
    if (!m_writer->Start(target, TCaptureWriter::TMode::Replace, &error))
        m_prompts.Error(m_owner, TPrompts::ErrorCaption, error);
}

void TMainCapture::Stopped(const QString &error)
{
    m_actions.ShowCapture(false);
    m_prompts.Error(m_owner, TPrompts::ErrorCaption,
                    tr("%1\nThe capture has stopped; the records before this one are kept.").arg(error));
}
