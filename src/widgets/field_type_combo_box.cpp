#include "widgets/field_type_combo_box.h"

#include "widgets/field_type_combo_box_accessible.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QValidator>

namespace {

// Checks the user's edits only; texts set by the program (a default text or
// a list item) are shown and sent whole, fitting or not.
class UserEditCheck : public QValidator
{
public:
    UserEditCheck(const TFieldTypeComboBox *box, QLineEdit *edit)
        : QValidator(edit)
        , m_box(box)
        , m_accepted(edit->text())
    {
        // textChanged follows every accepted change, program-made or not.
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString &text) { m_accepted = text; });
    }

    State validate(QString &input, int &) const override
    {
        // A text that grows past the limit is refused; one already beyond it
        // (set by the program) may still be shortened.
        const int limit = m_box->GetMaxLength();
        if (limit > 0 && input.size() > limit && input.size() > m_accepted.size())
            return Invalid;
        // A paste or drop with characters the type refuses is refused as a
        // whole, so what was typed stays. A text the program set that does
        // not fit is left to the box's validation, which clears it.
        const int type = m_box->GetFieldTypeCode();
        if (TFieldTypes::IsValidText(type, m_accepted) && !TFieldTypes::IsValidText(type, input))
            return Invalid;
        return Acceptable;
    }

private:
    const TFieldTypeComboBox *m_box;
    QString m_accepted;
};

// Whether the line edit inserts the key's text, by the test Qt's own line
// control applies. Editing keys and shortcuts insert nothing (Delete comes
// with 0x7F, Ctrl+A with 0x01) and pass unfiltered; AltGr arrives as
// Ctrl+Alt with a printable text, which is inserted and so is filtered.
bool insertsText(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    if (first.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return first.isPrint() || first.category() == QChar::Other_PrivateUse
           || (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate());
}

} // namespace

TFieldTypeComboBox::TFieldTypeComboBox(QWidget *parent)
    : QComboBox(parent)
{
    TFieldTypeComboBoxAccessible::Install();
    // Typed texts are values to send, never new list items.
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this] { Change(); });
    SetStyle(csDropDown);
}

void TFieldTypeComboBox::SetFieldType(TFldType type)
{
    SetFieldTypeCode(type);
}

void TFieldTypeComboBox::SetFieldTypeCode(int code)
{
    m_fieldType = code;
    if (code == ftdBool)
        SetMaxLength(1);
}

void TFieldTypeComboBox::SetRequired(bool required)
{
    m_required = required;
}

void TFieldTypeComboBox::SetStyle(TComboStyle style)
{
    m_style = style;
    const bool editable = style != csDropDownList;
    if (editable != isEditable()) {
        setEditable(editable);
        if (editable)
            AttachLineEdit();
    }
    if (QLineEdit *edit = lineEdit()) {
        // The edit field lets the frame's inner shading through, as a plain
        // line edit's text area does; other styles give it its own fill.
        QPalette palette;
        if (style == csSimple)
            palette.setBrush(QPalette::Base, Qt::transparent);
        edit->setPalette(palette);
    }
    PlaceSimpleEdit();
    update();
}

void TFieldTypeComboBox::SetMaxLength(int length)
{
    m_maxLength = qMax(length, 0);
}

void TFieldTypeComboBox::SetText(const QString &text)
{
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

QString TFieldTypeComboBox::GetText() const
{
    return currentText();
}

void TFieldTypeComboBox::showPopup()
{
    if (m_style != csSimple)
        QComboBox::showPopup();
}

void TFieldTypeComboBox::AttachLineEdit()
{
    QLineEdit *edit = lineEdit();
    edit->setValidator(new UserEditCheck(this, edit));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this] { Change(); });
}

QString TFieldTypeComboBox::FilterTyped(const QString &typed) const
{
    const QString current = GetText();
    QString accepted;
    for (char32_t key : typed.toUcs4()) {
        const char32_t passed = TFieldTypes::FilterKey(m_fieldType, key, QString(current + accepted));
        if (passed != 0)
            accepted += QString::fromUcs4(&passed, 1);
    }
    return accepted;
}

std::unique_ptr<QKeyEvent> TFieldTypeComboBox::FilteredKey(QKeyEvent *event, bool &refused) const
{
    refused = false;
    if (!TFieldTypes::IsFiltered(m_fieldType) || !insertsText(event))
        return nullptr;
    const QString typed = event->text();
    const QString accepted = FilterTyped(typed);
    if (accepted == typed)
        return nullptr;
    if (accepted.isEmpty()) {
        refused = true;
        return nullptr;
    }
    return std::make_unique<QKeyEvent>(event->type(), event->key(), event->modifiers(), accepted,
                                       event->isAutoRepeat(), event->count());
}

