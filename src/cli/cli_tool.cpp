#include "cli/cli_tool.h"

#include "cli/cli_port_options.h"
#include "cli/cli_sender.h"
#include "cli/file_checker.h"
#include "cli/file_inspector.h"
#include "cli/port_list.h"
#include "cli/interrupt_watcher.h"
#include "cli/plan_junit.h"
#include "cli/plan_report.h"
#include "cli/send_inputs.h"
#include "cli/send_report.h"
#include "execution/plan_checker.h"
#include "execution/plan_reader.h"
#include "execution/plan_run.h"
#include "terminal_model/settings.h"
#include "terminal_model/terminal_document.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>

namespace {

const QString Program = QStringLiteral("tessaly-cli");

QString Usage()
{
    return QCoreApplication::translate("TCliTool",
    "Usage: tessaly-cli COMMAND FILE [ARGUMENTS] [OPTIONS]\n"
    "\n"
    "Runs the commands of a terminal file, or a test plan, from the shell.\n"
    "\n"
    "Commands:\n"
    "  list FILE.tsy                   groups and commands in file order\n"
    "  show FILE.tsy GROUP/COMMAND     the fields and answer fields of a command\n"
    "  check FILE.tsy                  every problem a reader of the file would meet\n"
    "  check PLAN.plan                 every problem of a plan against its terminal file\n"
    "  send FILE.tsy GROUP/COMMAND     send a command and print its outcome\n"
    "  ports                           the serial devices of this system\n"
    "  run PLAN.plan                   run a test plan and print each step's result\n"
    "\n"
    "Run \"tessaly-cli COMMAND --help\" for the options of a command.\n"
    "\n"
    "Options:\n"
    "  -h, --help       show this help\n"
    "  -v, --version    show the version\n"
    "      --lang LANG  language of the texts: en (English) or es (Spanish)\n");
}

struct TStreams {
    QTextStream &out;
    QTextStream &err;

    int Fail(const QString &message, int status = TCliTool::ExitError)
    {
        err << Program << ": " << message << '\n';
        err.flush();
        return status;
    }
};

void PrintJson(QTextStream &out, const QJsonObject &json)
{
    out << QJsonDocument(json).toJson(QJsonDocument::Indented);
    out.flush();
}

QCommandLineOption JsonOption()
{
    return QCommandLineOption(QStringLiteral("json"), QCoreApplication::translate("TCliTool", "Print one JSON object instead of text."));
}

QCommandLineOption HelpOption()
{
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QCoreApplication::translate("TCliTool", "Show this help."));
}

// Parses the options of one command; false when the caller is done (help
// printed or an error reported), *status then holds the exit status.
bool Parse(QCommandLineParser &parser, const QString &command, const QStringList &arguments,
           int positionals, TStreams &streams, int *status)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(HelpOption());
    if (!parser.parse(QStringList{Program + QLatin1Char(' ') + command} + arguments)) {
        *status = streams.Fail(parser.errorText() + QCoreApplication::translate("TCliTool", " (see tessaly-cli %1 --help)").arg(command));
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // The parser names the program by its path; the usage line names the command.
        QString help = parser.helpText();
        const qsizetype options = help.indexOf(QLatin1Char(' ') + QCoreApplication::translate("QCommandLineParser", "[options]"));
        if (help.startsWith(QCoreApplication::translate("QCommandLineParser", "Usage: %1").arg(QString())) && options > 0)
            help.replace(0, options, QCoreApplication::translate("QCommandLineParser", "Usage: %1").arg(QString()) + Program + QLatin1Char(' ') + command);
        streams.out << help;
        streams.out.flush();
        *status = TCliTool::ExitOk;
        return false;
    }
    if (parser.positionalArguments().size() != positionals) {
        *status = streams.Fail(QCoreApplication::translate("TCliTool", "%1 takes %2 argument%3 (see tessaly-cli %1 --help)")
                                   .arg(command)
                                   .arg(positionals)
                                   .arg(positionals == 1 ? QString() : QStringLiteral("s")));
        return false;
    }
    return true;
}

