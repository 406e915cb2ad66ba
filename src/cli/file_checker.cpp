#include "cli/file_checker.h"

#include "terminal_model/answer_field.h"
#include "terminal_model/command_field.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/field_conversion.h"
#include "terminal_model/field_types.h"
#include "terminal_model/fixed_answer.h"
#include "terminal_model/return_codes.h"
#include "terminal_model/terminal_document.h"
#include "terminal_model/text_codec.h"
#include "terminal_model/value_list.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QStringConverter>
#include <QStringDecoder>

#include <algorithm>

namespace {

constexpr int MaxFields = 70;
constexpr int MaxTextLength = 35;      // captions and hints
constexpr int MaxPanelTextLength = 25;
constexpr int MaxReturnCode = 0xFFFF;  // a 16-bit word on the wire

const QString General = QStringLiteral("General");
const QString Groups = QStringLiteral("Groups");

using TProblems = QList<TFileChecker::TProblem>;

QString Decode(const QByteArray &data)
{
    if (const auto encoding = QStringConverter::encodingForData(data);
        encoding && *encoding != QStringConverter::Utf8) {
        QStringDecoder decoder(*encoding);
        return decoder.decode(data);
    }
    QString text = TTextCodec::Decode(data, TTextCodec::Detect(data));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// Sections and keys written twice: the reader takes the first and never
// sees the others.
void CheckRepeats(const QByteArray &data, TProblems &problems)
{
    const QStringList lines = Decode(data).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    QHash<QString, int> sectionLines;   // folded name -> line of its first header
    QHash<QString, int> keyLines;       // folded key of the current section -> line
    QString section;
    bool repeatedSection = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        const int number = i + 1;
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            if (close < 0)
                continue;
            section = line.mid(1, close - 1).trimmed();
            const QString folded = section.toLower();
            keyLines.clear();
            repeatedSection = sectionLines.contains(folded);
            if (repeatedSection)
                problems.append({section, QString(),
                                 QCoreApplication::translate("TFileChecker", "the section appears again at line %1 (first at line %2); "
                                                "its keys there are never read")
                                     .arg(number)
                                     .arg(sectionLines.value(folded))});
            else
                sectionLines.insert(folded, number);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || repeatedSection)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString folded = key.toLower();
        if (keyLines.contains(folded))
            problems.append({section, key,
                             QCoreApplication::translate("TFileChecker", "duplicate key at line %1 (first at line %2); only the first is read")
                                 .arg(number)
                                 .arg(keyLines.value(folded))});
        else
            keyLines.insert(folded, number);
    }
}

void CheckGeneral(const TExtIniFile &ini, TProblems &problems)
{
    struct TKey {
        const char *name;
        int max;
    };
    for (const TKey &key : {TKey{"Protocol", 1}, TKey{"InputDateFormat", 7}, TKey{"OutputDateFormat", 7}}) {
        const QString name = QLatin1String(key.name);
        if (!ini.ValueExists(General, name))
            continue;
        const QString value = ini.ReadString(General, name);
        bool ok = false;
        const int number = value.toInt(&ok, 10);
        if (!ok)
            problems.append({General, name, QCoreApplication::translate("TFileChecker", "'%1' is not a valid integer value; it reads as 0").arg(value)});
        else if (number < 0 || number > key.max)
            problems.append({General, name, QCoreApplication::translate("TFileChecker", "%1 is outside 0..%2").arg(number).arg(key.max)});
    }
}

void CheckName(const QString &section, const QString &name, const QString &what, TProblems &problems)
{
    if (name.size() > TTerminalDocument::MaxNameLength)
        problems.append({section, name, QCoreApplication::translate("TFileChecker", "the %1 name is longer than %2 characters")
                                            .arg(what)
                                            .arg(TTerminalDocument::MaxNameLength)});
    if (const QString bad = TTerminalDocument::CheckNameCharacters(name); !bad.isEmpty())
        problems.append({section, name, bad});
}

bool IsInteger(const QString &text)
{
    bool ok = false;
    text.toInt(&ok, 10);
    return ok;
}

void CheckLength(const QString &section, const QString &key, const QString &value, int limit,
                 TProblems &problems)
{
    if (value.size() > limit)
        problems.append({section, key, QCoreApplication::translate("TFileChecker", "the value has %1 characters, more than the %2 a reader takes")
                                           .arg(value.size())
                                           .arg(limit)});
}

// The character after the first single "&" of a caption, in upper case;
// "&&" stands for the "&" itself. Null without an accelerator.
QChar Accelerator(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) != QLatin1Char('&'))
            return caption.at(i + 1).toUpper();
        ++i;
    }
    return QChar();
}

