// The encodings of terminal files as TExtIniFile reads and writes them:
// which encoding a file is in, that it keeps it, and what is refused so that
// every text reads back as written.
#include "terminal_model/ext_ini_file.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray ReadAll(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool WriteAll(const QString &fileName, const QByteArray &data)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

class TestIniEncoding : public QObject {
    Q_OBJECT

private slots:
    void windows1252RoundTrip();
    void encodingOfNewAndAsciiFiles_data();
    void encodingOfNewAndAsciiFiles();
    void characterOutside1252IsRefused_data();
    void characterOutside1252IsRefused();
    void utf8FilesStayUtf8();
    void windows1252NeverTurnsIntoUtf8_data();
    void windows1252NeverTurnsIntoUtf8();
    void namesReadBackAsWritten_data();
    void namesReadBackAsWritten();
    void utf16FilesRoundTrip_data();
    void utf16FilesRoundTrip();
};

void TestIniEncoding::windows1252RoundTrip()
{
    // Every byte value from 0x80 up, as an older Windows tool would store it.
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += char(b);
    const QByteArray data = "[a]\r\ntext=" + high + "\r\nother=1\r\n";
    TExtIniFile ini;
    ini.LoadFromData(data);
    QCOMPARE(ini.Encoding(), TTextCodec::TEncoding::Windows1252);
    QCOMPARE(ini.ReadString(QStringLiteral("a"), QStringLiteral("text")).left(1), QStringLiteral("\u20AC"));
    ini.WriteString(QStringLiteral("a"), QStringLiteral("other"), QStringLiteral("\u00E9\u20AC"));
    QCOMPARE(ini.ToData(), "[a]\r\ntext=" + high + "\r\nother=\xE9\x80\r\n");
}

void TestIniEncoding::encodingOfNewAndAsciiFiles_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("new file") << QByteArray()
                              << QByteArray("[C]\r\nCommands=0,\"Descripci\xF3n\",\"\",0\r\n");
    QTest::newRow("ASCII file") << QByteArray("[Groups]\nA=\n")
                                << QByteArray("[Groups]\nA=\n\n[C]\nCommands=0,\"Descripci\xF3n\",\"\",0\n");
}

void TestIniEncoding::encodingOfNewAndAsciiFiles()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, written);
    TExtIniFile ini;
    ini.LoadFromData(data);
    QCOMPARE(ini.Encoding(), TTextCodec::TEncoding::Windows1252);
    const QString commands = QStringLiteral("0,\"Descripci\u00F3n\",\"\",0");
    QVERIFY(ini.WriteString(QStringLiteral("C"), QStringLiteral("Commands"), commands));
    QCOMPARE(ini.ToData(), written);
    TExtIniFile reread;
    reread.LoadFromData(written);
    QCOMPARE(reread.Encoding(), TTextCodec::TEncoding::Windows1252);
    QCOMPARE(reread.ReadString(QStringLiteral("C"), QStringLiteral("Commands")), commands);
}

void TestIniEncoding::characterOutside1252IsRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("named");   // the character and its code in the message
    const QByteArray latin("[a]\r\nold=caf\xE9\r\n");
    QTest::newRow("value in a Windows-1252 file") << latin << "a" << "old" << "\u03A9 ohm" << "\"\u03A9\" (U+03A9)";
    QTest::newRow("new key") << latin << "a" << "new" << "ok \u2713" << "\"\u2713\" (U+2713)";
    QTest::newRow("new section") << latin << "\u65E5" << "k" << "v" << "\"\u65E5\" (U+65E5)";
    QTest::newRow("key name") << latin << "a" << "K\u0394" << "v" << "\"\u0394\" (U+0394)";
    QTest::newRow("outside the basic plane") << latin << "a" << "old" << "\U0001F600" << "\"\U0001F600\" (U+1F600)";
    QTest::newRow("ASCII file") << QByteArray("[a]\nold=x\n") << "a" << "old" << "\u2126" << "\"\u2126\" (U+2126)";
}

