#include "execution/plan_expectations.h"

#include "terminal_model/text_codec.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

QString NoAnswer()
{
    return QCoreApplication::translate("TPlanExpectations", "no answer");
}

bool PanelShown(const TAnswerPage &page, const QString &text)
{
    for (const QList<TFixedAnswerTable::TPanel> *panels : {&page.fiscalPanels, &page.printerPanels})
        for (const TFixedAnswerTable::TPanel &panel : *panels)
            if (panel.shown && panel.text.compare(text, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

QString ShownPanels(const TAnswerPage &page)
{
    QStringList texts;
    for (const QList<TFixedAnswerTable::TPanel> *panels : {&page.fiscalPanels, &page.printerPanels})
        for (const TFixedAnswerTable::TPanel &panel : *panels)
            if (panel.shown)
                texts << panel.text;
    return texts.isEmpty() ? QCoreApplication::translate("TPlanExpectations", "no panel") : texts.join(QStringLiteral(", "));
}

QString RangeText(const TPlan::TExpectation &e)
{
    return (e.HasMin ? QString::number(e.Min) : QString()) + QStringLiteral(" .. ")
           + (e.HasMax ? QString::number(e.Max) : QString());
}

QString Quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

}

const TAnswerRow *TPlanExpectations::Row(const TAnswerPage &page, const QString &label)
{
    for (const TAnswerRow &row : page.rows)
        if (!row.undefined && !row.returnCode && QStringView(row.label).trimmed().compare(label, Qt::CaseInsensitive) == 0)
            return &row;
    return nullptr;
}

// The expectations are named by their keys in the plan, which stay English.
QList<TStepResult::TFailure> TPlanExpectations::Evaluate(const TPlan::TStep &step, const TRunOutcome &outcome,
                                                         const TAnswerPage *page, const TPlanValues &kept)
{
    QList<TStepResult::TFailure> failures;
    const QString actualOutcome = TRunOutcome::KindName(outcome.kind);
    const auto fail = [&failures](const QString &what, const QString &expected, const QString &actual, int line) {
        failures.append({what, expected, actual, line});
    };
    if (!step.ExpectsOutcome() && outcome.kind != TRunOutcome::Answer && outcome.kind != TRunOutcome::Ack)
        fail(QStringLiteral("Outcome"), QCoreApplication::translate("TPlanExpectations", "answer or ack"), actualOutcome, step.CommandLine);

    for (const TPlan::TExpectation &e : step.Expectations) {
        QString expected;
        QString missing;
        if (!kept.Expand(e.Text, &expected, &missing)) {
            fail(QCoreApplication::translate("TPlanExpectations", "Kept value"), Quoted(missing), QCoreApplication::translate("TPlanExpectations", "nothing kept"), e.Line);
            continue;
        }
        switch (e.Kind) {
        case TPlan::TExpectationKind::Outcome:
            if (outcome.kind != e.Outcome)
                fail(QStringLiteral("Outcome"), TRunOutcome::KindName(e.Outcome), actualOutcome, e.Line);
            break;
        case TPlan::TExpectationKind::ReturnCode:
            if (!page)
                fail(QStringLiteral("Return code"), expected, NoAnswer(), e.Line);
            else if (int(outcome.answer.returnCode) != e.Number)
                fail(QStringLiteral("Return code"), expected == QString::number(e.Number) ? expected
                                                                              : QStringLiteral("%1 (%2)").arg(e.Number).arg(expected),
                     QString::number(outcome.answer.returnCode), e.Line);
            break;
        case TPlan::TExpectationKind::Shown:
            if (!page || !PanelShown(*page, expected))
                fail(QStringLiteral("Shown"), Quoted(expected), page ? ShownPanels(*page) : NoAnswer(), e.Line);
            break;
        case TPlan::TExpectationKind::NotShown:
            if (!page)
                fail(QStringLiteral("Not shown"), Quoted(expected), NoAnswer(), e.Line);
            else if (PanelShown(*page, expected))
                fail(QStringLiteral("Not shown"), QCoreApplication::translate("TPlanExpectations", "not %1").arg(Quoted(expected)), ShownPanels(*page), e.Line);
            break;
        case TPlan::TExpectationKind::FieldEquals:
        case TPlan::TExpectationKind::FieldMatches:
        case TPlan::TExpectationKind::FieldRange: {
            // Named only when it fails: a long plan passes thousands.
            const auto what = [&e] {
                return (e.Kind == TPlan::TExpectationKind::FieldEquals     ? QStringLiteral("Field %1")
                        : e.Kind == TPlan::TExpectationKind::FieldMatches ? QStringLiteral("Pattern %1")
                                                                          : QStringLiteral("Range %1"))
                    .arg(e.Subject);
            };
            const auto shownExpected = [&e, &expected] {
                return e.Kind == TPlan::TExpectationKind::FieldRange ? RangeText(e) : expected;
            };
            const TAnswerRow *row = page ? Row(*page, e.Subject) : nullptr;
            if (!page) {
                fail(what(), shownExpected(), NoAnswer(), e.Line);
                break;
            }
            if (!row) {
                fail(what(), shownExpected(), QCoreApplication::translate("TPlanExpectations", "no such field in the answer"), e.Line);
                break;
            }
            if (e.Kind == TPlan::TExpectationKind::FieldEquals) {
                if (row->text != expected)
                    fail(what(), expected, row->text, e.Line);
            } else if (e.Kind == TPlan::TExpectationKind::FieldMatches) {
                const QRegularExpression pattern(QRegularExpression::anchoredPattern(expected));
                if (!pattern.isValid())
                    fail(what(), expected, QCoreApplication::translate("TPlanExpectations", "not a valid pattern: %1").arg(pattern.errorString()), e.Line);
                else if (!pattern.match(row->text).hasMatch())
                    fail(what(), expected, row->text, e.Line);
            } else {
                double value = 0;
                if (!TPlan::Number(row->text, &value))
                    fail(what(), shownExpected(), QCoreApplication::translate("TPlanExpectations", "%1, not a number").arg(Quoted(row->text)), e.Line);
                else if ((e.HasMin && value < e.Min) || (e.HasMax && value > e.Max))
                    fail(what(), shownExpected(), row->text, e.Line);
            }
            break;
        }
        case TPlan::TExpectationKind::FiscalEquals:
        case TPlan::TExpectationKind::FiscalMatches: {
            const QString what = (e.Kind == TPlan::TExpectationKind::FiscalEquals ? QStringLiteral("Fiscal answer %1")
                                                                                 : QStringLiteral("Fiscal pattern %1"))
                                     .arg(e.Number);
            if (e.Number > outcome.fiscalAnswers.size()) {
                fail(what, expected, QCoreApplication::translate("TPlanExpectations", "%1 answers").arg(outcome.fiscalAnswers.size()), e.Line);
                break;
            }
            const QString text = TTextCodec::DecodeWindows1252(outcome.fiscalAnswers.at(e.Number - 1));
            if (e.Kind == TPlan::TExpectationKind::FiscalEquals) {
                if (text != expected)
                    fail(what, expected, text, e.Line);
            } else {
                const QRegularExpression pattern(QRegularExpression::anchoredPattern(expected));
                if (!pattern.isValid())
                    fail(what, expected, QCoreApplication::translate("TPlanExpectations", "not a valid pattern: %1").arg(pattern.errorString()), e.Line);
                else if (!pattern.match(text).hasMatch())
                    fail(what, expected, text, e.Line);
            }
            break;
        }
        case TPlan::TExpectationKind::FiscalCount:
            if (outcome.fiscalAnswers.size() != e.Number)
                fail(QStringLiteral("Fiscal answers"), QString::number(e.Number), QString::number(outcome.fiscalAnswers.size()), e.Line);
            break;
        }
    }
    return failures;
}

QList<TStepResult::TFailure> TPlanExpectations::Keep(const TPlan::TStep &step, const TAnswerPage *page,
                                                     TPlanValues *kept)
{
    QList<TStepResult::TFailure> failures;
    for (const TPlan::TKeep &keep : step.Keeps) {
        const TAnswerRow *row = page ? Row(*page, keep.Field) : nullptr;
        if (row)
            kept->Keep(keep.Name, row->text);
        else
            failures.append({QStringLiteral("Keep %1").arg(keep.Field), QCoreApplication::translate("TPlanExpectations", "a value for \"%1\"").arg(keep.Name),
                             page ? QCoreApplication::translate("TPlanExpectations", "no such field in the answer") : NoAnswer(), keep.Line});
    }
    return failures;
}
