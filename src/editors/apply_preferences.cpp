#include "editors/apply_preferences.h"

#include "terminal_model/settings.h"
#include "widgets/prompts.h"

const QString TApplyPreferences::HostPortError = QStringLiteral(QT_TRANSLATE_NOOP("TPrompts", "Error when trying to open the Host port"));

void TApplyPreferences::Run(bool accepted, TSettings &settings, TPrompts &prompts, QWidget *owner,
                            const TTargets &targets)
{
    if (accepted) {
        if (!targets.HostPortClosed())
            targets.CloseHostPort();
        if (targets.OpenHostPort()) {
            settings.HostPortOpen = true;
            targets.SetStatusText(QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Ready")));
        } else {
            prompts.Error(owner, TPrompts::ErrorCaption, HostPortError);
            settings.HostPortOpen = false;
            targets.SetStatusText(QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Error")));
        }
        targets.SetProtocol(settings.Protocol);
        const bool fileOpen = targets.TerminalFileOpen();
        targets.EnableEditReturnCodes(settings.Protocol == 1 && fileOpen);
        if (settings.FiscalPortOpen)
            targets.ReopenFiscalPort();
        if (fileOpen)
            targets.NotifyLogWindow();
    }
    targets.UpdatePortPanels();
}