// Alt and the letter of a field's caption move the focus to it; with two
// fields on one letter the key reaches only one at a time.
void CheckAccelerators(const QString &section, const QString &key, const QList<TCommandField> &fields,
                       TProblems &problems)
{
    QHash<QChar, int> first;
    const auto name = [&fields](int i) {
        return QCoreApplication::translate("TFileChecker", "field %1 (%2)").arg(i + 1).arg(QString(fields.at(i).Caption).remove(QLatin1Char('&')));
    };
    for (int i = 0; i < fields.size() && i < MaxFields; ++i) {
        const QChar letter = Accelerator(fields.at(i).Caption);
        if (letter.isNull())
            continue;
        if (!first.contains(letter)) {
            first.insert(letter, i);
            continue;
        }
        problems.append({section, key,
                         QCoreApplication::translate("TFileChecker", "%1: its accelerator Alt+%2 is already used by %3")
                             .arg(name(i), letter, name(first.value(letter))),
                         true});
    }
}

void CheckCommandFields(const TExtIniFile &ini, const QString &section, TProblems &problems)
{
    const QString key = QStringLiteral("Commands");
    const QString value = ini.ReadString(section, key);
    CheckLength(section, key, value, TExtIniFile::MaxListValueLength, problems);
    const QStringList items = TValueList::Split(value);
    const int count = int(items.size()) / TCommandField::AttributeCount;
    if (items.size() % TCommandField::AttributeCount != 0)
        problems.append({section, key, QCoreApplication::translate("TFileChecker", "%1 items do not make whole records of 12 values; "
                                                      "the last %2 are ignored")
                                           .arg(items.size())
                                           .arg(items.size() % TCommandField::AttributeCount)});
    if (count > MaxFields)
        problems.append({section, key, QCoreApplication::translate("TFileChecker", "%1 command fields, more than %2; the rest are left out")
                                           .arg(count)
                                           .arg(MaxFields)});
    QString error;
    ReadCommandFields(ini, section, TFieldReading::Strict, &error);
    if (!error.isEmpty())
        problems.append({section, key, error + QCoreApplication::translate("TFileChecker", "; the command cannot be sent")});

    static const char *const names[] = {"Mode", "Caption", "Hint", "TextType", "DefaultText", "ControlType",
                                        "MaxLength", "Required", "ReadOnly", "MinLength", "DecimalDigits",
                                        "AutoIncrement"};
    const QList<TCommandField> fields = TCommandField::Parse(value, TFieldReading::Lenient);
    for (int i = 0; i < count; ++i) {
        const QString where = QCoreApplication::translate("TFileChecker", "field %1: ").arg(i + 1);
        const auto item = [&](int attribute) { return items.at(i * TCommandField::AttributeCount + attribute); };
        for (int attribute : {6, 9, 10, 11}) {
            // Read as 0 when not a number.
            if (!IsInteger(item(attribute)))
                problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "%1 '%2' is not a valid integer value; it reads as 0")
                                                           .arg(QLatin1String(names[attribute]), item(attribute))});
        }
        const TCommandField &f = fields.at(i);
        if (IsInteger(item(0)) && f.Mode != 0 && f.Mode != 1)
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "Mode %1 is neither 0 (host) nor 1 (fiscal)").arg(f.Mode)});
        if (i > 0 && IsInteger(item(0)) && (f.Mode == 0) != (fields.first().Mode == 0))
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "Mode %1 differs from field 1, whose Mode decides the port")
                                                       .arg(f.Mode)});
        if (IsInteger(item(3)) && (f.TextType < 0 || f.TextType >= TFieldTypes::TextTypeCount))
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "TextType %1 is outside 0..9").arg(f.TextType)});
        if (IsInteger(item(5)) && (f.ControlType < 0 || f.ControlType >= TFieldTypes::ControlTypeCount))
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "ControlType %1 is outside 0..4").arg(f.ControlType)});
        if (f.Caption.size() > MaxTextLength)
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "the caption is longer than %1 characters").arg(MaxTextLength)});
        if (f.Hint.size() > MaxTextLength)
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "the hint is longer than %1 characters").arg(MaxTextLength)});
        if (f.MaxLength < 0 || f.MinLength < 0 || f.DecimalDigits < 0)
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "MaxLength, MinLength and DecimalDigits may not be negative")});
        const bool picker = f.ControlType == ctDate || f.ControlType == ctTime;
        const QString unfit =
            picker ? QString() : TFieldConversion::SendTextError(f.TextType, f.DefaultText, f.MinLength, f.DecimalDigits);
        if (!unfit.isEmpty())
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "the default text %1; Send refuses it until it is replaced")
                                                       .arg(unfit)});
        else if (!picker && f.MaxLength > 0 && f.DefaultText.size() > f.MaxLength)
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "the default text is longer than MaxLength %1").arg(f.MaxLength)});
    }
    CheckAccelerators(section, key, fields, problems);
}

