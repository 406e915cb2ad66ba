#include "sim_runner_fixture.h"

bool TSimRunnerFixture::SetUpOnSimulator(const QStringList &simArguments, TProtocolType protocol)
{
    if (!m_sim.Start(simArguments)) {
        m_setUpError = m_sim.Error();
        return false;
    }
    m_host = std::make_unique<TFPHostControl>();
    m_host->SetDeviceName(m_sim.HostPath());
    m_host->SetBaudRate(br9600);
    m_host->SetProtocolType(protocol);
    m_aux = std::make_unique<TFPAuxControl>();
    m_aux->SetDeviceName(m_sim.FiscalPath());
    m_aux->SetTimeOut(3000);
    if (!m_host->OpenPort() || !m_aux->OpenPort()) {
        m_setUpError = QStringLiteral("a port of the simulator did not open");
        return false;
    }
    m_runner = std::make_unique<TCommandRunner>(m_host.get(), m_aux.get());
    m_runner->ConnectComponents();
    return true;
}

void TSimRunnerFixture::TearDownOnSimulator()
{
    m_runner.reset();
    m_host.reset();
    m_aux.reset();
    m_sim.Stop();
}
