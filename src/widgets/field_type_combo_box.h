#pragma once

#include "terminal_model/field_types.h"

#include <QComboBox>

#include <memory>

class QInputMethodEvent;
class QKeyEvent;
class QStyleOptionFrame;

// A combo box that accepts only the characters of its text type (editing
// keys always work), refuses a paste that does not fit, clears a text that
// does not fit once the user edits it or chooses it from the list, and may
// refuse to give up the focus while it is empty.
class TFieldTypeComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(int FldType READ GetFieldTypeCode WRITE SetFieldTypeCode)
    Q_PROPERTY(bool Required READ GetRequired WRITE SetRequired)

public:
    // Edit box only, edit box with a drop-down list, drop-down list only.
    enum TComboStyle { csSimple, csDropDown, csDropDownList };
    Q_ENUM(TComboStyle)

    explicit TFieldTypeComboBox(QWidget *parent = nullptr);

    // Boolean also limits the text to one character; no other type changes
    // the limit.
    void SetFieldType(TFldType type);
    TFldType GetFieldType() const { return static_cast<TFldType>(m_fieldType); }
    // Any text-type code; Date, Time and unknown codes do no filtering.
    void SetFieldTypeCode(int code);
    int GetFieldTypeCode() const { return m_fieldType; }

    void SetRequired(bool required);
    bool GetRequired() const { return m_required; }

    void SetStyle(TComboStyle style);
    TComboStyle GetStyle() const { return m_style; }

    // Maximum number of characters the user may type; 0 means no limit.
    void SetMaxLength(int length);
    int GetMaxLength() const { return m_maxLength; }

    // Text set by the program is not validated. In the drop-down-list style
    // only the text of an item can be set.
    void SetText(const QString &text);
    QString GetText() const;

    void showPopup() override;

signals:
    // Raised after every change made by the user, once the text has been
    // validated (and cleared when it did not fit).
    void Changed();
    // The box kept the focus because it is required and empty.
    void FocusHeld();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Required and exactly empty: the box keeps the focus.
    bool HoldsFocus() const;
    // The typed text as it may be inserted (refused characters dropped,
    // Hexa and Boolean upper-cased), given the box's current text.
    QString FilterTyped(const QString &typed) const;
    // A replacement for a key event whose text the filter changed, or null
    // when the event may pass unchanged. Sets refused when nothing remains.
    std::unique_ptr<QKeyEvent> FilteredKey(QKeyEvent *event, bool &refused) const;
    std::unique_ptr<QInputMethodEvent> FilteredInput(QInputMethodEvent *event) const;
    void Change();
    void QueueReclaim(Qt::FocusReason reason);
    void ReclaimFocus();
    void AttachLineEdit();
    // The edit-box style: the frame of a plain line edit around the whole
    // box, the edit field filling its inside.
    QStyleOptionFrame EditFrameOption() const;
    void PlaceSimpleEdit();

    int m_fieldType = ftdAlphaNumeric;
    bool m_required = false;
    TComboStyle m_style = csDropDown;
    int m_maxLength = 0;
    bool m_reclaimQueued = false;
};