void CheckAnswerFields(const TExtIniFile &ini, const QString &section, TProblems &problems)
{
    const QString key = QStringLiteral("Answers");
    const QString value = ini.ReadString(section, key);
    CheckLength(section, key, value, TExtIniFile::MaxListValueLength, problems);
    const QStringList items = TValueList::Split(value);
    const int count = int(items.size()) / TAnswerField::AttributeCount;
    if (items.size() % TAnswerField::AttributeCount != 0)
        problems.append({section, key, QCoreApplication::translate("TFileChecker", "%1 items do not make whole records of 3 values; "
                                                      "the last %2 are ignored")
                                           .arg(items.size())
                                           .arg(items.size() % TAnswerField::AttributeCount)});
    if (count > MaxFields)
        problems.append({section, key, QCoreApplication::translate("TFileChecker", "%1 answer fields, more than %2").arg(count).arg(MaxFields)});
    QString error;
    ReadAnswerFields(ini, section, TFieldReading::Strict, &error);
    if (!error.isEmpty())
        problems.append({section, key, error + QCoreApplication::translate("TFileChecker", "; later answer fields are shown unnamed")});
    const QList<TAnswerField> fields = TAnswerField::Parse(value, TFieldReading::Lenient);
    for (int i = 0; i < count; ++i) {
        const QString where = QCoreApplication::translate("TFileChecker", "answer field %1: ").arg(i + 1);
        const TAnswerField &f = fields.at(i);
        const QString decimals = items.at(i * TAnswerField::AttributeCount + 2);
        if (!IsInteger(decimals))
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "DecimalDigits '%1' is not a valid integer value; it reads as 0")
                                                       .arg(decimals)});
        if (IsInteger(items.at(i * TAnswerField::AttributeCount + 1))
            && (f.TextType < 0 || f.TextType >= TFieldTypes::TextTypeCount))
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "TextType %1 is outside 0..9").arg(f.TextType)});
        if (f.Caption.size() > MaxTextLength)
            problems.append({section, key, where + QCoreApplication::translate("TFileChecker", "the caption is longer than %1 characters").arg(MaxTextLength)});
    }
}

void CheckCommandSection(const TExtIniFile &ini, const QString &section, TProblems &problems)
{
    CheckCommandFields(ini, section, problems);
    CheckAnswerFields(ini, section, problems);
    for (const QString &key : ini.ReadSection(section)) {
        const bool listKey = key.compare(QStringLiteral("Notes"), Qt::CaseInsensitive) == 0
                             || key.startsWith(QStringLiteral("CL"), Qt::CaseInsensitive);
        if (listKey)
            CheckLength(section, key, ini.ReadString(section, key), TExtIniFile::MaxValueLength, problems);
    }
}

void CheckFixedAnswers(const TExtIniFile &ini, const QString &section, TProblems &problems)
{
    for (const QString &key : ini.ReadSection(section)) {
        const QString value = ini.ReadString(section, key);
        TFixedAnswer record;
        QString reason;
        if (!TFixedAnswer::Parse(value, &record, &reason))
            problems.append({section, key, QCoreApplication::translate("TFileChecker", "the record cannot be read: ") + reason});
        else if (record.Text.size() > MaxPanelTextLength)
            problems.append({section, key, QCoreApplication::translate("TFileChecker", "the text is longer than %1 characters").arg(MaxPanelTextLength)});
    }
}

void CheckReturnCodes(const TExtIniFile &ini, TProblems &problems)
{
    for (const QString &key : ini.ReadSection(ReturnCodesSection)) {
        int code = 0;
        if (!ParseReturnCodeKey(key, &code))
            problems.append({ReturnCodesSection, key,
                             QCoreApplication::translate("TFileChecker", "the key is not RC followed by a decimal return code")});
        else if (code < 0 || code > MaxReturnCode)
            problems.append({ReturnCodesSection, key,
                             QCoreApplication::translate("TFileChecker", "return code %1 is outside 0..%2").arg(code).arg(MaxReturnCode)});
        CheckLength(ReturnCodesSection, key, ini.ReadString(ReturnCodesSection, key), TExtIniFile::MaxValueLength,
                    problems);
    }
}

