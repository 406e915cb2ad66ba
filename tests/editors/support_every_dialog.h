#pragma once

#include "editors/form_edit_answer_record.h"
#include "editors/form_edit_cmd_ans.h"
#include "editors/form_edit_command_record.h"
#include "editors/form_edit_fix_answer.h"
#include "editors/form_edit_fix_answer_record.h"
#include "editors/form_edit_return_code.h"
#include "editors/form_preferences.h"
#include "editors/form_rc_record.h"
#include "editors/form_test_fixed_answer.h"
#include "terminal_model/settings.h"
#include "terminal_window/form_overwrite_new_command.h"
#include "widgets/prompts.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

// Every dialog of the editors and the tree, opened as the program opens it,
// for the tests that go through all of them (header only: the tests that
// include it also link the terminal window).
namespace EveryDialog {

enum TKind {
    RcRecord,
    AnswerRecord,
    CommandRecord,
    FixAnswerRecord,
    Tester,
    Preferences,
    FieldsEditor,
    FixAnswerEditor,
    ReturnCodeEditor,
    OverwriteNewCommand,
    KindCount
};

inline const char *const KindNames[] = {"return code", "answer field", "command field", "fixed answer",
                                        "tester", "preferences", "fields editor", "fixed answers editor",
                                        "return codes editor", "overwrite or new"};

// The terminal file the three editors open.
inline const QByteArray File = "[General]\nProtocol=1\n\n[Groups]\nSales=\n\n[Sales]\nItem=\n\n"
                               "[SalesItem]\nCommands=0,\"Amount\",\"\",3,\"\",0,5,0,0,0,0,0\nAnswers=\"Total\",2,2\n\n"
                               "[FiscalAnswer]\nRecord1=1,1,0001,0001,\"Open\",clRed\n\n[Return codes]\nRC5=Five\n";

// The dialog of that kind; the editors open the file at path.
inline std::unique_ptr<QDialog> Make(int kind, const QString &path, TPrompts &prompts, TSettings &settings)
{
    TCommandField field;
    field.Caption = QStringLiteral("Amount");
    switch (kind) {
    case RcRecord:
        return std::make_unique<TFormRcRecord>(QStringLiteral("5"), QStringLiteral("Five"), prompts);
    case AnswerRecord:
        return std::make_unique<TFormEditAnswerRecord>(1, TAnswerField{QStringLiteral("Total"), 2, 2}, prompts);
    case CommandRecord:
        return std::make_unique<TFormEditCommandRecord>(1, field, QStringList(), QStringList(), prompts);
    case FixAnswerRecord:
        return std::make_unique<TFormEditFixAnswerRecord>(0x0000FF, QStringLiteral("Open"), QStringLiteral("0001"),
                                                          QStringLiteral("0001"), QStringLiteral("1"), prompts);
    case Tester:
        return std::make_unique<TFormTestFixedAnswer>();
    case Preferences:
        return std::make_unique<TFormPreferences>(settings, prompts, TPortComboBox::TSource());
    case FieldsEditor:
        return std::make_unique<TFormEditCmdAns>(path, QStringLiteral("SalesItem"), prompts);
    case FixAnswerEditor:
        return std::make_unique<TFormEditFixAnswer>(path, prompts);
    case ReturnCodeEditor:
        return std::make_unique<TFormEditReturnCode>(path, prompts);
    default:
        return std::make_unique<TFormOverwriteNewCommand>();
    }
}

} // namespace EveryDialog
