#pragma once

#include "execution/field_value.h"
#include "execution/run_command.h"
#include "terminal_model/command_field.h"

#include <QList>
#include <QString>
#include <QStringList>

class TExtIniFile;

// A command as the terminal window reads it: the field table of its
// "Commands" value (read strictly), its port, the combo lines of its list
// fields and its notes.
struct TCommandDefinition {
    // Input controls the panel holds; fields beyond are left out.
    static constexpr int MaxFields = 70;

    QString key;   // the command section
    TCommandPort port = cpHostPort;
    QList<TCommandField> fields;
    int fileFieldCount = 0;   // whole records in the file, before the cut
    QList<QStringList> comboLines;   // per field; only list fields have lines
    QStringList notes;
    // "'<item>' is not a valid integer value" when the reading stopped at a
    // bad record; fields holds the records before it.
    QString error;

    static TCommandDefinition Load(const TExtIniFile &ini, const QString &section);

    bool IsCut() const { return fileFieldCount > fields.size(); }
    // A command read only in part would send the wrong frame.
    bool IsSendable() const { return error.isEmpty() && !fields.isEmpty(); }

    // What a freshly built control holds: the default text, or the first
    // combo line of a list field; pickers hold the given date and time.
    TFieldInput DefaultInput(int field, const QDate &date, const QTime &time) const;

    // Why the typed box would refuse this text for the field: characters
    // outside its text type, more than MaxLength characters, or nothing in
    // a required field. Empty when the text is acceptable.
    QString InputError(int field, const QString &text) const;

    // Why the entered value would not go out as entered: a required field
    // left empty, a default text or list line that does not fit the text
    // type, an amount or a number the field cannot hold. Names the field;
    // empty when the value fits.
    QString ValueError(int field, const TFieldInput &input) const;

    // "Field 2 (Amount): a text is required".
    QString RequiredText(int field) const;

    // "Field 2 (Amount)": the number from 1 and the caption without its
    // accelerator mark.
    QString FieldName(int field) const;

    // The command ready for the runner, one input per field; a field whose
    // value does not fit carries the reason as its refusal.
    TRunCommand RunCommand(const QList<TFieldInput> &inputs, int inputDateFormat) const;
};