// Groups, their commands and the sections they own: every section name
// must belong to exactly one owner.
void CheckGroups(const TExtIniFile &ini, TProblems &problems)
{
    QHash<QString, QString> owners;   // folded section -> who owns it
    for (const QString &section : {General, QStringLiteral("Return code"), FiscalAnswerSection,
                                   PrinterAnswerSection, Groups, ReturnCodesSection})
        owners.insert(section.toLower(), QCoreApplication::translate("TFileChecker", "the [%1] section of the file").arg(section));
    const auto claim = [&](const QString &section, const QString &owner, const QString &inSection,
                           const QString &key) {
        const QString folded = section.toLower();
        if (owners.contains(folded)) {
            problems.append({inSection, key, QCoreApplication::translate("TFileChecker", "%1 would use the section [%2], which is %3")
                                                 .arg(owner, section, owners.value(folded))});
            return false;
        }
        owners.insert(folded, owner);
        return true;
    };

    const QStringList groups = ini.ReadSection(Groups);
    for (const QString &group : groups) {
        CheckName(Groups, group, QCoreApplication::translate("TFileChecker", "group"), problems);
        if (TTerminalDocument::IsReservedName(group)) {
            problems.append({Groups, group, QCoreApplication::translate("TFileChecker", "\"%1\" is a reserved name and cannot be a group").arg(group)});
            continue;
        }
        claim(group, QCoreApplication::translate("TFileChecker", "group \"%1\"").arg(group), Groups, group);
        if (!ini.SectionExists(group))
            problems.append({Groups, group, QCoreApplication::translate("TFileChecker", "the group has no section [%1]").arg(group)});
    }
    for (const QString &group : groups) {
        if (TTerminalDocument::IsReservedName(group) || !ini.SectionExists(group))
            continue;
        for (const QString &command : ini.ReadSection(group)) {
            CheckName(group, command, QCoreApplication::translate("TFileChecker", "command"), problems);
            const QString section = TTerminalDocument::CommandSection(group, command);
            if (!claim(section, QCoreApplication::translate("TFileChecker", "command \"%1/%2\"").arg(group, command), group, command))
                continue;
            if (!ini.SectionExists(section))
                problems.append({group, command, QCoreApplication::translate("TFileChecker", "the command has no section [%1]").arg(section)});
            else
                CheckCommandSection(ini, section, problems);
        }
    }
}

}

QList<TFileChecker::TProblem> TFileChecker::Check(const TExtIniFile &ini, const QByteArray &data)
{
    TProblems problems;
    CheckRepeats(data, problems);
    CheckGeneral(ini, problems);
    CheckFixedAnswers(ini, FiscalAnswerSection, problems);
    CheckFixedAnswers(ini, PrinterAnswerSection, problems);
    CheckReturnCodes(ini, problems);
    if (!ini.SectionExists(Groups))
        problems.append({Groups, QString(), QCoreApplication::translate("TFileChecker", "the file has no [Groups] section: it holds no commands")});
    CheckGroups(ini, problems);
    return problems;
}

bool TFileChecker::IsClean(const QList<TProblem> &problems)
{
    return std::all_of(problems.cbegin(), problems.cend(), [](const TProblem &p) { return p.warning; });
}

QString TFileChecker::Text(const QList<TProblem> &problems)
{
    QString text;
    for (const TProblem &p : problems) {
        text += QLatin1Char('[') + p.section + QLatin1Char(']');
        if (!p.key.isEmpty())
            text += QLatin1Char(' ') + p.key;
        text += QStringLiteral(": ")
            + (p.warning ? QCoreApplication::translate("TFileChecker", "warning: ") : QString()) + p.message
            + QLatin1Char('\n');
    }
    return text;
}

QJsonObject TFileChecker::Json(const QString &fileName, const QList<TProblem> &problems)
{
    // Warnings have an array of their own: a reader that fails a file on
    // any entry of "problems" still passes a clean one.
    QJsonArray errors;
    QJsonArray warnings;
    for (const TProblem &p : problems)
        (p.warning ? warnings : errors)
            .append(QJsonObject{{QStringLiteral("section"), p.section},
                                {QStringLiteral("key"), p.key},
                                {QStringLiteral("message"), p.message}});
    return QJsonObject{{QStringLiteral("file"), fileName},
                       {QStringLiteral("clean"), errors.isEmpty()},
                       {QStringLiteral("problems"), errors},
                       {QStringLiteral("warnings"), warnings}};
}
