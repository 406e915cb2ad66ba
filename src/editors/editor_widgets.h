#pragma once

#include <QStringList>

class QDialog;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class TPrompts;

// Small pieces shared by the editor dialogs.
namespace EditorWidgets {

// A button with its caption and hint.
QPushButton *Button(const QString &name, const QString &caption, const QString &hint, QWidget *parent);
// A label whose accelerator focuses buddy.
QLabel *Label(const QString &caption, QWidget *buddy, QWidget *parent);
// A memo (TMemo) with its name and hint.
QPlainTextEdit *Memo(const QString &name, const QString &hint, QWidget *parent);
// The memo's lines; a final line break does not start another line.
QStringList Lines(const QPlainTextEdit *memo);
void SetLines(QPlainTextEdit *memo, const QStringList &lines);

// The Add, Modify, Remove and Close buttons of a record list editor.
struct TRecordButtons
{
    QPushButton *Add;
    QPushButton *Modify;
    QPushButton *Remove;
    QPushButton *Close;
};
// Lays out dialog as content above the row of record buttons, Close the
// default button; the three hints are those of Add, Modify and Remove.
TRecordButtons RecordButtons(QDialog *dialog, QWidget *content, const QString &addHint,
                             const QString &modifyHint, const QString &removeHint);

// The frame of a multi-line input (a memo, a check list) painted as that of
// a one-line edit box, in place of the scroll area's own: that one loses
// its top and left lines at fractional display scales, this one shows
// whole and looks like the dialog's edit boxes.
void PaintInputFrame(QWidget *input);

// Refuses what the user typed: the error box tells why, and the dialog
// stays open with the faulty input focused and its text selected.
void Refuse(TPrompts &prompts, QWidget *dialog, QWidget *input, const QString &message);

} // namespace EditorWidgets
