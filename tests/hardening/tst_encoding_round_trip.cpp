// Terminal files in Windows-1252 (older Windows tools) and in UTF-8 with
// non-ASCII captions, notes and return-code texts: every tree and record
// operation leaves the lines it does not edit byte for byte as they were,
// keeps the file's encoding, and reads the texts back as written.
#include "terminal_model/command_field.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/fixed_answer.h"
#include "terminal_model/return_codes.h"
#include "terminal_model/terminal_document.h"
#include "terminal_model/text_codec.h"
#include "terminal_model/value_list.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

using TEncoding = TTextCodec::TEncoding;

// Names and texts every encoding can hold, and some only UTF-8 can.
const QString Credit = QStringLiteral("Crédito");
const QString Debit = QStringLiteral("Débito");
const QString Sales = QStringLiteral("Ventas");
const QString Reports = QStringLiteral("Informes");
const QString Daily = QStringLiteral("Z diário");
const QString PaperOut = QStringLiteral("Papel agotado – cámbielo");
const QString WideText = QStringLiteral("Ελληνικά 日本語");

QString Text(TEncoding encoding)
{
    QString text = QStringLiteral(
        "; Terminal de pruebas – configuración\r\n"
        "[General]\r\n"
        "Protocol=1\r\n"
        "\r\n"
        "[Return codes]\r\n"
        "RC1=%1\r\n"
        "RC2=Número fiscal inválido\r\n"
        "\r\n"
        "[FiscalAnswer]\r\n"
        "Record1=1,1,0001,0001,\"Año fiscal abierto\",$000000FF\r\n"
        "\r\n"
        "[Groups]\r\n"
        "Ventas=\r\n"
        "Informes=\r\n"
        "\r\n"
        "[Ventas]\r\n"
        "Crédito=\r\n"
        "Débito=\r\n"
        "\r\n"
        "[VentasCrédito]\r\n"
        "Commands=0,\"Descripción\",\"Texto del artículo\",0,\"Café\",0,25,0,0,0,0,0\r\n"
        "Answers=\"Número\",0,0\r\n"
        "Notes=\"\"Límite: 5 €\",\"Señal ÿ\"\"\r\n"
        "\r\n"
        "[VentasDébito]\r\n"
        "Commands=0,\"Importe €\",\"Cantidad\",2,\"\",0,10,1,0,0,2,0\r\n"
        "Notes=\"\"Sólo con recibo abierto.\"\"\r\n"
        "\r\n"
        "[Informes]\r\n"
        "Z diário=\r\n"
        "\r\n"
        "[InformesZ diário]\r\n"
        "Commands=0,\"Fecha ñ\",\"\",8,\"\",3,6,0,0,0,0,0\r\n").arg(PaperOut);
    if (encoding == TEncoding::Utf8)
        text.replace(QStringLiteral("Texto del artículo"), WideText);
    return text;
}

QByteArray Bytes(TEncoding encoding)
{
    QByteArray bytes;
    TTextCodec::Encode(Text(encoding), encoding, &bytes);
    return bytes;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct TLine {
    QByteArray Bytes;
    QString Section;   // case-folded
};

QList<TLine> Lines(const QByteArray &data, TEncoding encoding)
{
    QList<TLine> lines;
    QString section;
    for (const QByteArray &raw : data.split('\n')) {
        const QByteArray trimmed = raw.trimmed();
        if (trimmed.startsWith('[') && trimmed.endsWith(']'))
            section = TTextCodec::Decode(trimmed.mid(1, trimmed.size() - 2), encoding).toCaseFolded();
        lines.append({raw, section});
    }
    return lines;
}

using TOperation = std::function<void(TTerminalDocument &, TExtIniFile &)>;
// An operation that should be refused: its message, empty when it succeeded.
using TRefused = std::function<QString(TTerminalDocument &, TExtIniFile &)>;

void Updated(TExtIniFile &ini)
{
    QVERIFY2(ini.UpdateFile(), qPrintable(ini.LastError()));
}

} // namespace

class TestEncodingRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void untouchedLinesKeepTheirBytes_data();
    void untouchedLinesKeepTheirBytes();
    void textsReadAsWritten_data();
    void textsReadAsWritten();
    void refusedCharacterReachesTheCaller_data();
    void refusedCharacterReachesTheCaller();
};

