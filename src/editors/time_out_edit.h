#pragma once

#include <QAbstractSpinBox>

// A whole number of milliseconds with up/down buttons. Typing is free
// within digits, signs and the decimal separator; the text is corrected
// when the box loses the focus (or Correct() is called): a text that is not
// a whole number becomes 0, a number outside the range the nearer bound.
class TTimeOutEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    static constexpr int Minimum = 0;
    static constexpr int Maximum = 10000000;
    static constexpr int Step = 100;

    explicit TTimeOutEdit(QWidget *parent = nullptr);

    void SetValue(int value);
    // The corrected value of the current text.
    int Value() const;
    void Correct();

    static int Corrected(const QString &text);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;

signals:
    // The text changed, by the user or the program.
    void TextChanged();

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent *event) override;
};
