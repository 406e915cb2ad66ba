#pragma once

#include <QDialog>
#include <QString>
#include <QtGlobal>

class QPushButton;
class TColorBox;
class TFieldTypeComboBox;
class TPrompts;

// Edits one fixed-answer record: panel, mask, result, text and colour. A
// panel of "0" opens it for a new record.
class TFormEditFixAnswerRecord : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxTextLength = 25;
    static constexpr int HexDigits = 4;

    // Why a record with this mask and result (hexadecimal texts) can never
    // match a status word, or an empty text when it can.
    static QString NeverMatches(const QString &mask, const QString &result);

    TFormEditFixAnswerRecord(quint32 color, const QString &text, const QString &result, const QString &mask,
                             const QString &panel, TPrompts &prompts, QWidget *parent = nullptr);

    bool AddMode() const { return m_addMode; }
    QString Panel() const;
    QString Mask() const;
    QString Result() const;
    QString Text() const;
    quint32 Color() const;

    // "&Ok" is enabled exactly when panel, mask, result and text are filled.
    void UpdateOkButton();
    // Refuses a result with bits outside the mask; otherwise pads mask and
    // result to four digits and accepts.
    void AcceptIfValid();

private:
    TPrompts &m_prompts;
    bool m_addMode;
    TFieldTypeComboBox *m_panelBox = nullptr;
    TFieldTypeComboBox *m_maskEdit = nullptr;
    TFieldTypeComboBox *m_resultEdit = nullptr;
    TFieldTypeComboBox *m_textEdit = nullptr;
    TColorBox *m_textColorBox = nullptr;
    QPushButton *m_buttonOk = nullptr;
    QPushButton *m_buttonCancel = nullptr;
};