void TestEncodingRoundTrip::untouchedLinesKeepTheirBytes_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<TOperation>("operation");
    QTest::addColumn<QStringList>("touched");   // sections the operation may change

    const auto ok = [](const TTerminalDocument::TResult &result) {
        QVERIFY2(result.Ok && result.Changed, qPrintable(result.Message));
    };
    const QList<std::tuple<const char *, TOperation, QStringList>> operations = {
        {"add group", [ok](TTerminalDocument &d, TExtIniFile &) { ok(d.AddGroup(QStringLiteral("Año nuevo"))); },
         {"Groups"}},
        {"add command", [ok](TTerminalDocument &d, TExtIniFile &) { ok(d.AddCommand(Reports, QStringLiteral("Ñandú"))); },
         {Reports}},
        {"rename command",
         [ok](TTerminalDocument &d, TExtIniFile &) { ok(d.RenameCommand(Sales, Credit, QStringLiteral("Crédito 2"))); },
         {Sales, Sales + Credit}},
        {"rename group", [ok](TTerminalDocument &d, TExtIniFile &) { ok(d.RenameGroup(Reports, QStringLiteral("Análisis"))); },
         {"Groups", Reports, Reports + Daily}},
        {"remove group", [ok](TTerminalDocument &d, TExtIniFile &) { ok(d.RemoveGroup(Reports)); },
         {"Groups", Reports, Reports + Daily}},
        {"remove command", [ok](TTerminalDocument &d, TExtIniFile &) { ok(d.RemoveCommand(Sales, Debit)); },
         {Sales, Sales + Debit}},
        {"copy command",
         [ok](TTerminalDocument &d, TExtIniFile &) {
             ok(d.CopyCommand(Reports, Sales, Debit, [](const QString &, QString *) {
                 return TTerminalDocument::TPasteChoice::Overwrite;
             }));
         },
         {Reports}},
        {"duplicate group", [ok](TTerminalDocument &d, TExtIniFile &) { ok(d.DuplicateGroup(Sales)); }, {"Groups"}},
        {"merge group",
         [ok](TTerminalDocument &d, TExtIniFile &) { ok(d.MergeGroup(Reports, Sales, [](const QString &) { return true; })); },
         {Reports}},
        {"edit command fields",
         [](TTerminalDocument &, TExtIniFile &ini) {
             QList<TCommandField> fields = ReadCommandFields(ini, Sales + Credit, TFieldReading::Strict);
             fields[0].Caption = QStringLiteral("Descripción nueva");
             WriteCommandFields(ini, Sales + Credit, fields);
             Updated(ini);
         },
         {Sales + Credit}},
        {"edit notes",
         [](TTerminalDocument &, TExtIniFile &ini) {
             TValueList::WriteNotes(ini, Sales + Debit, {QStringLiteral("Cambió: ¿sí?")});
             Updated(ini);
         },
         {Sales + Debit}},
        {"edit return codes",
         [](TTerminalDocument &, TExtIniFile &ini) {
             QList<TReturnCode> codes = ReadReturnCodes(ini);
             codes.append({7, QStringLiteral("Cajón abierto")});
             WriteReturnCodes(ini, codes);
             Updated(ini);
         },
         {"Return codes"}},
        {"edit fixed answers",
         [](TTerminalDocument &, TExtIniFile &ini) {
             QList<TFixedAnswer> records = ReadFixedAnswers(ini, FiscalAnswerSection);
             records.append({2, 0x0002, 0x0002, QStringLiteral("Memoria casi llena"), 0xFF});
             WriteFixedAnswers(ini, FiscalAnswerSection, records);
             Updated(ini);
         },
         {FiscalAnswerSection}},
    };
    for (TEncoding encoding : {TEncoding::Windows1252, TEncoding::Utf8}) {
        for (const auto &[name, operation, touched] : operations) {
            QTest::addRow("%s, %s", encoding == TEncoding::Utf8 ? "UTF-8" : "Windows-1252", name)
                << int(encoding) << operation << touched;
        }
    }
}

void TestEncodingRoundTrip::untouchedLinesKeepTheirBytes()
{
    QFETCH(int, encoding);
    QFETCH(TOperation, operation);
    QFETCH(QStringList, touched);
    const auto type = TEncoding(encoding);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("terminal.tsy"));
    const QByteArray original = Bytes(type);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(original);
    }
    TTerminalDocument document(path);
    QCOMPARE(document.Ini().Encoding(), type);
    TExtIniFile ini(path);
    operation(document, ini);
    if (QTest::currentTestFailed())
        return;

    const QByteArray written = ReadAll(path);
    QVERIFY(written != original);
    QCOMPARE(TExtIniFile(path).Encoding(), type);
    QSet<QString> changed;
    for (const QString &section : touched)
        changed.insert(section.toCaseFolded());
    const QList<TLine> after = Lines(written, type);
    qsizetype next = 0;
    for (const TLine &line : Lines(original, type)) {
        if (changed.contains(line.Section))
            continue;
        while (next < after.size() && after[next].Bytes != line.Bytes)
            ++next;
        QVERIFY2(next < after.size(), qPrintable(QStringLiteral("line changed or lost: %1")
                                                 .arg(TTextCodec::Decode(line.Bytes, type))));
        ++next;
    }
}

void TestEncodingRoundTrip::textsReadAsWritten_data()
{
    QTest::addColumn<int>("encoding");
    QTest::newRow("Windows-1252") << int(TEncoding::Windows1252);
    QTest::newRow("UTF-8") << int(TEncoding::Utf8);
}

