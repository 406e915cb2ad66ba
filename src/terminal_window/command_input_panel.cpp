#include "terminal_window/command_input_panel.h"

#include "execution/command_definition.h"
#include "execution/command_panel_layout.h"
#include "widgets/accessible_text.h"
#include "widgets/field_type_combo_box.h"
#include "widgets/hint_text.h"

#include <QApplication>
#include <QDateEdit>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcutEvent>
#include <QTimeEdit>

TCommandInputPanel::TCommandInputPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CommandInputPanel"));
}

void TCommandInputPanel::Clear()
{
    m_values.Keep(m_shown, Inputs());
    m_shown = TCommandDefinition();
    // Hidden while it changes, so it is never shown half-empty.
    setUpdatesEnabled(false);
    for (int i = 0; i < m_controls.size(); ++i) {
        delete m_controls.at(i);
        delete m_labels.at(i);
    }
    m_controls.clear();
    m_labels.clear();
    delete m_notesMemo;
    delete m_notesLabel;
    m_notesMemo = nullptr;
    m_notesLabel = nullptr;
    setMinimumSize(0, 0);
    setUpdatesEnabled(true);
}

void TCommandInputPanel::RenameSection(const QString &from, const QString &to)
{
    m_values.Rename(from, to);
    if (m_shown.key == from)
        m_shown.key = to;
}

QWidget *TCommandInputPanel::CreateControl(const TCommandDefinition &definition, int field)
{
    const TCommandField &f = definition.fields.at(field);
    switch (f.ControlType) {
    case ctDate: {
        auto *picker = new QDateEdit(QDate::currentDate(), this);
        picker->setCalendarPopup(true);
        return picker;
    }
    case ctTime: {
        auto *picker = new QTimeEdit(QTime::currentTime(), this);
        picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        return picker;
    }
    default:
        break;
    }
    // Control types without a control of their own are built as Simple.
    auto *box = new TFieldTypeComboBox(this);
    const bool list = f.ControlType == ctDropDown || f.ControlType == ctDropDownList;
    box->SetStyle(f.ControlType == ctDropDown       ? TFieldTypeComboBox::csDropDown
                  : f.ControlType == ctDropDownList ? TFieldTypeComboBox::csDropDownList
                                                    : TFieldTypeComboBox::csSimple);
    box->SetFieldTypeCode(f.TextType);
    box->SetText(f.DefaultText);
    box->SetMaxLength(f.MaxLength);
    box->SetRequired(f.Required);
    if (list) {
        box->addItems(definition.comboLines.value(field));
        if (box->count() > 0)
            box->setCurrentIndex(0);
    }
    connect(box, &TFieldTypeComboBox::FocusHeld, this, [this, box, field] {
        emit StatusText(m_shown.ValueError(field, {box->GetText(), {}, {}}));
    });
    return box;
}

void TCommandInputPanel::SetInput(int field, const TFieldInput &input)
{
    QWidget *control = m_controls.at(field);
    if (auto *box = qobject_cast<TFieldTypeComboBox *>(control))
        box->SetText(input.text);
    else if (auto *date = qobject_cast<QDateEdit *>(control))
        date->setDate(input.date);
    else if (auto *time = qobject_cast<QTimeEdit *>(control))
        time->setTime(input.time);
}

void TCommandInputPanel::SetInputs(const QList<TFieldInput> &inputs)
{
    for (int i = 0; i < qMin(inputs.size(), m_controls.size()); ++i)
        SetInput(i, inputs.at(i));
}

