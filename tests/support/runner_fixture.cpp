#include "runner_fixture.h"

#include <QTest>

void TRunnerFixture::SetUpRunner()
{
    m_hostLine = std::make_shared<TScriptedSerialLine>();
    m_fiscalLine = std::make_shared<TScriptedSerialLine>();
    m_host = std::make_unique<TFPHostControl>();
    m_host->SetLineFactory([line = m_hostLine] { return line; });
    m_aux = std::make_unique<TFPAuxControl>();
    m_aux->SetLineFactory([line = m_fiscalLine] { return line; });
    m_printer = std::make_unique<TScriptedPrinter>();
    m_runner = std::make_unique<TCommandRunner>(m_host.get(), m_aux.get());
    m_runner->ConnectComponents();
    m_log = std::make_unique<TRunnerLog>(*m_runner);
}

void TRunnerFixture::TearDownRunner()
{
    m_log.reset();
    m_runner.reset();
    m_host.reset();
    m_aux.reset();
    m_printer.reset();
    m_hostLine.reset();
    m_fiscalLine.reset();
}

void TRunnerFixture::OpenHost(TProtocolType protocol)
{
    m_printer->AttachHost(*m_hostLine, protocol);
    m_host->SetProtocolType(protocol);
    QVERIFY(m_host->OpenPort());
}

void TRunnerFixture::OpenFiscal()
{
    m_printer->AttachFiscal(*m_fiscalLine);
    QVERIFY(m_aux->OpenPort());
}
