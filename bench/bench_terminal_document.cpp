// Prints how long the terminal file layer takes on a large generated file:
// 1,000 groups of 20 commands (about 2 MB) plus one group of 500 commands.

#include "terminal_model/answer_field.h"
#include "terminal_model/command_field.h"
#include "terminal_model/terminal_document.h"
#include "terminal_model/value_list.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

QByteArray CommandSection(const QString &section, int index)
{
    const QString commands = QStringLiteral(
        "0,\"&Kind\",\"Kind\",3,\"%1\",2,2,0,0,0,0,0")
                                 .arg(index % 3 + 1);
    QString text = QLatin1Char('[') + section + QStringLiteral("]\r\nCommands=") + commands
                   + QStringLiteral("\r\nAnswers=\"Total\",2,2\r\nCL1=\"1,2,3\"\r\n\r\n");
    return text.toUtf8();
}

QByteArray Generate(int groups, int commandsPerGroup, int bigGroupCommands)
{
    QByteArray data = "[General]\r\nProtocol=1\r\nInputDateFormat=0\r\nOutputDateFormat=0\r\n\r\n[Groups]\r\n";
    for (int g = 0; g < groups; ++g)
        data += "Group" + QByteArray::number(g) + "=\r\n";
    data += "Big=\r\n\r\n";
    const auto group = [&data](const QString &name, int count) {
        data += '[' + name.toUtf8() + "]\r\n";
        for (int c = 0; c < count; ++c)
            data += "Command" + QByteArray::number(c) + "=\r\n";
        data += "\r\n";
        for (int c = 0; c < count; ++c)
            data += CommandSection(name + QStringLiteral("Command") + QString::number(c), c);
    };
    for (int g = 0; g < groups; ++g)
        group(QStringLiteral("Group") + QString::number(g), commandsPerGroup);
    group(QStringLiteral("Big"), bigGroupCommands);
    return data;
}

void Print(const char *what, qint64 nanoseconds)
{
    std::printf("%-55s %9.1f ms\n", what, double(nanoseconds) / 1e6);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString path = dir.filePath(QStringLiteral("large.tsy"));
    const QByteArray data = Generate(1000, 20, 500);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return 1;
    file.close();
    std::printf("generated file: %.2f MB, %d commands\n", double(data.size()) / (1024 * 1024), 1000 * 20 + 500);

    QElapsedTimer timer;
    timer.start();
    TTerminalDocument document;
    if (!document.Load(path))
        return 1;
    int commands = 0;
    for (const QString &group : document.Groups())
        commands += int(document.Commands(group).size());
    Print("load and list every command", timer.nsecsElapsed());

    timer.restart();
    int fields = 0;
    for (const QString &group : document.Groups()) {
        for (const QString &command : document.Commands(group)) {
            const QString section = TTerminalDocument::CommandSection(group, command);
            QString error;
            const auto commandFields = ReadCommandFields(document.Ini(), section, TFieldReading::Strict, &error);
            fields += int(commandFields.size());
            fields += int(ReadAnswerFields(document.Ini(), section, TFieldReading::Strict, &error).size());
            for (int n = 1; n <= commandFields.size(); ++n)
                fields += int(TValueList::ReadComboLines(document.Ini(), section, n).size());
            fields += int(TValueList::ReadNotes(document.Ini(), section).size());
        }
    }
    Print("read every command's fields, combo lines and notes", timer.nsecsElapsed());

    timer.restart();
    const auto result = document.RenameGroup(QStringLiteral("Big"), QStringLiteral("Renamed"));
    Print("rename a group of 500 commands (one write)", timer.nsecsElapsed());
    if (!result.Ok) {
        std::printf("rename failed: %s\n", qPrintable(result.Message));
        return 1;
    }
    std::printf("(%d commands listed, %d items read)\n", commands, fields);
    return 0;
}
