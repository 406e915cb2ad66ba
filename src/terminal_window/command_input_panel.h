#pragma once

#include "execution/command_definition.h"
#include "execution/command_value_store.h"
#include "execution/field_value.h"

#include <QList>
#include <QWidget>

class QKeySequence;
class QLabel;
class QPlainTextEdit;

// The "Co&mmands" page's content: one label and one input control per
// command field, placed by the panel layout, then the command's notes.
// Controls are placed once per build; resizing does not rearrange them.
// What the user entered is kept per command while the panel lives: a
// command shown again gets its values back unless its fields have changed.
class TCommandInputPanel : public QWidget
{
    Q_OBJECT

public:
    // English; shown translated.
    static inline const QString NotesCaption = QStringLiteral(QT_TRANSLATE_NOOP("TCommandInputPanel", "Notes"));
    // Colour of a required field's label.
    static inline const QColor Maroon = QColor(128, 0, 0);

    explicit TCommandInputPanel(QWidget *parent = nullptr);

    // Frees the old controls and builds those of the definition for a page
    // of the given client width; the pickers start at now unless the
    // command's values are kept.
    void Build(const TCommandDefinition &definition, int clientWidth, int logicalDpi);
    // Keeps the values of the command on display, then frees its controls.
    void Clear();
    // The command section `from` is now called `to`.
    void RenameSection(const QString &from, const QString &to);

    int FieldCount() const { return int(m_controls.size()); }
    QLabel *Label(int field) const { return m_labels.at(field); }
    // A TFieldTypeComboBox, a QDateEdit or a QTimeEdit.
    QWidget *Control(int field) const { return m_controls.at(field); }
    QLabel *NotesLabel() const { return m_notesLabel; }
    QPlainTextEdit *NotesMemo() const { return m_notesMemo; }

    // What the user entered, one input per field.
    QList<TFieldInput> Inputs() const;
    // Puts these values into the controls of the command on display, one
    // per field from the first; extra values are ignored.
    void SetInputs(const QList<TFieldInput> &inputs);
    void FocusField(int field);
    // The accelerators of the fields win over those of the given widget
    // (the page captions) while the panel is shown.
    void TakeAcceleratorsFrom(QWidget *widget);
    // Focuses the next field whose caption has this accelerator; false when
    // no field on display can take it.
    bool FocusAccelerator(const QKeySequence &key);

signals:
    // Why a required field keeps the focus, for the status bar.
    void StatusText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *CreateControl(const TCommandDefinition &definition, int field);
    void SetInput(int field, const TFieldInput &input);

    QList<QLabel *> m_labels;
    QList<QWidget *> m_controls;
    QLabel *m_notesLabel = nullptr;
    QPlainTextEdit *m_notesMemo = nullptr;
    TCommandDefinition m_shown;
    TCommandValueStore m_values;
};
