#pragma once

#include "terminal_model/command_field.h"

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;
class TCheckList;
class TFieldTypeComboBox;
class TPrompts;

// Edits one command field record. Its rules enable, lock and preset the
// dependent inputs by text type and control type, so that only attributes
// that matter for the combination can be entered. The caller reads the
// result after OK and writes the file.
class TFormEditCommandRecord : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxCaptionLength = 35;

    // A new field; "free" (the command has no field yet) frees the Mode
    // list and the notes.
    TFormEditCommandRecord(bool free, TPrompts &prompts, QWidget *parent = nullptr);
    // Field number (from 1) of an existing field, its record, its combo-box
    // lines and the command's notes.
    TFormEditCommandRecord(int fieldNumber, const TCommandField &field, const QStringList &comboLines,
                           const QStringList &notes, TPrompts &prompts, QWidget *parent = nullptr);

    // Presets the Mode of a field that must follow field 1.
    void SetMode(int mode);
    // Shows the command's notes (kept from fields removed earlier).
    void SetNotes(const QStringList &notes);

    // The record as entered, its numbers normalised (007 is 7, empty is 0).
    TCommandField Field() const;
    QStringList ComboLines() const;
    QStringList Notes() const;

    // The text-type rule, run when the user changes the text type.
    void TextTypeChanged();
    // The control-type rule, run when the user changes the control type.
    void ControlTypeChanged();
    // The OK rule: a caption and every free number box filled.
    void UpdateOkButton();
    // Refuses a combo-box line that the field's text type would not send,
    // else OK.
    void AcceptIfValid();

private:
    void Build();
    void ApplyTextTypeRule();
    void ApplyExistingField(const TCommandField &field, const QStringList &comboLines);
    void SetDefaultTextType(int textType, int maxLength);
    static void SetBox(TFieldTypeComboBox *box, const QString &text, bool free);

    TPrompts &m_prompts;

    TFieldTypeComboBox *m_modeBox = nullptr;
    TFieldTypeComboBox *m_captionBox = nullptr;
    TFieldTypeComboBox *m_hintBox = nullptr;
    TFieldTypeComboBox *m_textTypeBox = nullptr;
    TFieldTypeComboBox *m_defaultTextBox = nullptr;
    TFieldTypeComboBox *m_controlTypeBox = nullptr;
    TFieldTypeComboBox *m_minLengthBox = nullptr;
    TFieldTypeComboBox *m_maxLengthBox = nullptr;
    TFieldTypeComboBox *m_decimalDigitsBox = nullptr;
    TCheckList *m_otherList = nullptr;
    QPlainTextEdit *m_comboLinesMemo = nullptr;
    QPlainTextEdit *m_notesMemo = nullptr;
    QPushButton *m_buttonOk = nullptr;
    QPushButton *m_buttonCancel = nullptr;
};