void TestEncodingRoundTrip::textsReadAsWritten()
{
    QFETCH(int, encoding);
    const auto type = TEncoding(encoding);
    TExtIniFile ini;
    QVERIFY(ini.LoadFromData(Bytes(type)));
    QCOMPARE(ini.Encoding(), type);

    const QList<TCommandField> fields = ReadCommandFields(ini, Sales + Credit, TFieldReading::Strict);
    QCOMPARE(fields.size(), 1);
    QCOMPARE(fields[0].Caption, QStringLiteral("Descripción"));
    QCOMPARE(fields[0].Hint, type == TEncoding::Utf8 ? WideText : QStringLiteral("Texto del artículo"));
    QCOMPARE(fields[0].DefaultText, QStringLiteral("Café"));
    QCOMPARE(TValueList::ReadNotes(ini, Sales + Credit),
             QStringList({QStringLiteral("Límite: 5 €"), QStringLiteral("Señal ÿ")}));
    QCOMPARE(ReturnCodeDescription(ini, 1), PaperOut);
    QCOMPARE(ReadFixedAnswers(ini, FiscalAnswerSection).value(0).Text, QStringLiteral("Año fiscal abierto"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.tsy"));
    QVERIFY(ini.SaveAs(path));
    TTerminalDocument document(path);
    QCOMPARE(document.Commands(Sales), QStringList({Credit, Debit}));
    QCOMPARE(document.Commands(Reports), QStringList{Daily});

    // A text Windows-1252 cannot hold is refused in a Windows-1252 file, which
    // stays as it was; a UTF-8 file takes it. Every other text reads the same.
    const bool utf8 = type == TEncoding::Utf8;
    const QByteArray saved = ReadAll(path);
    TValueList::WriteNotes(ini, Sales + Debit, {WideText});
    QCOMPARE(ini.UpdateFile(), utf8);
    TExtIniFile reread(path);
    QCOMPARE(reread.Encoding(), type);
    QCOMPARE(TValueList::ReadNotes(reread, Sales + Debit),
             utf8 ? QStringList{WideText} : QStringList{QStringLiteral("Sólo con recibo abierto.")});
    if (!utf8) {
        QCOMPARE(ReadAll(path), saved);
        QVERIFY2(ini.LastError().contains(QStringLiteral("\"\u0395\" (U+0395)")), qPrintable(ini.LastError()));
    }
    QCOMPARE(ReturnCodeDescription(reread, 1), PaperOut);
    QCOMPARE(ReadCommandFields(reread, Sales + Credit, TFieldReading::Strict), fields);
}

void TestEncodingRoundTrip::refusedCharacterReachesTheCaller_data()
{
    // The tree's operations report through their result, the editors through
    // UpdateFile()'s error, as they do for "Unable to write to ...".
    QTest::addColumn<TRefused>("operation");
    QTest::addColumn<QString>("named");
    QTest::newRow("add group") << TRefused([](TTerminalDocument &d, TExtIniFile &) {
        const TTerminalDocument::TResult result = d.AddGroup(QStringLiteral("\u03A9mega"));
        return result.Ok ? QString() : result.Message;
    }) << "\"\u03A9\" (U+03A9)";
    QTest::newRow("rename command") << TRefused([](TTerminalDocument &d, TExtIniFile &) {
        const TTerminalDocument::TResult result = d.RenameCommand(Sales, Credit, QStringLiteral("Cr\u00E9dito \u2713"));
        return result.Ok ? QString() : result.Message;
    }) << "\"\u2713\" (U+2713)";
    QTest::newRow("fields editor") << TRefused([](TTerminalDocument &, TExtIniFile &ini) {
        QList<TCommandField> fields = ReadCommandFields(ini, Sales + Credit, TFieldReading::Strict);
        fields[0].Caption = QStringLiteral("Descripci\u00F3n \u2126");
        WriteCommandFields(ini, Sales + Credit, fields);
        return ini.UpdateFile() ? QString() : ini.LastError();
    }) << "\"\u2126\" (U+2126)";
    QTest::newRow("return codes editor") << TRefused([](TTerminalDocument &, TExtIniFile &ini) {
        QList<TReturnCode> codes = ReadReturnCodes(ini);
        codes.append({7, QStringLiteral("Caj\u00F3n \u2192 abierto")});
        WriteReturnCodes(ini, codes);
        return ini.UpdateFile() ? QString() : ini.LastError();
    }) << "\"\u2192\" (U+2192)";
}

void TestEncodingRoundTrip::refusedCharacterReachesTheCaller()
{
    QFETCH(TRefused, operation);
    QFETCH(QString, named);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("terminal.tsy"));
    const QByteArray original = Bytes(TEncoding::Windows1252);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(original);
    }
    TTerminalDocument document(path);
    TExtIniFile ini(path);
    const QString message = operation(document, ini);
    QVERIFY2(message.contains(named) && message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    QCOMPARE(ReadAll(path), original);
    // The document is the file as it was, and works on.
    QCOMPARE(document.Groups(), QStringList({Sales, Reports}));
    QCOMPARE(document.Commands(Sales), QStringList({Credit, Debit}));
    const TTerminalDocument::TResult added = document.AddGroup(QStringLiteral("A\u00F1o"));
    QVERIFY2(added.Ok && added.Changed, qPrintable(added.Message));
    QCOMPARE(TExtIniFile(path).Encoding(), TEncoding::Windows1252);
}

QTEST_GUILESS_MAIN(TestEncodingRoundTrip)
#include "tst_encoding_round_trip.moc"