std::unique_ptr<QInputMethodEvent> TFieldTypeComboBox::FilteredInput(QInputMethodEvent *event) const
{
    const QString committed = event->commitString();
    if (committed.isEmpty() || !TFieldTypes::IsFiltered(m_fieldType))
        return nullptr;
    const QString accepted = FilterTyped(committed);
    if (accepted == committed)
        return nullptr;
    auto filtered = std::make_unique<QInputMethodEvent>(event->preeditString(), event->attributes());
    filtered->setCommitString(accepted, event->replacementStart(), event->replacementLength());
    return filtered;
}

void TFieldTypeComboBox::keyPressEvent(QKeyEvent *event)
{
    bool refused = false;
    const std::unique_ptr<QKeyEvent> replacement = FilteredKey(event, refused);
    if (refused) {
        event->accept();
        return;
    }
    if (!replacement) {
        QComboBox::keyPressEvent(event);
        return;
    }
    QComboBox::keyPressEvent(replacement.get());
    event->setAccepted(replacement->isAccepted());
}

void TFieldTypeComboBox::inputMethodEvent(QInputMethodEvent *event)
{
    const std::unique_ptr<QInputMethodEvent> replacement = FilteredInput(event);
    QComboBox::inputMethodEvent(replacement ? replacement.get() : event);
}

bool TFieldTypeComboBox::eventFilter(QObject *watched, QEvent *event)
{
    // Events delivered straight to the line edit get the same treatment as
    // those the combo box forwards to it.
    if (watched == lineEdit()) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            bool refused = false;
            const std::unique_ptr<QKeyEvent> replacement = FilteredKey(key, refused);
            if (refused)
                return true;
            if (replacement) {
                lineEdit()->event(replacement.get());
                return true;
            }
            break;
        }
        case QEvent::InputMethod: {
            const std::unique_ptr<QInputMethodEvent> replacement =
                FilteredInput(static_cast<QInputMethodEvent *>(event));
            if (replacement) {
                lineEdit()->event(replacement.get());
                return true;
            }
            break;
        }
        case QEvent::FocusOut:
            QueueReclaim(static_cast<QFocusEvent *>(event)->reason());
            break;
        default:
            break;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void TFieldTypeComboBox::Change()
{
    if (!TFieldTypes::IsValidText(m_fieldType, GetText())) {
        if (QLineEdit *edit = lineEdit())
            edit->clear();
        else
            setCurrentIndex(-1);
    }
    emit Changed();
}

bool TFieldTypeComboBox::HoldsFocus() const
{
    return m_required && GetText().isEmpty();
}

bool TFieldTypeComboBox::focusNextPrevChild(bool next)
{
    if (HoldsFocus()) {
        emit FocusHeld();
        return true;
    }
    return QComboBox::focusNextPrevChild(next);
}

void TFieldTypeComboBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    QueueReclaim(event->reason());
}

void TFieldTypeComboBox::QueueReclaim(Qt::FocusReason reason)
{
    // Switching to another application, opening a menu or this box's own
    // list is not leaving the box.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
        || reason == Qt::MenuBarFocusReason)
        return;
    if (m_reclaimQueued || !HoldsFocus())
        return;
    m_reclaimQueued = true;
    QTimer::singleShot(0, this, &TFieldTypeComboBox::ReclaimFocus);
}

void TFieldTypeComboBox::ReclaimFocus()
{
    m_reclaimQueued = false;
    if (!HoldsFocus() || !isVisible() || !isEnabled())
        return;
    QWidget *current = QApplication::focusWidget();
    if (!current || current == this || isAncestorOf(current) || current->window() != window())
        return;
    // Two empty required boxes would otherwise take the focus from each
    // other for ever.
    for (QWidget *widget = current; widget; widget = widget->parentWidget()) {
        const auto *box = qobject_cast<const TFieldTypeComboBox *>(widget);
        if (box && box->HoldsFocus())
            return;
    }
    setFocus(Qt::OtherFocusReason);
    emit FocusHeld();
}

QStyleOptionFrame TFieldTypeComboBox::EditFrameOption() const
{
    // As a plain line edit with its frame describes itself.
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (lineEdit() && lineEdit()->isReadOnly())
        option.state |= QStyle::State_ReadOnly;
    option.features = QStyleOptionFrame::None;
    return option;
}

void TFieldTypeComboBox::PlaceSimpleEdit()
{
    if (m_style != csSimple || !lineEdit())
        return;
    const QStyleOptionFrame option = EditFrameOption();
    lineEdit()->setGeometry(style()->subElementRect(QStyle::SE_LineEditContents, &option, this));
}

bool TFieldTypeComboBox::event(QEvent *event)
{
    const bool handled = QComboBox::event(event);
    // The combo box places its edit field beside the arrow whenever its
    // size, style or direction changes; the edit-box style has no arrow.
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::ApplicationLayoutDirectionChange:
        PlaceSimpleEdit();
        break;
    default:
        break;
    }
    return handled;
}

void TFieldTypeComboBox::paintEvent(QPaintEvent *event)
{
    if (m_style != csSimple) {
        QComboBox::paintEvent(event);
        return;
    }
    // The edit-box style has no list: it is drawn as a plain edit box.
    QPainter painter(this);
    const QStyleOptionFrame option = EditFrameOption();
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
}
