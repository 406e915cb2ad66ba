#pragma once

#include "execution/answer_page.h"
#include "execution/plan.h"
#include "execution/plan_values.h"
#include "execution/step_result.h"

#include <QList>

// The expectations of a step against what its command brought back: the
// outcome, and for a host answer the page as the window shows it (panels,
// rows with the fields converted by their definitions).
class TPlanExpectations {
public:
    // page: the decoded host answer; nullptr without one.
    static QList<TStepResult::TFailure> Evaluate(const TPlan::TStep &step, const TRunOutcome &outcome,
                                                 const TAnswerPage *page, const TPlanValues &kept);
    // Keeps the step's answer fields; a field the answer lacks is a failure.
    static QList<TStepResult::TFailure> Keep(const TPlan::TStep &step, const TAnswerPage *page,
                                             TPlanValues *kept);
    // The row of an answer field by its label (case ignored); nullptr when
    // the answer has none.
    static const TAnswerRow *Row(const TAnswerPage &page, const QString &label);
};