bool LoadDocument(const QString &fileName, TTerminalDocument &document, TStreams &streams, int *status)
{
    if (!QFile::exists(fileName)) {
        *status = streams.Fail(QCoreApplication::translate("TCliTool", "%1: no such file").arg(fileName));
        return false;
    }
    if (!document.Load(fileName)) {
        *status = streams.Fail(QCoreApplication::translate("TCliTool", "%1: %2").arg(fileName, document.LastError()));
        return false;
    }
    return true;
}

bool FindCommand(const TTerminalDocument &document, const QString &path,
                 TFileInspector::TCommandPath *found, TStreams &streams, int *status)
{
    *found = TFileInspector::FindCommand(document, path);
    if (!found->found) {
        *status = streams.Fail(QCoreApplication::translate("TCliTool", "%1: no command \"%2\" (GROUP/COMMAND; see tessaly-cli list)")
                                   .arg(document.FileName(), path));
        return false;
    }
    return true;
}

int List(const QStringList &arguments, TStreams &streams)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("TCliTool", "Lists the groups and commands of a terminal file in file "
                                                    "order, each command with its port and its numbers of "
                                                    "command and answer fields."));
    parser.addOption(JsonOption());
    parser.addPositionalArgument(QStringLiteral("FILE.tsy"), QCoreApplication::translate("TCliTool", "The terminal file."));
    int status = TCliTool::ExitOk;
    if (!Parse(parser, QStringLiteral("list"), arguments, 1, streams, &status))
        return status;
    TTerminalDocument document;
    if (!LoadDocument(parser.positionalArguments().at(0), document, streams, &status))
        return status;
    if (parser.isSet(QStringLiteral("json")))
        PrintJson(streams.out, TFileInspector::ListJson(document));
    else
        streams.out << TFileInspector::ListText(document);
    return TCliTool::ExitOk;
}

int Show(const QStringList &arguments, TStreams &streams)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("TCliTool", "Shows a command's fields (all 12 attributes, combo lines, "
                                                    "notes) and answer fields, read the way the terminal window "
                                                    "reads them. Exit status 1 when the command cannot be read "
                                                    "in full."));
    parser.addOption(JsonOption());
    parser.addPositionalArgument(QStringLiteral("FILE.tsy"), QCoreApplication::translate("TCliTool", "The terminal file."));
    parser.addPositionalArgument(QStringLiteral("GROUP/COMMAND"), QCoreApplication::translate("TCliTool", "The command."));
    int status = TCliTool::ExitOk;
    if (!Parse(parser, QStringLiteral("show"), arguments, 2, streams, &status))
        return status;
    TTerminalDocument document;
    TFileInspector::TCommandPath path;
    if (!LoadDocument(parser.positionalArguments().at(0), document, streams, &status)
        || !FindCommand(document, parser.positionalArguments().at(1), &path, streams, &status))
        return status;
    const TFileInspector::TShown shown = TFileInspector::Show(document, path);
    if (parser.isSet(QStringLiteral("json")))
        PrintJson(streams.out, TFileInspector::ShowJson(shown));
    else
        streams.out << TFileInspector::ShowText(shown);
    streams.out.flush();
    if (!shown.definition.error.isEmpty())
        status = streams.Fail(QCoreApplication::translate("TCliTool", "%1: Commands: %2").arg(path.Name(), shown.definition.error));
    if (!shown.answersError.isEmpty())
        status = streams.Fail(QCoreApplication::translate("TCliTool", "%1: Answers: %2").arg(path.Name(), shown.answersError));
    return status;
}

// A plan read and checked against its terminal file; false with every
// problem in *problems.
bool PreparePlan(const QString &fileName, TPlan *plan, TTerminalDocument *document,
                 QList<TPlan::TProblem> *problems)
{
    const TPlanReader::TResult read = TPlanReader::Read(fileName);
    *problems = read.Problems;
    *plan = read.Plan;
    // The terminal file is looked at even when the plan has mistakes, so
    // that one check lists them all.
    return read.Plan.TerminalLine != 0 && TPlanChecker::LoadAndCheck(plan, document, problems)
           && problems->isEmpty();
}

QJsonArray ProblemsJson(const QList<TPlan::TProblem> &problems)
{
    QJsonArray array;
    for (const TPlan::TProblem &problem : problems)
        array.append(QJsonObject{{QStringLiteral("file"), problem.File},
                                 {QStringLiteral("line"), problem.Line},
                                 {QStringLiteral("message"), problem.Message}});
    return array;
}

