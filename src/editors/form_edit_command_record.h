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
    void FieldTypeComboBoxTextTypeChange();
    // The control-type rule, run when the user changes the control type.
    void FieldTypeComboBoxControlTypeChange();
    // The OK rule: a caption and every free number box filled.
    void ValidateComboData();
    // Refuses a combo-box line that the field's text type would not send,
    // else OK.
    void ButtonOkClick();

private:
    void Build();
    void ApplyTextTypeRule();
    void ApplyExistingField(const TCommandField &field, const QStringList &comboLines);
    void SetDefaultTextType(int textType, int maxLength);
    static void SetBox(TFieldTypeComboBox *box, const QString &text, bool free);

    TPrompts &FPrompts;

    TFieldTypeComboBox *FieldTypeComboBoxMode = nullptr;
    TFieldTypeComboBox *FieldTypeComboBoxCaption = nullptr;
    TFieldTypeComboBox *FieldTypeComboBoxHint = nullptr;
    TFieldTypeComboBox *FieldTypeComboBoxTextType = nullptr;
    TFieldTypeComboBox *FieldTypeComboBoxDefaultText = nullptr;
    TFieldTypeComboBox *FieldTypeComboBoxControlType = nullptr;
    TFieldTypeComboBox *FieldTypeComboBoxMinLength = nullptr;
    TFieldTypeComboBox *FieldTypeComboBoxMaxLength = nullptr;
    TFieldTypeComboBox *FieldTypeComboBoxDecimalDigits = nullptr;
    TCheckList *CheckListBoxOther = nullptr;
    QPlainTextEdit *MemoComboLines = nullptr;
    QPlainTextEdit *MemoNotes = nullptr;
    QPushButton *ButtonOk = nullptr;
    QPushButton *ButtonCancel = nullptr;
};
