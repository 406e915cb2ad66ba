#include "execution/step_result.h"

#include <QCoreApplication>

QString TStepResult::TFailure::Text() const
{
    return QCoreApplication::translate("TStepResult", "%1: expected %2, actual %3").arg(Expectation, Expected, Actual);
}
