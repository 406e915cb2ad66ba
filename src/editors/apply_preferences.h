#pragma once

#include <QString>

#include <functional>

class QWidget;
class TPrompts;
struct TSettings;

// Puts the settings of a closed preferences dialog into effect, in a fixed
// order: host port closed and reopened, protocol, fiscal port reopened if it
// was open, log window told to re-read its colours, status panels
// refreshed. The ports and windows are reached through the targets, so the
// sequence runs without them in tests.
class TApplyPreferences
{
public:
    struct TTargets
    {
        std::function<bool()> HostPortClosed;
        std::function<void()> CloseHostPort;
        // Opens the host port with HComm (or HPort) and HBaud.
        std::function<bool()> OpenHostPort;
        std::function<void(int protocol)> SetProtocol;
        std::function<bool()> TerminalFileOpen;
        std::function<void(bool enabled)> EnableEditReturnCodes;
        // Reopens the fiscal port with DComm (or DPort) and DTimeOut and sets
        // the fiscal-port button from the result, as at start-up.
        std::function<void()> ReopenFiscalPort;
        // Has the log window re-read its colours and low-level flag.
        std::function<void()> NotifyLogWindow;
        std::function<void(const QString &text)> SetStatusText;
        std::function<void()> UpdatePortPanels;
    };

    static const QString HostPortError;

    // accepted: the dialog ended with OK.
    static void Run(bool accepted, TSettings &settings, TPrompts &prompts, QWidget *owner, const TTargets &targets);
};
