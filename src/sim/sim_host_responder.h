#pragma once

#include "comm/host_types.h"
#include "sim/sim_fault_plan.h"
#include "sim/sim_host_input.h"
#include "sim/sim_profile.h"
#include "sim/sim_responder.h"

// The host port of the simulated printer: each good command frame is
// answered with ACK and an answer frame with the same sequence number, in the
// field layout of the protocol, shaped by the profile and the fault plan. A
// NAK from the host makes it repeat its last answer frame.
class TSimHostResponder : public TSimResponder
{
public:
    // How often one answer frame is repeated on the host's NAK.
    static constexpr int MaxRepeats = 3;

    TSimHostResponder(TProtocolType protocol, const TSimProfile &profile,
                      const TSimFaultPlan &faults);

    TReaction Receive(const QByteArray &bytes) override;
    void Reset() override;
    int RequestCount() const override { return m_requests; }

private:
    void Answer(quint8 sequence, const QList<QByteArray> &fields, TReaction &reaction);

    TProtocolType m_protocol;
    const TSimProfile &m_profile;
    const TSimFaultPlan &m_faults;
    TSimHostInput m_input;
    QByteArray m_lastAnswer;
    int m_repeats = 0;
    int m_requests = 0;
};