void TCommandInputPanel::Build(const TCommandDefinition &definition, int clientWidth, int logicalDpi)
{
    Clear();
    setUpdatesEnabled(false);
    const TCommandPanelLayout layout = TCommandPanelLayout::Compute(
        clientWidth, logicalDpi, int(definition.fields.size()), int(definition.notes.size()));
    QRect used;
    for (int i = 0; i < definition.fields.size(); ++i) {
        const TCommandField &f = definition.fields.at(i);
        auto *label = new QLabel(f.Caption, this);
        label->move(layout.fields.at(i).label);
        label->adjustSize();
        QWidget *control = CreateControl(definition, i);
        control->setObjectName(QStringLiteral("Control%1").arg(i + 1));
        control->setGeometry(layout.fields.at(i).control);
        if (f.ReadOnly) {
            control->setEnabled(false);
            // Greyed, yet its text stays readable: it is still sent.
            QPalette palette = control->palette();
            palette.setColor(QPalette::Disabled, QPalette::Base, palette.color(QPalette::Disabled, QPalette::Window));
            control->setPalette(palette);
        }
        label->setBuddy(control);
        if (f.Required) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, Maroon);
            label->setPalette(palette);
        }
        // A hint "short|long": the long part goes to the main window's status bar.
        control->setToolTip(HintText::ShortHint(f.Hint));
        control->setStatusTip(HintText::LongHint(f.Hint));
        AccessibleText::Describe(control, label->text(), HintText::LongHint(f.Hint));
        label->show();
        control->show();
        used |= label->geometry() | control->geometry();
        m_labels << label;
        m_controls << control;
    }
    if (layout.hasNotes) {
        m_notesLabel = new QLabel(tr(NotesCaption.toUtf8().constData()), this);
        m_notesLabel->move(layout.notesLabel);
        m_notesLabel->adjustSize();
        m_notesMemo = new QPlainTextEdit(this);
        m_notesMemo->setObjectName(QStringLiteral("MemoNotes"));
        m_notesMemo->setGeometry(layout.notesMemo);
        m_notesMemo->setPlainText(definition.notes.join(QLatin1Char('\n')));
        m_notesMemo->setEnabled(false);
        m_notesLabel->setBuddy(m_notesMemo);
        AccessibleText::Describe(m_notesMemo, m_notesLabel->text());
        m_notesLabel->show();
        m_notesMemo->show();
        used |= m_notesLabel->geometry() | m_notesMemo->geometry();
    }
    m_shown = definition;
    const QList<TFieldInput> kept = m_values.Values(definition);
    for (int i = 0; i < kept.size(); ++i)
        SetInput(i, kept.at(i));
    // The scroll box scrolls when the controls do not fit.
    setMinimumSize(used.right() + TCommandPanelLayout::LeftMargin, used.bottom() + TCommandPanelLayout::FirstTop);
    setUpdatesEnabled(true);
}

QList<TFieldInput> TCommandInputPanel::Inputs() const
{
    QList<TFieldInput> inputs;
    for (QWidget *control : m_controls) {
        TFieldInput input;
        if (auto *box = qobject_cast<TFieldTypeComboBox *>(control))
            input.text = box->GetText();
        else if (auto *date = qobject_cast<QDateEdit *>(control))
            input.date = date->date();
        else if (auto *time = qobject_cast<QTimeEdit *>(control))
            input.time = time->time();
        inputs << input;
    }
    return inputs;
}

void TCommandInputPanel::FocusField(int field)
{
    if (field >= 0 && field < m_controls.size() && m_controls.at(field)->isEnabled())
        m_controls.at(field)->setFocus(Qt::OtherFocusReason);
}

void TCommandInputPanel::TakeAcceleratorsFrom(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool TCommandInputPanel::FocusAccelerator(const QKeySequence &key)
{
    QList<QWidget *> matches;
    for (int i = 0; i < m_controls.size(); ++i)
        if (m_controls.at(i)->isEnabled() && m_labels.at(i)->isVisible()
            && QKeySequence::mnemonic(m_labels.at(i)->text()) == key)
            matches << m_controls.at(i);
    if (matches.isEmpty())
        return false;
    // Pressed again, the key moves on to the next field that has it.
    const QWidget *focus = QApplication::focusWidget();
    qsizetype current = -1;
    for (qsizetype i = 0; i < matches.size(); ++i)
        if (focus && (matches.at(i) == focus || matches.at(i)->isAncestorOf(focus)))
            current = i;
    matches.at((current + 1) % matches.size())->setFocus(Qt::ShortcutFocusReason);
    return true;
}

bool TCommandInputPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Shortcut && isVisible()
        && FocusAccelerator(static_cast<QShortcutEvent *>(event)->key()))
        return true;
    return QWidget::eventFilter(watched, event);
}