int CheckPlan(const QString &fileName, bool json, TStreams &streams)
{
    TPlan plan;
    TTerminalDocument document;
    QList<TPlan::TProblem> problems;
    const bool clean = PreparePlan(fileName, &plan, &document, &problems);
    if (json) {
        PrintJson(streams.out, QJsonObject{{QStringLiteral("file"), fileName},
                                           {QStringLiteral("terminal"), plan.TerminalPath()},
                                           {QStringLiteral("clean"), clean},
                                           {QStringLiteral("problems"), ProblemsJson(problems)}});
    } else if (clean) {
        streams.out << QCoreApplication::translate("TCliTool", "%1: no problems, %2 steps").arg(fileName).arg(plan.Steps.size())
                    << '\n';
    } else {
        for (const TPlan::TProblem &problem : problems)
            streams.out << problem.Text() << '\n';
    }
    streams.out.flush();
    return clean ? TCliTool::ExitOk : TCliTool::ExitError;
}

int Check(const QStringList &arguments, TStreams &streams)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("TCliTool", "Lists every problem a reader of the terminal file would "
                                                    "meet, with its section and key, and warnings of what a "
                                                    "user would trip over. Exit status 0 when the file is "
                                                    "clean (warnings allowed), 1 otherwise.\n"
                                                    "A plan (.plan) is checked against its terminal file: "
                                                    "every command, field, answer field, status text and "
                                                    "kept value it names."));
    parser.addOption(JsonOption());
    parser.addPositionalArgument(QStringLiteral("FILE"), QCoreApplication::translate("TCliTool", "The terminal file (.tsy) or a plan (.plan)."));
    int status = TCliTool::ExitOk;
    if (!Parse(parser, QStringLiteral("check"), arguments, 1, streams, &status))
        return status;
    const QString fileName = parser.positionalArguments().at(0);
    if (QFile::exists(fileName) && TPlanReader::IsPlanFile(fileName))
        return CheckPlan(fileName, parser.isSet(QStringLiteral("json")), streams);
    TTerminalDocument document;
    if (!LoadDocument(fileName, document, streams, &status))
        return status;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return streams.Fail(QCoreApplication::translate("TCliTool", "%1: %2").arg(fileName, file.errorString()));
    const QList<TFileChecker::TProblem> problems = TFileChecker::Check(document.Ini(), file.readAll());
    if (parser.isSet(QStringLiteral("json")))
        PrintJson(streams.out, TFileChecker::Json(fileName, problems));
    else if (problems.isEmpty())
        streams.out << QCoreApplication::translate("TCliTool", "%1: no problems").arg(fileName) << '\n';
    else
        streams.out << TFileChecker::Text(problems);
    return TFileChecker::IsClean(problems) ? TCliTool::ExitOk : TCliTool::ExitError;
}

// The user's settings as the window keeps them; a user who never ran the
// window has the defaults, and nothing is written for them.
TSettings UserSettings(const QString &settingsName)
{
    TSettings settings;
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, settingsName);
    if (!store.allKeys().isEmpty())
        LoadSettings(settings, settingsName);
    return settings;
}

