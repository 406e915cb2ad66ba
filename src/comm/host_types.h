#pragma once

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

enum TErrorType : quint8 {
    EFP_Success,
    EFP_E_ComInUse,
    EFP_E_InvalidCom,
    EFP_E_ComAlreadyOpen,
    EFP_E_ComAlreadyClose,
    EFP_E_BadInitialization,
    EFP_E_ComClose,
    EFP_E_MaxDataLengthReached,
    EFP_E_InvalidDataInField,
    EFP_E_OperationInProgress,
    EFP_E_WriteError,
    EFP_E_ReadTimeOut,
    EFP_E_NackReceived,
    EFP_E_InvalidIndex
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
