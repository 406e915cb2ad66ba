#include "editors/time_out_edit.h"

#include <QLineEdit>
#include <QLocale>

TTimeOutEdit::TTimeOutEdit(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    connect(lineEdit(), &QLineEdit::textChanged, this, &TTimeOutEdit::TextChanged);
    SetValue(Minimum);
}

void TTimeOutEdit::SetValue(int value)
{
    lineEdit()->setText(QString::number(qBound(Minimum, value, Maximum)));
}

int TTimeOutEdit::Corrected(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return 0;
    return int(qBound(qlonglong(Minimum), value, qlonglong(Maximum)));
}

int TTimeOutEdit::Value() const
{
    return Corrected(lineEdit()->text());
}

void TTimeOutEdit::Correct()
{
    const QString corrected = QString::number(Value());
    if (lineEdit()->text() != corrected)
        lineEdit()->setText(corrected);
}

void TTimeOutEdit::stepBy(int steps)
{
    SetValue(int(qBound(qlonglong(Minimum), qlonglong(Value()) + qlonglong(steps) * Step, qlonglong(Maximum))));
}

QValidator::State TTimeOutEdit::validate(QString &input, int &) const
{
    const QString separator = QLocale().decimalPoint();
    for (const QChar c : input)
        if (!c.isDigit() && c != QLatin1Char('+') && c != QLatin1Char('-') && !separator.contains(c))
            return QValidator::Invalid;
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled TTimeOutEdit::stepEnabled() const
{
    const int value = Value();
    StepEnabled enabled = StepNone;
    if (value > Minimum)
        enabled |= StepDownEnabled;
    if (value < Maximum)
        enabled |= StepUpEnabled;
    return enabled;
}

void TTimeOutEdit::focusOutEvent(QFocusEvent *event)
{
    Correct();
    QAbstractSpinBox::focusOutEvent(event);
}