int Send(const QStringList &arguments, TStreams &streams, const QString &settingsName)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "TCliTool",
        "Sends a command as the terminal window's Send does (Repeat with --repeat) and prints the "
        "outcome. Only the port the command needs is opened.\n"
        "Exit status: 0 answer or ACK, 2 time-out or write error, 3 NAK, 4 bad field input, "
        "1 usage, file or port errors."));
    const TCliPortOptions ports;
    const QCommandLineOption set(QStringLiteral("set"),
                                 QCoreApplication::translate("TCliTool", "Text of command field N (from 1); repeatable."),
                                 QStringLiteral("N=TEXT"));
    const QCommandLineOption date(QStringLiteral("date"), QCoreApplication::translate("TCliTool", "Date of picker field N (default: today)."),
                                  QStringLiteral("N=YYYY-MM-DD"));
    const QCommandLineOption time(QStringLiteral("time"), QCoreApplication::translate("TCliTool", "Time of picker field N (default: now)."),
                                  QStringLiteral("N=HH:MM:SS"));
    const QCommandLineOption repeat(QStringLiteral("repeat"),
                                    QCoreApplication::translate("TCliTool", "Repeat N times (1..999) with auto-increment fields; only "
                                                   "the last answer is printed."),
                                    QStringLiteral("N"));
    parser.addOptions(ports.options);
    parser.addOptions({set, date, time, repeat, JsonOption()});
    parser.addPositionalArgument(QStringLiteral("FILE.tsy"), QCoreApplication::translate("TCliTool", "The terminal file."));
    parser.addPositionalArgument(QStringLiteral("GROUP/COMMAND"), QCoreApplication::translate("TCliTool", "The command."));
    int status = TCliTool::ExitOk;
    if (!Parse(parser, QStringLiteral("send"), arguments, 2, streams, &status))
        return status;

    const TSettings settings = UserSettings(settingsName);
    TCliSender::TOptions options;
    if (QString error; !ports.Read(parser, &options, &error))
        return streams.Fail(error);
    if (parser.isSet(repeat)) {
        bool ok = false;
        options.repeat = parser.value(repeat).toInt(&ok, 10);
        if (!ok || options.repeat < 1 || options.repeat > TCommandRunner::MaxRepeatCount)
            return streams.Fail(QCoreApplication::translate("TCliTool", "--repeat %1: give a count from 1 to %2")
                                    .arg(parser.value(repeat))
                                    .arg(TCommandRunner::MaxRepeatCount));
    }

    TTerminalDocument document;
    TFileInspector::TCommandPath path;
    if (!LoadDocument(parser.positionalArguments().at(0), document, streams, &status)
        || !FindCommand(document, parser.positionalArguments().at(1), &path, streams, &status))
        return status;
    const TExtIniFile &ini = document.Ini();

    if (QString error; !ports.ReadProtocol(parser, ini, &options, &error))
        return streams.Fail(error);

    const TCommandDefinition definition =
        TCommandDefinition::Load(ini, TTerminalDocument::CommandSection(path.group, path.command));
    if (!definition.error.isEmpty())
        return streams.Fail(QCoreApplication::translate("TCliTool", "%1 cannot be sent: %2").arg(path.Name(), definition.error));
    if (definition.fields.isEmpty())
        return streams.Fail(QCoreApplication::translate("TCliTool", "%1 has no command fields: nothing to send").arg(path.Name()));
    if (definition.IsCut())
        streams.Fail(QCoreApplication::translate("TCliTool", "warning: %1 holds %2 command fields; like the window, only the first %3 are sent")
                         .arg(path.Name())
                         .arg(definition.fileFieldCount)
                         .arg(definition.fields.size()));
    if (definition.port == cpFiscalPort && options.repeat > 0)
        return streams.Fail(QCoreApplication::translate("TCliTool", "%1 goes to the fiscal port, which has no Repeat").arg(path.Name()));

    const QDateTime now = QDateTime::currentDateTime();
    const TSendInputs::TResult inputs =
        TSendInputs::Build(definition, parser.values(set), parser.values(date), parser.values(time), now);
    if (inputs.status != TSendInputs::TStatus::Ok)
        return streams.Fail(inputs.error, inputs.status == TSendInputs::TStatus::BadInput ? TCliTool::ExitBadInput
                                                                                         : TCliTool::ExitError);
    // The file's date layouts read as the window reads them.
    const TAnswerPage::TOptions answerOptions =
        TAnswerPage::TOptions::FromFile(ini, options.protocol, settings, now.date());
    const TRunCommand command = definition.RunCommand(inputs.inputs, answerOptions.inputDateFormat);

    TCliSender sender(settings, options);
    if (QString error; !sender.OpenLog(&error))
        return streams.Fail(error);
    TSendReport::TInput input;
    input.command = path.Name();
    input.result = sender.Run(command);
    input.options = answerOptions;
    const TSendReport report = TSendReport::Build(ini, input);

    if (!input.result.error.isEmpty())
        streams.Fail(input.result.error);
    if (!report.AnswerError().isEmpty())
        streams.Fail(QCoreApplication::translate("TCliTool", "warning: %1: Answers: %2").arg(path.Name(), report.AnswerError()));
    if (parser.isSet(QStringLiteral("json")))
        PrintJson(streams.out, report.ToJson());
    else
        streams.out << report.ToText();
    streams.out.flush();

    const TRunOutcome &outcome = input.result.outcome;
    if (outcome.kind == TRunOutcome::BadInput && outcome.field >= 0)
        streams.Fail(QCoreApplication::translate("TCliTool", "Bad user data input in control: field %1 (%2)")
                         .arg(outcome.field + 1)
                         .arg(QString(definition.fields.at(outcome.field).Caption).remove(QLatin1Char('&'))),
                     TCliTool::ExitBadInput);
    else if (!input.result.deviceGone.isEmpty())
        streams.Fail(QStringLiteral("%1: %2").arg(path.Name(), input.result.deviceGone));
    else if (outcome.kind == TRunOutcome::TimeOut)
        streams.Fail(QCoreApplication::translate("TCliTool", "%1: no answer in time").arg(path.Name()));
    else if (outcome.kind == TRunOutcome::WriteError)
        streams.Fail(QCoreApplication::translate("TCliTool", "%1: the command could not be written").arg(path.Name()));
    else if (outcome.kind == TRunOutcome::Nak)
        streams.Fail(QCoreApplication::translate("TCliTool", "%1: the printer rejected the command (NAK)").arg(path.Name()));
    else if (outcome.kind == TRunOutcome::Cancelled)
        streams.Fail(QCoreApplication::translate("TCliTool", "%1: cancelled").arg(path.Name()));
    else if (outcome.kind == TRunOutcome::Refused)
        streams.Fail(QCoreApplication::translate("TCliTool", "%1: the port refused the command (error %2)").arg(path.Name()).arg(outcome.error));
    // A capture cut short is a file error, whatever the command's outcome.
    if (!input.result.captureError.isEmpty())
        return streams.Fail(input.result.captureError);
    return TSendReport::ExitStatus(outcome.kind);
}

