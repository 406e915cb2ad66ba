#pragma once

#include "comm/port_error.h"

#include <QtGlobal>

// Enumerations of the auxiliary fiscal port; its error codes are TPortError.
// The numeric values are what the settings and the log exchange, so their
// order is fixed.

enum TFCommPort : quint8 { FCom1, FCom2, FCom3, FCom4 };

enum TFFiscalState : quint8 { FEFP_S_Close, FEFP_S_Idle, FEFP_S_Busy };

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
