#include "cli/plan_junit.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace {

QString Seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 3);
}

QString CaseName(const TPlan::TStep &step, int index)
{
    return QStringLiteral("%1 %2").arg(index + 1, 3, 10, QLatin1Char('0')).arg(step.DisplayTitle());
}

}

QByteArray TPlanJUnit::Xml(const TPlan &plan, const QList<TStepResult> &results, const TPlanRun::TSummary &summary)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("testsuites"));
    writer.writeStartElement(QStringLiteral("testsuite"));
    writer.writeAttribute(QStringLiteral("name"), plan.Name);
    writer.writeAttribute(QStringLiteral("tests"), QString::number(plan.Steps.size()));
    writer.writeAttribute(QStringLiteral("failures"), QString::number(summary.Failed));
    writer.writeAttribute(QStringLiteral("errors"), QStringLiteral("0"));
    writer.writeAttribute(QStringLiteral("skipped"), QString::number(summary.NotRun));
    writer.writeAttribute(QStringLiteral("time"), Seconds(summary.ElapsedMs));
    writer.writeAttribute(QStringLiteral("file"), plan.FileName);
    for (int i = 0; i < plan.Steps.size(); ++i) {
        const TPlan::TStep &step = plan.Steps.at(i);
        const TStepResult *result = i < results.size() ? &results.at(i) : nullptr;
        writer.writeStartElement(QStringLiteral("testcase"));
        writer.writeAttribute(QStringLiteral("name"), CaseName(step, i));
        writer.writeAttribute(QStringLiteral("classname"), plan.Name);
        writer.writeAttribute(QStringLiteral("time"), Seconds(result ? result->ElapsedMs : 0));
        if (!result) {
            writer.writeEmptyElement(QStringLiteral("skipped"));
        } else if (!result->Passed()) {
            QStringList lines;
            for (const TStepResult::TFailure &failure : result->Failures)
                lines << failure.Text();
            writer.writeStartElement(QStringLiteral("failure"));
            writer.writeAttribute(QStringLiteral("message"), lines.first());
            writer.writeAttribute(QStringLiteral("type"), TRunOutcome::KindName(result->Outcome.kind));
            writer.writeCharacters(lines.join(QLatin1Char('\n')));
            writer.writeEndElement();
        }
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

bool TPlanJUnit::Write(const QString &fileName, const QByteArray &xml, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size() || !file.commit()) {
        *error = QCoreApplication::translate("TPlanJUnit", "cannot write the JUnit file %1: %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}