void TestIniEncoding::characterOutside1252IsRefused()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, named);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.tsy"));
    QVERIFY(WriteAll(path, data));
    TExtIniFile ini(path);
    // A change before the refused one is not stored either: the caller's
    // operation fails as a whole.
    QVERIFY(ini.WriteString(QStringLiteral("a"), QStringLiteral("before"), QStringLiteral("1")));
    const QByteArray before = ini.ToData();

    QVERIFY(!ini.WriteString(section, key, value));
    QCOMPARE(ini.ToData(), before);
    QCOMPARE(ini.Encoding(), TTextCodec::TEncoding::Windows1252);
    const QString message = ini.RefusedChange();
    QVERIFY2(message.contains(named) && message.contains(path) && message.contains(QLatin1String("Windows-1252")),
             qPrintable(message));
    QVERIFY(!ini.UpdateFile());
    QCOMPARE(ini.LastError(), message);
    QVERIFY(!ini.SaveAs(dir.filePath(QStringLiteral("other.tsy"))));
    QCOMPARE(ReadAll(path), data);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("other.tsy"))));

    // Reading the file again starts afresh.
    QVERIFY(ini.Reload());
    QVERIFY(ini.RefusedChange().isEmpty());
    QVERIFY(ini.WriteString(QStringLiteral("a"), QStringLiteral("old"), QStringLiteral("\u20AC")));
    QVERIFY(ini.UpdateFile());
}

void TestIniEncoding::utf8FilesStayUtf8()
{
    TExtIniFile ini;
    ini.LoadFromData("[a]\nold=caf\xC3\xA9\n");
    QCOMPARE(ini.Encoding(), TTextCodec::TEncoding::Utf8);
    QVERIFY(ini.WriteString(QStringLiteral("a"), QStringLiteral("new"), QStringLiteral("\u65E5 \u00F3")));
    QVERIFY(ini.DeleteKey(QStringLiteral("a"), QStringLiteral("old")));
    QCOMPARE(ini.ToData(), QByteArray("[a]\nnew=\xE6\x97\xA5 \xC3\xB3\n"));
    TExtIniFile reread;
    reread.LoadFromData(ini.ToData());
    QCOMPARE(reread.Encoding(), TTextCodec::TEncoding::Utf8);
    QCOMPARE(reread.ReadString(QStringLiteral("a"), QStringLiteral("new")), QStringLiteral("\u65E5 \u00F3"));

    // A byte-order mark keeps a file UTF-8 even with ASCII text only.
    ini.LoadFromData("\xEF\xBB\xBF[a]\n");
    QCOMPARE(ini.Encoding(), TTextCodec::TEncoding::Utf8);
    QVERIFY(ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("\u03A9")));
    QCOMPARE(ini.ToData(), QByteArray("\xEF\xBB\xBF[a]\nk=\xCE\xA9\n"));
    // Half of a surrogate pair is no character in any encoding.
    QVERIFY(!ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QString(QChar(0xD800))));
    QVERIFY2(ini.RefusedChange().contains(QLatin1String("U+D800")), qPrintable(ini.RefusedChange()));
}

void TestIniEncoding::windows1252NeverTurnsIntoUtf8_data()
{
    // Windows-1252 text whose bytes happen to be valid UTF-8 ("\xC3\xA9" is
    // "Ã©" here, "é" in UTF-8) would read back as other characters once
    // nothing else in the file is invalid UTF-8.
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("stored");
    QTest::newRow("into an ASCII file") << QByteArray("[a]\nk=1\n") << "write" << false;
    QTest::newRow("beside other Windows-1252 text") << QByteArray("[a]\nk=caf\xE9\n") << "write" << true;
    QTest::newRow("over the last other Windows-1252 text") << QByteArray("[a]\nk=caf\xE9\n[b]\nx=\xC3\xA9\n")
                                                          << "replace" << false;
    QTest::newRow("deleting the last other Windows-1252 text")
        << QByteArray("[a]\nk=caf\xE9\n[b]\nx=\xC3\xA9\n") << "delete" << false;
    QTest::newRow("erasing the last other Windows-1252 text")
        << QByteArray("[a]\nk=caf\xE9\n[b]\nx=\xC3\xA9\n") << "erase" << false;
}

void TestIniEncoding::windows1252NeverTurnsIntoUtf8()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, operation);
    QFETCH(bool, stored);
    TExtIniFile ini;
    ini.LoadFromData(data);
    QCOMPARE(ini.Encoding(), TTextCodec::TEncoding::Windows1252);
    const QString section = QStringLiteral("a");
    bool done = false;
    if (operation == QLatin1String("write"))
        done = ini.WriteString(section, QStringLiteral("new"), QStringLiteral("\u00C3\u00A9"));
    else if (operation == QLatin1String("replace"))
        done = ini.WriteString(section, QStringLiteral("k"), QStringLiteral("plain"));
    else if (operation == QLatin1String("delete"))
        done = ini.DeleteKey(section, QStringLiteral("k"));
    else
        done = ini.EraseSection(section);
    QCOMPARE(done, stored);
    QCOMPARE(ini.RefusedChange().isEmpty(), stored);
    if (!stored) {
        QCOMPARE(ini.ToData(), data);
        QVERIFY2(ini.RefusedChange().contains(QLatin1String("UTF-8"))
                     || ini.RefusedChange().contains(QStringLiteral("\"\u00C3\u00A9\" cannot be stored")),
                 qPrintable(ini.RefusedChange()));
        return;
    }
    TExtIniFile reread;
    reread.LoadFromData(ini.ToData());
    QCOMPARE(reread.Encoding(), TTextCodec::TEncoding::Windows1252);
    QCOMPARE(reread.ReadString(section, QStringLiteral("new")), QStringLiteral("\u00C3\u00A9"));
}