int Ports(const QStringList &arguments, TStreams &streams)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "TCliTool",
        "Lists the serial devices of this system: path, stable /dev/serial/by-id link, description, "
        "manufacturer and serial number when known. Pseudo-terminals are not listed; any device path "
        "can still be given with --port and --fiscal-port."));
    parser.addOption(JsonOption());
    int status = TCliTool::ExitOk;
    if (!Parse(parser, QStringLiteral("ports"), arguments, 0, streams, &status))
        return status;
    const QList<TSerialDevices::TDevice> devices = TSerialDevices::Available();
    if (parser.isSet(QStringLiteral("json")))
        PrintJson(streams.out, TPortList::Json(devices));
    else
        streams.out << TPortList::Text(devices);
    streams.out.flush();
    return TCliTool::ExitOk;
}

}
int RunPlan(const QStringList &arguments, TStreams &streams, const QString &settingsName)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "TCliTool",
        "Runs a test plan against its terminal file: every step's command goes out as Send (or "
        "Repeat) does, and its answer is held against the step's expectations. Each step's result "
        "is printed as it ends, then a summary. A plan with problems is refused before anything "
        "is sent.\n"
        "Exit status: 0 every expectation held, 5 some did not, 1 usage, file or port errors "
        "or an interrupted run."));
    const TCliPortOptions ports;
    const QCommandLineOption junit(QStringLiteral("junit"),
                                   QCoreApplication::translate("TCliTool", "Write the results as JUnit XML to FILE."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption stopOnFailure(QStringLiteral("stop-on-failure"),
                                           QCoreApplication::translate("TCliTool", "Stop at the first step that fails."));
    parser.addOptions(ports.options);
    parser.addOptions({junit, stopOnFailure, JsonOption()});
    parser.addPositionalArgument(QStringLiteral("PLAN"), QCoreApplication::translate("TCliTool", "The plan file."));
    int status = TCliTool::ExitOk;
    if (!Parse(parser, QStringLiteral("run"), arguments, 1, streams, &status))
        return status;

    const TSettings settings = UserSettings(settingsName);
    TCliSender::TOptions options;
    if (QString error; !ports.Read(parser, &options, &error))
        return streams.Fail(error);
    const QString fileName = parser.positionalArguments().at(0);
    if (!QFile::exists(fileName))
        return streams.Fail(QCoreApplication::translate("TCliTool", "%1: no such file").arg(fileName));
    TPlan plan;
    TTerminalDocument document;
    QList<TPlan::TProblem> problems;
    if (!PreparePlan(fileName, &plan, &document, &problems)) {
        for (const TPlan::TProblem &problem : problems)
            streams.Fail(problem.Text());
        return streams.Fail(QCoreApplication::translate("TCliTool", "%1: the plan is refused; nothing was sent").arg(fileName));
    }
    const TExtIniFile &ini = document.Ini();
    if (QString error; !ports.ReadProtocol(parser, ini, &options, &error))
        return streams.Fail(error);

    TCliSender sender(settings, options);
    if (QString error; !sender.OpenLog(&error))
        return streams.Fail(error);
    for (const TCommandPort port : {cpHostPort, cpFiscalPort}) {
        if (!plan.UsesPort(port))
            continue;
        if (QString error; !sender.OpenPort(port, &error)) {
            sender.ClosePorts();
            return streams.Fail(error);
        }
    }

    TPlanRun::TOptions runOptions;
    runOptions.StopOnFailure = parser.isSet(stopOnFailure);
    runOptions.SendAhead = true;
    runOptions.Answers = TAnswerPage::TOptions::FromFile(ini, options.protocol, settings, QDate::currentDate());

    const bool json = parser.isSet(QStringLiteral("json"));
    TPlanRun run(plan, ini, &sender.Runner(), runOptions);
    QList<TStepResult> results;
    bool portGone = false;
    QObject::connect(&run, &TPlanRun::StepFinished, [&](const TStepResult &result) {
        results.append(result);
        portGone |= result.Outcome.kind == TRunOutcome::PortError;
        if (!json) {
            streams.out << TPlanReport::StepText(result, int(plan.Steps.size()));
            streams.out.flush();
        }
    });
    // Ctrl+C cancels the command under way, which stops the run.
    TInterruptWatcher interrupt;
    bool interrupted = false;
    QObject::connect(&interrupt, &TInterruptWatcher::Interrupted, &run, [&] {
        interrupted = true;
        run.Stop();
        sender.Runner().Cancel();
    });
    QEventLoop loop;
    QObject::connect(&run, &TPlanRun::Finished, &loop, &QEventLoop::quit);
    run.Start();
    loop.exec();
    sender.ClosePorts();

    const TPlanRun::TSummary &summary = run.Summary();
    if (json)
        PrintJson(streams.out, TPlanReport::Json(plan, results, summary));
    else
        streams.out << TPlanReport::SummaryText(plan, summary);
    streams.out.flush();
    if (parser.isSet(junit)) {
        if (QString error; !TPlanJUnit::Write(parser.value(junit), TPlanJUnit::Xml(plan, results, summary), &error))
            return streams.Fail(error);
    }
    if (!sender.CaptureError().isEmpty())
        return streams.Fail(sender.CaptureError());
    if (portGone || interrupted)
        return streams.Fail(portGone ? QCoreApplication::translate("TCliTool", "%1: a port failed during the run").arg(fileName)
                                     : QCoreApplication::translate("TCliTool", "%1: interrupted").arg(fileName));
    return summary.AllPassed() ? TCliTool::ExitOk : TCliTool::ExitFailed;
}


QString TCliTool::Version()
{
    return Program + QLatin1Char(' ') + QStringLiteral(TESSALY_VERSION);
}

int TCliTool::Run(const QStringList &arguments, QTextStream &out, QTextStream &err, const QString &settingsName)
{
    TStreams streams{out, err};
    if (arguments.isEmpty())
        return streams.Fail(QCoreApplication::translate("TCliTool", "a command is needed (see tessaly-cli --help)"));
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("-h") || command == QLatin1String("--help")) {
        out << Usage();
        out.flush();
        return ExitOk;
    }
    if (command == QLatin1String("-v") || command == QLatin1String("--version")) {
        out << Version() << '\n';
        out.flush();
        return ExitOk;
    }
    if (command == QLatin1String("list"))
        return List(rest, streams);
    if (command == QLatin1String("show"))
        return Show(rest, streams);
    if (command == QLatin1String("check"))
        return Check(rest, streams);
    if (command == QLatin1String("send"))
        return Send(rest, streams, settingsName);
    if (command == QLatin1String("ports"))
        return Ports(rest, streams);
    if (command == QLatin1String("run"))
        return RunPlan(rest, streams, settingsName);
    return streams.Fail(QCoreApplication::translate("TCliTool", "unknown command \"%1\" (see tessaly-cli --help)").arg(command));
}
