#include "widgets/field_type_combo_box.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTimer>
#include <QValidator>

namespace {

// Enforces the box's maximum length on user edits only. The line edit's own
// limit would also cut texts set by the program (a default text or a list
// item longer than the limit), which must be shown and sent whole.
class LengthLimit : public QValidator
{
public:
    LengthLimit(const TFieldTypeComboBox *box, QLineEdit *edit)
        : QValidator(edit)
        , FBox(box)
        , FAcceptedLength(edit->text().size())
    {
        // textChanged follows every accepted change, program-made or not.
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString &text) { FAcceptedLength = text.size(); });
    }

    State validate(QString &input, int &) const override
    {
        const int limit = FBox->GetMaxLength();
        // A text that grows past the limit is refused; one already beyond it
        // (set by the program) may still be shortened.
        if (limit > 0 && input.size() > limit && input.size() > FAcceptedLength)
            return Invalid;
        return Acceptable;
    }

private:
    const TFieldTypeComboBox *FBox;
    int FAcceptedLength;
};

bool hasCommandModifier(const QKeyEvent *event)
{
    return event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

} // namespace

TFieldTypeComboBox::TFieldTypeComboBox(QWidget *parent)
    : QComboBox(parent)
{
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
    FFldType = code;
    if (code == ftdBool)
        SetMaxLength(1);
}

void TFieldTypeComboBox::SetRequired(bool required)
{
    FRequired = required;
}

void TFieldTypeComboBox::SetStyle(TComboStyle style)
{
    FStyle = style;
    const bool editable = style != csDropDownList;
    if (editable != isEditable()) {
        setEditable(editable);
        if (editable)
            AttachLineEdit();
    }
    update();
}

void TFieldTypeComboBox::SetMaxLength(int length)
{
    FMaxLength = qMax(length, 0);
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
    if (FStyle != csSimple)
        QComboBox::showPopup();
}

void TFieldTypeComboBox::AttachLineEdit()
{
    QLineEdit *edit = lineEdit();
    edit->setValidator(new LengthLimit(this, edit));
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this] { Change(); });
}

QString TFieldTypeComboBox::FilterTyped(const QString &typed) const
{
    const QString current = GetText();
    QString accepted;
    for (char32_t key : typed.toUcs4()) {
        const char32_t passed = TFieldTypes::FilterKey(FFldType, key, QString(current + accepted));
        if (passed != 0)
            accepted += QString::fromUcs4(&passed, 1);
    }
    return accepted;
}

std::unique_ptr<QKeyEvent> TFieldTypeComboBox::FilteredKey(QKeyEvent *event, bool &refused) const
{
    refused = false;
    const QString typed = event->text();
    if (typed.isEmpty() || hasCommandModifier(event) || !TFieldTypes::IsFiltered(FFldType))
        return nullptr;
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
    if (committed.isEmpty() || !TFieldTypes::IsFiltered(FFldType))
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
    if (!TFieldTypes::IsValidText(FFldType, GetText())) {
        if (QLineEdit *edit = lineEdit())
            edit->clear();
        else
            setCurrentIndex(-1);
    }
    emit Changed();
}

bool TFieldTypeComboBox::HoldsFocus() const
{
    return FRequired && GetText().isEmpty();
}

bool TFieldTypeComboBox::focusNextPrevChild(bool next)
{
    if (HoldsFocus())
        return true;
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
    if (FReclaimQueued || !HoldsFocus())
        return;
    FReclaimQueued = true;
    QTimer::singleShot(0, this, &TFieldTypeComboBox::ReclaimFocus);
}

void TFieldTypeComboBox::ReclaimFocus()
{
    FReclaimQueued = false;
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
}

void TFieldTypeComboBox::paintEvent(QPaintEvent *event)
{
    if (FStyle != csSimple) {
        QComboBox::paintEvent(event);
        return;
    }
    // The edit-box style has no list, so it shows no arrow.
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.subControls &= ~QStyle::SC_ComboBoxArrow;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
}
