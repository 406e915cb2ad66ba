#pragma once

#include <QString>
#include <QtGlobal>

// The program's preferences: the per-user values kept in the native settings
// store, the three per-file values of a terminal file's [General] section and
// the run-time port flags. One record, owned by the main window.
struct TSettings
{
    QString File;                 // open or last opened terminal file; empty = none
    qint32 TVWidth = 0;           // command tree width; 0 = designed width
    quint8 Language = 0;          // 0 English, 1 Spanish (no effect)
    quint8 OutputDateFormat = 0;  // per file
    quint8 InputDateFormat = 0;   // per file
    bool ExtReservedFields = false;
    quint32 HostColor = 0;
    quint32 FPColor = 0;
    quint32 DGIColor = 0;
    bool LowLevel = false;
    bool HostPortOpen = false;    // run time only
    quint8 Protocol = 0;          // per file: 0 compatible, 1 extended
    quint8 HBaud = 3;             // 0..5 = 1200..38400
    quint8 HComm = 0;             // 0..3 = COM1..COM4
    bool DGIEnabled = false;
    bool FiscalPortOpen = false;  // run time only
    quint8 DComm = 1;
    qint32 DTimeOut = 1000;       // ms; 0 = no limit
    // Device names that, when not empty, stand for the COM index (USB adapters).
    QString HPort;
    QString DPort;
    // The log window's time column; the log files' lines start with the
    // time of their event only when asked, so their format stays as it was.
    bool LogTimeShown = true;
    bool LogFileTimeStamps = false;
    quint8 LogFrameForm = 0;      // frames in the log window: 0 hex, 1 text, 2 both
};

// Name of the settings store: the executable's file name without extension.
QString DefaultSettingsName();

// Creates the store with defaults when missing, then reads it. A value that
// is missing or of the wrong type keeps the record's default.
void LoadSettings(TSettings &settings, const QString &storeName = DefaultSettingsName());
void SaveSettings(const TSettings &settings, const QString &storeName = DefaultSettingsName());
