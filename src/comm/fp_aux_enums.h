#pragma once

#include <QtGlobal>

// Enumerations of the auxiliary fiscal port. The numeric values are what the
// settings and the log exchange, so their order is fixed.

enum TFCommPort : quint8 { FCom1, FCom2, FCom3, FCom4 };

enum TFFiscalState : quint8 { FEFP_S_Close, FEFP_S_Idle, FEFP_S_Busy };

enum TFErrorType : quint8 {
    FEFP_Success,
    FEFP_E_ComInUse,
    FEFP_E_InvalidCom,
    FEFP_E_ComAlreadyOpen,
    FEFP_E_ComAlreadyClose,
    FEFP_E_BadInitialization,
    FEFP_E_ComClose,
    FEFP_E_MaxDataLengthReached,
    FEFP_E_InvalidDataInField,
    FEFP_E_OperationInProgress,
    FEFP_E_WriteError,
    FEFP_E_ReadTimeOut,
    FEFP_E_NackReceived
};

// Notifications the auxiliary worker posts to its component, in this order of codes.
enum TFAuxNotification : quint8 {
    FEFP_N_AckReceived,
    FEFP_N_NakReceived,
    FEFP_N_FrameWritten,
    FEFP_N_WriteFailed,
    FEFP_N_AnswerFrame,
    FEFP_N_AnswerTimedOut,
    FEFP_N_AckSent,
    FEFP_N_NakSent
};
