#pragma once

#include "execution/field_value.h"

#include <QList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
struct TCommandDefinition;

// The "Co&mmands" page's content: one label and one input control per
// command field, placed by the panel layout, then the command's notes.
// Controls are placed once per build; resizing does not rearrange them.
class TCommandInputPanel : public QWidget
{
    Q_OBJECT

public:
    static inline const QString NotesCaption = QStringLiteral("Notes");
    // Colour of a required field's label.
    static inline const QColor Maroon = QColor(128, 0, 0);

    explicit TCommandInputPanel(QWidget *parent = nullptr);

    // Frees the old controls and builds those of the definition for a page
    // of the given client width; the pickers start at now.
    void Build(const TCommandDefinition &definition, int clientWidth, int logicalDpi);
    void Clear();

    int FieldCount() const { return int(m_controls.size()); }
    QLabel *Label(int field) const { return m_labels.at(field); }
    // A TFieldTypeComboBox, a QDateEdit or a QTimeEdit.
    QWidget *Control(int field) const { return m_controls.at(field); }
    QLabel *NotesLabel() const { return m_notesLabel; }
    QPlainTextEdit *NotesMemo() const { return m_notesMemo; }

    // What the user entered, one input per field.
    QList<TFieldInput> Inputs() const;
    void FocusField(int field);

private:
    QWidget *CreateControl(const TCommandDefinition &definition, int field);

    QList<QLabel *> m_labels;
    QList<QWidget *> m_controls;
    QLabel *m_notesLabel = nullptr;
    QPlainTextEdit *m_notesMemo = nullptr;
};