void TestIniEncoding::namesReadBackAsWritten_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    // QStringLiteral: a char string would lose a leading U+FEFF on its way
    // into a QString.
    const QByteArray utf8("[a]\nk=\xC3\xA9\n");
    QTest::newRow("section starting with U+FEFF") << utf8 << QStringLiteral("\uFEFFs") << QStringLiteral("k");
    QTest::newRow("key starting with U+FEFF") << utf8 << QStringLiteral("a") << QStringLiteral("\uFEFFk");
    QTest::newRow("U+FEFF inside a key") << utf8 << QStringLiteral("a") << QStringLiteral("k\uFEFF");
    QTest::newRow("after a byte-order mark") << QByteArray("\xEF\xBB\xBF[a]\n") << QStringLiteral("\uFEFF")
                                             << QStringLiteral("\uFEFF");
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE[\0a\0]\0\n\0", 10) << QStringLiteral("\uFEFFs")
                            << QStringLiteral("\uFEFFk");
    QTest::newRow("Windows-1252 letters") << QByteArray("[a]\nk=1\n") << QStringLiteral("\u00D1and\u00FA")
                                          << QStringLiteral("\u00EF\u00BB\u00BFk");
}

void TestIniEncoding::namesReadBackAsWritten()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, section);
    QFETCH(QString, key);
    TExtIniFile ini;
    ini.LoadFromData(data);
    QVERIFY2(ini.WriteString(section, key, QStringLiteral("v")), qPrintable(ini.RefusedChange()));
    TExtIniFile reread;
    reread.LoadFromData(ini.ToData());
    QCOMPARE(reread.Encoding(), ini.Encoding());
    QVERIFY(reread.ReadSections().contains(section));
    QVERIFY(reread.ReadSection(section).contains(key));
    QCOMPARE(reread.ReadString(section, key), QStringLiteral("v"));
    QCOMPARE(reread.ToData(), ini.ToData());
}

void TestIniEncoding::utf16FilesRoundTrip_data()
{
    QTest::addColumn<bool>("littleEndian");
    QTest::newRow("little endian") << true;
    QTest::newRow("big endian") << false;
}

void TestIniEncoding::utf16FilesRoundTrip()
{
    QFETCH(bool, littleEndian);
    const auto encode = [littleEndian](const QString &text) {
        QStringEncoder encoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                               QStringConverter::Flag::Stateless);
        return QByteArray(littleEndian ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(encoder.encode(text));
    };
    const QByteArray data = encode(QStringLiteral("; \u00C7a\r\n[General]\r\nProtocol=1\r\nName=\u65E5\r\n"));
    TExtIniFile ini;
    ini.LoadFromData(data);
    QCOMPARE(ini.ReadInteger(QStringLiteral("General"), QStringLiteral("Protocol"), 0), 1);
    QCOMPARE(ini.ReadString(QStringLiteral("General"), QStringLiteral("Name")), QStringLiteral("\u65E5"));
    QCOMPARE(ini.ToData(), data);
    ini.WriteString(QStringLiteral("General"), QStringLiteral("Protocol"), QStringLiteral("0"));
    QCOMPARE(ini.ToData(), encode(QStringLiteral("; \u00C7a\r\n[General]\r\nProtocol=0\r\nName=\u65E5\r\n")));

    // A U+FEFF right after the mark is text, kept as such.
    const QByteArray marked = encode(QStringLiteral("\uFEFF;c\r\n[a]\r\n"));
    ini.LoadFromData(marked);
    QCOMPARE(ini.ToData(), marked);
    ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("v"));
    QCOMPARE(ini.ToData(), encode(QStringLiteral("\uFEFF;c\r\n[a]\r\nk=v\r\n")));

    // An odd byte count is no UTF-16 text: the bytes are kept as they are.
    const QByteArray odd = data + 'x';
    ini.LoadFromData(odd);
    QCOMPARE(ini.ToData(), odd);
}

QTEST_GUILESS_MAIN(TestIniEncoding)
#include "tst_ini_encoding.moc"
