#pragma once

#include "comm/fp_aux_enums.h"
#include "comm/host_types.h"

#include <QString>

class TFPAuxControl;
class TFPHostControl;
struct TSettings;

// What the two port components are opened with, read once from the settings
// (and, for the command-line tool, its options) and brought into range, so a
// value stored out of range never reaches a component or a status panel.
struct TPortSettings
{
    // Values given for one run; an empty device or a negative number keeps
    // the settings' value.
    struct TOverrides
    {
        QString hostDevice;
        QString fiscalDevice;
        int baudRate = -1;        // TBaudRate index
        int protocol = -1;        // TProtocolType
        int fiscalTimeOut = -1;   // ms
    };

    // The fiscal answer time-out the preferences allow; 0 waits without limit.
    static constexpr int MaxFiscalTimeOut = 10000000;

    TCommPort hostCommPort = Com1;
    QString hostDevice;            // empty: the COM port
    TBaudRate hostBaudRate = br9600;
    TProtocolType protocol = protocol_Compatible;
    TFCommPort fiscalCommPort = FCom2;
    QString fiscalDevice;          // empty: the COM port
    int fiscalTimeOut = 1000;      // ms
    bool fiscalEnabled = false;

    // A COM, baud or protocol index out of range becomes the nearest valid
    // one, as does a time-out outside 0..MaxFiscalTimeOut.
    static TPortSettings FromSettings(const TSettings &settings, const TOverrides &overrides);
    static TPortSettings FromSettings(const TSettings &settings);

    // Hands every value to the components. A component takes its port and
    // line values only while closed, so this comes before OpenPort().
    void Apply(TFPHostControl &host, TFPAuxControl &aux) const;

    // "COM1 9600,N,8,1", or the device name in place of the COM port.
    QString HostPortText() const;
    // The fiscal port always runs at 9600 baud.
    QString FiscalPortText() const;
};
