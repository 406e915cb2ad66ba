#pragma once

#include "comm/port_error.h"

#include <QtGlobal>

// Enumerations of the host-protocol component. Each is stored as one byte;
// the numeric values are what the settings exchange.

enum TCommPort : quint8 { Com1, Com2, Com3, Com4 };

enum TBaudRate : quint8 { br1200, br2400, br4800, br9600, br19200, br38400 };

enum TProtocolType : quint8 { protocol_Compatible, protocol_Extended };

enum TFiscalState : quint8 {
    EFP_S_Close,   // port closed
    EFP_S_Idle,    // open, no command in progress
    EFP_S_Busy     // a command was sent and its outcome is pending
};

// What the worker reports to the component, in the order it happens.
enum THostNotificationCode : quint8 {
    EFP_N_AckReceived,
    EFP_N_NakReceived,
    EFP_N_IntermediateAnswer,
    EFP_N_FinalAnswer,
    EFP_N_FrameWritten,
    EFP_N_WriteFailed,
    EFP_N_FrameRead,
    EFP_N_AnswerTimedOut,
    EFP_N_AckSent,
    EFP_N_NakSent
};
