#pragma once

#include "terminal_model/answer_field.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class TFieldTypeComboBox;
class TPrompts;

// Edits one answer field record: its caption, text type and, for Currency,
// its implied decimal digits. The caller writes the file after OK.
class TFormEditAnswerRecord : public QDialog
{
    Q_OBJECT

public:
    static const QString NoCaptionMessage;

    // A new field.
    explicit TFormEditAnswerRecord(TPrompts &prompts, QWidget *parent = nullptr);
    // Field number (from 1) and record of an existing field.
    TFormEditAnswerRecord(int fieldNumber, const TAnswerField &field, TPrompts &prompts, QWidget *parent = nullptr);

    // The record as entered; decimal digits only for Currency, normalised.
    TAnswerField Field() const;

    // Currency frees the decimal digits, any other type resets and locks them.
    void ApplyFormatRule();
    // Refuses a field without a caption (it would show unnamed), else OK.
    void AcceptIfValid();

private:
    void Build();

    TPrompts &m_prompts;
    QLineEdit *m_captionEdit = nullptr;
    QComboBox *m_formatBox = nullptr;
    TFieldTypeComboBox *m_decimalsBox = nullptr;
    QPushButton *m_buttonOk = nullptr;
    QPushButton *m_buttonCancel = nullptr;
};
