#include "execution/port_settings.h"

#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "terminal_model/settings.h"

#include <QtGlobal>

namespace {

QString LineSuffix(TBaudRate rate)
{
    static const char *const rates[] = {" 1200", " 2400", " 4800", " 9600", " 19200", " 38400"};
    return QString::fromLatin1(rates[rate]) + QStringLiteral(",N,8,1");
}

// A device given by name is shown by that name instead of the COM number.
QString PortText(int commPort, const QString &device)
{
    return device.isEmpty() ? QStringLiteral("COM%1").arg(commPort + 1) : device;
}

int Chosen(int override, int stored)
{
    return override >= 0 ? override : stored;
}

QString Chosen(const QString &override, const QString &stored)
{
    return override.isEmpty() ? stored : override;
}

}

TPortSettings TPortSettings::FromSettings(const TSettings &settings, const TOverrides &overrides)
{
    TPortSettings ports;
    ports.hostCommPort = TCommPort(qBound(0, int(settings.HComm), int(Com4)));
    ports.hostDevice = Chosen(overrides.hostDevice, settings.HPort);
    ports.hostBaudRate = TBaudRate(qBound(0, Chosen(overrides.baudRate, settings.HBaud), int(br38400)));
    ports.protocol = TProtocolType(qBound(0, Chosen(overrides.protocol, settings.Protocol), int(protocol_Extended)));
    ports.fiscalCommPort = TFCommPort(qBound(0, int(settings.DComm), int(FCom4)));
    ports.fiscalDevice = Chosen(overrides.fiscalDevice, settings.DPort);
    ports.fiscalTimeOut = qBound(0, Chosen(overrides.fiscalTimeOut, settings.DTimeOut), MaxFiscalTimeOut);
    ports.fiscalEnabled = settings.DGIEnabled;
    return ports;
}

TPortSettings TPortSettings::FromSettings(const TSettings &settings)
{
    return FromSettings(settings, TOverrides());
}

void TPortSettings::Apply(TFPHostControl &host, TFPAuxControl &aux) const
{
    host.SetCommPort(hostCommPort);
    host.SetDeviceName(hostDevice);
    host.SetBaudRate(hostBaudRate);
    host.SetProtocolType(protocol);
    aux.SetCommPort(fiscalCommPort);
    aux.SetDeviceName(fiscalDevice);
    aux.SetTimeOut(fiscalTimeOut);
}

QString TPortSettings::HostPortText() const
{
    return PortText(hostCommPort, hostDevice) + LineSuffix(hostBaudRate);
}

QString TPortSettings::FiscalPortText() const
{
    return PortText(fiscalCommPort, fiscalDevice) + LineSuffix(br9600);
}
