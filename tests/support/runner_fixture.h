#pragma once

#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "comm/scripted_serial_line.h"
#include "execution/command_runner.h"
#include "runner_log.h"
#include "scripted_printer.h"

#include <memory>

// A command runner on both port components, each on a scripted line whose
// far end is a scripted printer, with the log of what the runner tells its
// window. A test class derives from it and calls SetUpRunner() from init()
// and TearDownRunner() from cleanup(); the ports stay closed until a test
// opens them.
class TRunnerFixture
{
protected:
    void SetUpRunner();
    // The log and runner go before the components they listen to.
    void TearDownRunner();

    // The host port opened on the printer answering in this protocol.
    void OpenHost(TProtocolType protocol = protocol_Extended);
    void OpenFiscal();

    std::shared_ptr<TScriptedSerialLine> m_hostLine;
    std::shared_ptr<TScriptedSerialLine> m_fiscalLine;
    std::unique_ptr<TFPHostControl> m_host;
    std::unique_ptr<TFPAuxControl> m_aux;
    std::unique_ptr<TScriptedPrinter> m_printer;
    std::unique_ptr<TCommandRunner> m_runner;
    std::unique_ptr<TRunnerLog> m_log;
};
