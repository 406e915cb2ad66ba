#pragma once

#include <QtGlobal>

// Why an operation of a port component failed, shared by the host and the
// auxiliary port. The numbers are what the log and the command-line tool
// report, so their order is fixed.
enum TPortError : quint8 {
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
    EFP_E_InvalidIndex,

    // The auxiliary port's names for the same codes.
    FEFP_Success = EFP_Success,
    FEFP_E_ComInUse = EFP_E_ComInUse,
    FEFP_E_InvalidCom = EFP_E_InvalidCom,
    FEFP_E_ComAlreadyOpen = EFP_E_ComAlreadyOpen,
    FEFP_E_ComAlreadyClose = EFP_E_ComAlreadyClose,
    FEFP_E_BadInitialization = EFP_E_BadInitialization,
    FEFP_E_ComClose = EFP_E_ComClose,
    FEFP_E_MaxDataLengthReached = EFP_E_MaxDataLengthReached,
    FEFP_E_InvalidDataInField = EFP_E_InvalidDataInField,
    FEFP_E_OperationInProgress = EFP_E_OperationInProgress,
    FEFP_E_WriteError = EFP_E_WriteError,
    FEFP_E_ReadTimeOut = EFP_E_ReadTimeOut,
    FEFP_E_NackReceived = EFP_E_NackReceived
};
