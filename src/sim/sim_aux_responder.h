#pragma once

#include "sim/sim_aux_input.h"
#include "sim/sim_fault_plan.h"
#include "sim/sim_profile.h"
#include "sim/sim_responder.h"

// The auxiliary fiscal port of the simulated printer: ENQ is answered with
// ACK; a request frame with its answer frames from the profile, each sent
// after the host's ACK of the one before, the last one final. A NAK from the
// host repeats the frame; a request with a bad checksum gets NAK.
class TSimAuxResponder : public TSimResponder
{
public:
    static constexpr int MaxRepeats = 3;

    TSimAuxResponder(const TSimProfile &profile, const TSimFaultPlan &faults);

    TReaction Receive(const QByteArray &bytes) override;
    void Reset() override;
    int RequestCount() const override { return m_requests; }

private:
    void Request(const QByteArray *frame, TReaction &reaction);
    void SendNext(int gapMs, TReaction &reaction);

    const TSimProfile &m_profile;
    const TSimFaultPlan &m_faults;
    TSimAuxInput m_input;
    QList<QByteArray> m_queue;   // answer frames still to send
    QByteArray m_lastFrame;      // the frame the host has not acknowledged yet
    int m_repeats = 0;
    int m_requests = 0;
};
