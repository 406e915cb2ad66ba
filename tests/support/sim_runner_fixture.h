#pragma once

#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/command_runner.h"
#include "sim_process.h"

#include <QStringList>

#include <memory>

// A command runner on both port components, opened on the pseudo-terminals
// of a started simulator. A test class derives from it, calls
// SetUpOnSimulator() from initTestCase() and TearDownOnSimulator() from
// cleanupTestCase().
class TSimRunnerFixture
{
protected:
    // False, with the reason in m_setUpError, when the simulator or a port
    // does not start.
    bool SetUpOnSimulator(const QStringList &simArguments, TProtocolType protocol);
    // The runner goes before the components it listens to.
    void TearDownOnSimulator();

    TSimProcess m_sim;
    std::unique_ptr<TFPHostControl> m_host;
    std::unique_ptr<TFPAuxControl> m_aux;
    std::unique_ptr<TCommandRunner> m_runner;
    QString m_setUpError;
};
