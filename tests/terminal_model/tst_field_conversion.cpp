#include "terminal_model/field_conversion.h"

#include <QtTest>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray data;
    for (int value : values)
        data.append(char(value));
    return data;
}

const QDate Today2026(2026, 12, 7);

} // namespace

class TestFieldConversion : public QObject
{
    Q_OBJECT

private slots:
    void formatDate_data();
    void formatDate();
    void formatTime();
    void impliedDecimal_data();
    void impliedDecimal();
    void decimalToHexLiteral_data();
    void decimalToHexLiteral();
    void binaryToHexLiteral_data();
    void binaryToHexLiteral();
    void sendText_data();
    void sendText();
    void sendTextError_data();
    void sendTextError();
    void dateFormatIndex();
    void bytesConversions_data();
    void bytesConversions();
    void insertDecimalPoint_data();
    void insertDecimalPoint();
    void reformatDate_data();
    void reformatDate();
    void twoDigitYearFollowsToday_data();
    void twoDigitYearFollowsToday();
    void reformatTime_data();
    void reformatTime();
    void displayText_data();
    void displayText();
};

void TestFieldConversion::formatDate_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");

    const QDate may3(2004, 5, 3);
    QTest::newRow("ddmmyy") << 0 << may3 << "030504";
    QTest::newRow("ddmmyyyy") << 1 << may3 << "03052004";
    QTest::newRow("mmddyy") << 2 << may3 << "050304";
    QTest::newRow("mmddyyyy") << 3 << may3 << "05032004";
    QTest::newRow("yyddmm") << 4 << may3 << "040305";
    QTest::newRow("yyyyddmm") << 5 << may3 << "20040305";
    QTest::newRow("yymmdd") << 6 << may3 << "040503";
    QTest::newRow("yyyymmdd") << 7 << may3 << "20040503";
    QTest::newRow("index too high") << 8 << may3 << "030504";
    QTest::newRow("negative index") << -1 << may3 << "030504";
    QTest::newRow("year 2000") << 6 << QDate(2000, 1, 9) << "000109";
}

void TestFieldConversion::formatDate()
{
    QFETCH(int, index);
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(TFieldConversion::FormatDate(index, date), text);
}

void TestFieldConversion::formatTime()
{
    QCOMPARE(TFieldConversion::FormatTime(QTime(14, 5, 9)), QStringLiteral("140509"));
    QCOMPARE(TFieldConversion::FormatTime(QTime(0, 0, 0)), QStringLiteral("000000"));
    QCOMPARE(TFieldConversion::FormatTime(QTime(23, 59, 59, 999)), QStringLiteral("235959"));
}

void TestFieldConversion::impliedDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("result");

    QTest::newRow("comma, short fraction") << "12,5" << 10 << 2 << "0000001250";
    QTest::newRow("point, long fraction cut") << "1.999" << 10 << 2 << "0000000199";
    QTest::newRow("zero integer part") << "0,75" << 10 << 2 << "0000000075";
    QTest::newRow("leading digits dropped") << "123456789" << 8 << 2 << "45678900";
    QTest::newRow("width 0 removes separator only") << "12,50" << 0 << 2 << "1250";
    QTest::newRow("no separator") << "7" << 6 << 2 << "000700";
    QTest::newRow("fraction cut") << "1234,567" << 6 << 2 << "123456";
    QTest::newRow("fraction only") << ",5" << 6 << 2 << "000050";
    QTest::newRow("empty") << "" << 6 << 2 << "000000";
    QTest::newRow("decimals equal width") << "3,14" << 2 << 2 << "14";
    QTest::newRow("decimals above width") << "3,14159" << 2 << 3 << "14";
    QTest::newRow("comma wins over point") << "1.250,75" << 10 << 2 << "0000000075";
    QTest::newRow("no decimals drops fraction") << "12,5" << 6 << 0 << "000012";
    QTest::newRow("separator last") << "12." << 6 << 2 << "001200";
    QTest::newRow("integer part beyond 32 bits kept")
        << "12345678901,5" << 14 << 2 << "01234567890150";
    QTest::newRow("negative decimals count as none") << "12,5" << 6 << -2 << "000012";
    QTest::newRow("negative width as none") << "12,5" << -3 << 2 << "125";
}

void TestFieldConversion::impliedDecimal()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(int, decimals);
    QFETCH(QString, result);
    QCOMPARE(TFieldConversion::FormatImpliedDecimal(text, width, decimals), result);
}

void TestFieldConversion::decimalToHexLiteral_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("literal");

    QTest::newRow("padded") << "255" << 4 << "x'00FF'";
    QTest::newRow("no width") << "255" << 0 << "x'FF'";
    QTest::newRow("empty") << "" << 2 << "x'00'";
    QTest::newRow("more digits than width") << "65536" << 2 << "x'10000'";
    QTest::newRow("beyond 32 bits") << "4294967296" << 0 << "x'0'";
    QTest::newRow("largest unsigned") << "4294967295" << 0 << "x'FFFFFFFF'";
    QTest::newRow("not a number") << "12a" << 2 << "x'00'";
    QTest::newRow("negative two's complement") << "-1" << 2 << "x'FFFFFFFF'";
    QTest::newRow("zero") << "0" << 0 << "x'0'";
}

void TestFieldConversion::decimalToHexLiteral()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, literal);
    QCOMPARE(TFieldConversion::DecimalToHexLiteral(text, width), literal);
}

void TestFieldConversion::binaryToHexLiteral_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("literal");

    QTest::newRow("1010") << "1010" << 2 << "x'0A'";
    QTest::newRow("eight ones, width 4") << "11111111" << 4 << "x'00FF'";
    QTest::newRow("empty") << "" << 0 << "x'0'";
    QTest::newRow("top bit set") << "1" + QString(31, QLatin1Char('0')) << 0 << "x'80000000'";
    QTest::newRow("only last 32 digits count") << "11" + QString(32, QLatin1Char('0')) << 2
                                               << "x'00'";
    QTest::newRow("non-digit adds 0") << "1x1" << 0 << "x'5'";
}

void TestFieldConversion::binaryToHexLiteral()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, literal);
    QCOMPARE(TFieldConversion::BinaryToHexLiteral(text, width), literal);
}

void TestFieldConversion::sendText_data()
{
    QTest::addColumn<int>("textType");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minLength");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("sent");

    QTest::newRow("alphanumeric unchanged") << 0 << "AB x'1C'" << 4 << 2 << "AB x'1C'";
    QTest::newRow("currency") << 2 << "12,5" << 10 << 2 << "0000001250";
    QTest::newRow("numeric unchanged") << 3 << "0042" << 6 << 0 << "0042";
    QTest::newRow("decimal") << 4 << "258" << 4 << 0 << "x'0102'";
    QTest::newRow("hexa ignores width") << 5 << "1A2B" << 8 << 0 << "x'1A2B'";
    QTest::newRow("hexa empty") << 5 << "" << 0 << 0 << "x''";
    QTest::newRow("binary") << 6 << "101" << 2 << 0 << "x'05'";
    QTest::newRow("boolean unchanged") << 7 << "Y" << 0 << 0 << "Y";
    QTest::newRow("date text unchanged") << 8 << "030504" << 0 << 0 << "030504";
}

void TestFieldConversion::sendText()
{
    QFETCH(int, textType);
    QFETCH(QString, text);
    QFETCH(int, minLength);
    QFETCH(int, decimals);
    QFETCH(QString, sent);
    QCOMPARE(TFieldConversion::SendText(textType, text, minLength, decimals), sent);
}

void TestFieldConversion::sendTextError_data()
{
    QTest::addColumn<int>("textType");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minLength");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("error");   // empty: the value goes out as entered

    // The conversions' own examples that lose part of the value.
    QTest::newRow("currency leading digits dropped") << 2 << "123456789" << 8 << 2
                                                     << "'123456789' has 9 integer digits; the field holds 6";
    QTest::newRow("currency ten times smaller") << 2 << "12345,67" << 6 << 2
                                                << "'12345,67' has 5 integer digits; the field holds 4";
    QTest::newRow("currency decimals cut") << 2 << "1.999" << 10 << 2
                                           << "'1.999' has 3 decimals; the field holds 2";
    QTest::newRow("currency no decimals") << 2 << "12,5" << 6 << 0 << "'12,5' has 1 decimal; the field holds 0";
    QTest::newRow("currency both separators") << 2 << "1.250,75" << 10 << 2
                                              << "'1.250,75': its integer part '1.250' is not a number";
    QTest::newRow("currency two commas") << 2 << "1,2,3" << 10 << 2 << "'1,2,3': its decimals '2,3' are not a number";
    QTest::newRow("currency blank") << 2 << " 12" << 10 << 2 << "' 12': its integer part ' 12' is not a number";
    QTest::newRow("currency only decimals field") << 2 << "3,14" << 2 << 2
                                                  << "'3,14' has 1 integer digit; the field holds 0";
    QTest::newRow("currency width 0 still a number") << 2 << "1.2.3" << 0 << 2
                                                     << "'1.2.3': its decimals '2.3' are not a number";
    QTest::newRow("decimal beyond 32 bits") << 4 << "4294967296" << 0 << 0
                                            << "'4294967296' is not a whole number from 0 to 4294967295";
    QTest::newRow("decimal negative") << 4 << "-1" << 2 << 0 << "'-1' is not a whole number from 0 to 4294967295";
    QTest::newRow("decimal letters") << 4 << "12a" << 2 << 0 << "'12a' is not a whole number from 0 to 4294967295";
    QTest::newRow("binary with 2") << 6 << "0102" << 2 << 0 << "'0102' is not a binary number of at most 32 digits";
    QTest::newRow("binary of 33 digits") << 6 << "1" + QString(32, QLatin1Char('0')) << 0 << 0
                                         << "'1" + QString(32, QLatin1Char('0'))
                                                + "' is not a binary number of at most 32 digits";
    QTest::newRow("numeric with letter") << 3 << "12a" << 0 << 0 << "'12a' is not a valid Numeric text";
    QTest::newRow("hexa with g") << 5 << "1G" << 0 << 0 << "'1G' is not a valid Hexa text";
    QTest::newRow("alpha with digit") << 1 << "ab1" << 0 << 0 << "'ab1' is not a valid Alpha text";
    QTest::newRow("boolean word") << 7 << "yes" << 0 << 0 << "'yes' is not a valid Boolean text";

    // Values that go out as they were entered.
    QTest::newRow("currency short fraction") << 2 << "12,5" << 10 << 2 << "";
    QTest::newRow("currency full width") << 2 << "1234,56" << 6 << 2 << "";
    QTest::newRow("currency leading zeros") << 2 << "00012,5" << 6 << 2 << "";
    QTest::newRow("currency zeros after the decimals") << 2 << "1.990" << 10 << 2 << "";
    QTest::newRow("currency fraction only") << 2 << ",5" << 6 << 2 << "";
    QTest::newRow("currency separator last") << 2 << "12." << 6 << 2 << "";
    QTest::newRow("currency empty") << 2 << "" << 6 << 2 << "";
    QTest::newRow("currency zero in decimals-only field") << 2 << "0,14" << 2 << 2 << "";
    QTest::newRow("currency width 0 sends digits as typed") << 2 << "12,555" << 0 << 2 << "";
    QTest::newRow("currency integer beyond 32 bits") << 2 << "98765432101" << 14 << 2 << "";
    QTest::newRow("decimal largest") << 4 << "4294967295" << 0 << 0 << "";
    QTest::newRow("decimal leading zeros") << 4 << "000004294967295" << 0 << 0 << "";
    QTest::newRow("decimal empty") << 4 << "" << 2 << 0 << "";
    QTest::newRow("binary 32 digits after zeros") << 6 << "0" + QString(32, QLatin1Char('1')) << 0 << 0 << "";
    QTest::newRow("hexa lower case") << 5 << "1f" << 0 << 0 << "";
    QTest::newRow("boolean lower s") << 7 << "s" << 0 << 0 << "";
    QTest::newRow("alphanumeric literal") << 0 << "AB x'1C'" << 0 << 0 << "";
    QTest::newRow("time text") << 9 << "14:30" << 0 << 0 << "";
}

void TestFieldConversion::sendTextError()
{
    QFETCH(int, textType);
    QFETCH(QString, text);
    QFETCH(int, minLength);
    QFETCH(int, decimals);
    QFETCH(QString, error);
    QCOMPARE(TFieldConversion::SendTextError(textType, text, minLength, decimals), error);
}

void TestFieldConversion::dateFormatIndex()
{
    for (int index = 0; index < TFieldConversion::DateFormatCount; ++index)
        QCOMPARE(TFieldConversion::DateFormatIndex(index), index);
    QCOMPARE(TFieldConversion::DateFormatIndex(8), 0);
    QCOMPARE(TFieldConversion::DateFormatIndex(-1), 0);
    QCOMPARE(TFieldConversion::DateFormatIndex(263), 0);
}

void TestFieldConversion::bytesConversions_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<uint>("integer");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("binary");

    QTest::newRow("two bytes big-endian") << bytes({0x12, 0x34}) << 0x1234u << "4660" << "1234"
                                          << "0001001000110100";
    QTest::newRow("hundred") << bytes({0x00, 0x64}) << 100u << "100" << "64" << "0000000001100100";
    QTest::newRow("four FF is -1") << bytes({0xFF, 0xFF, 0xFF, 0xFF}) << 0xFFFFFFFFu << "-1"
                                   << "FFFFFFFF" << QString(32, QLatin1Char('1'));
    QTest::newRow("leading zero byte") << bytes({0x00, 0x05}) << 5u << "5" << "05"
                                       << "0000000000000101";
    QTest::newRow("one byte AB") << bytes({0xAB}) << 0xABu << "171" << "AB" << "10101011";
    QTest::newRow("0x05") << bytes({0x05}) << 5u << "5" << "5" << "00000101";
    QTest::newRow("0x01 0x00") << bytes({0x01, 0x00}) << 256u << "256" << "100"
                               << "0000000100000000";
    QTest::newRow("three bytes") << bytes({0x01, 0x02, 0x03}) << 0x010203u << "66051" << "10203"
                                 << "000000010000001000000011";
    QTest::newRow("five bytes") << bytes({1, 2, 3, 4, 5}) << 0u << "0" << "00000"
                                << QString(40, QLatin1Char('0'));
    QTest::newRow("six bytes") << QByteArray(6, 'A') << 0u << "0" << "000000"
                               << QString(48, QLatin1Char('0'));
    QTest::newRow("empty") << QByteArray() << 0u << "0" << "0" << "";
}

void TestFieldConversion::bytesConversions()
{
    QFETCH(QByteArray, data);
    QFETCH(uint, integer);
    QFETCH(QString, decimal);
    QFETCH(QString, hex);
    QFETCH(QString, binary);

    QCOMPARE(uint(TFieldConversion::BytesToInteger(data)), integer);
    QCOMPARE(TFieldConversion::BytesToDecimal(data), decimal);
    QCOMPARE(TFieldConversion::BytesToHex(data), hex);
    QCOMPARE(TFieldConversion::BytesToBinary(data), binary);
}

void TestFieldConversion::insertDecimalPoint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("result");

    QTest::newRow("two decimals") << "12345" << 2 << "123.45";
    QTest::newRow("decimals equal length") << "12" << 2 << "12";
    QTest::newRow("decimals above length") << "5" << 3 << "5";
    QTest::newRow("no decimals") << "12345" << 0 << "12345";
    QTest::newRow("negative decimals") << "12345" << -1 << "12345";
    QTest::newRow("leading blank trimmed") << " 1234" << 3 << "1.234";
    QTest::newRow("trailing blanks trimmed") << "1234  " << 2 << "12.34";
    QTest::newRow("blank padding leaves few digits") << "   12" << 3 << "0.012";
    QTest::newRow("padded with zeros") << "0000012345" << 2 << "00000123.45";
}

void TestFieldConversion::insertDecimalPoint()
{
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QFETCH(QString, result);
    QCOMPARE(TFieldConversion::InsertDecimalPoint(text, decimals), result);
}

void TestFieldConversion::reformatDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("output");
    QTest::addColumn<QString>("result");

    QTest::newRow("ddmmyy to yyyy/mm/dd") << "030504" << 0 << 7 << "2004/05/03";
    QTest::newRow("no such day kept") << "310299" << 0 << 7 << "310299";
    QTest::newRow("yyddmm read as year, day, month") << "040512" << 4 << 7 << "2004/12/05";
    QTest::newRow("yyyyddmm inserts after 4 and 6") << "20040305" << 5 << 1 << "03/05/2004";
    QTest::newRow("yyyymmdd") << "20040503" << 7 << 0 << "03/05/04";
    QTest::newRow("mmddyyyy") << "05032004" << 3 << 5 << "2004/03/05";
    QTest::newRow("mmddyy to mm/dd/yy") << "050304" << 2 << 2 << "05/03/04";
    QTest::newRow("to yy/dd/mm") << "030504" << 0 << 4 << "04/03/05";
    QTest::newRow("to yymmdd") << "030504" << 0 << 6 << "04/05/03";
    QTest::newRow("to mm/dd/yyyy") << "030504" << 0 << 3 << "05/03/2004";
    QTest::newRow("output index out of range") << "030504" << 0 << 9 << "03/05/04";
    QTest::newRow("input index out of range reads yy/mm/dd") << "040503" << -1 << 7 << "2004/05/03";
    QTest::newRow("separated text in input order") << "03/05/04" << 0 << 7 << "2004/05/03";
    QTest::newRow("separated four-digit year") << "03/05/2004" << 0 << 7 << "2004/05/03";
    QTest::newRow("leap day") << "290204" << 0 << 1 << "29/02/2004";
    QTest::newRow("leap day in a common year") << "290203" << 0 << 1 << "290203";
    QTest::newRow("month 13") << "011304" << 0 << 1 << "011304";
    QTest::newRow("too short") << "0305" << 0 << 1 << "0305";
    QTest::newRow("empty") << "" << 0 << 1 << "";
    QTest::newRow("letters") << "ab0504" << 0 << 1 << "ab0504";
    QTest::newRow("blanks") << "03 504" << 0 << 1 << "03 504";
    QTest::newRow("too many parts") << "03/05/04/01" << 0 << 1 << "03/05/04/01";
}

void TestFieldConversion::reformatDate()
{
    QFETCH(QString, text);
    QFETCH(int, input);
    QFETCH(int, output);
    QFETCH(QString, result);
    QCOMPARE(TFieldConversion::ReformatDate(text, input, output, Today2026), result);
}

void TestFieldConversion::twoDigitYearFollowsToday_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");

    QTest::newRow("2026: 76 is 1976") << Today2026 << "010176" << "1976/01/01";
    QTest::newRow("2026: 75 is 2075") << Today2026 << "010175" << "2075/01/01";
    QTest::newRow("2026: 04 is 2004") << Today2026 << "010104" << "2004/01/01";
    QTest::newRow("1990: 41 is 2039") << QDate(1990, 6, 1) << "010139" << "2039/01/01";
    QTest::newRow("1990: 40 is 1940") << QDate(1990, 6, 1) << "010140" << "1940/01/01";
    QTest::newRow("2099: 48 is 2148") << QDate(2099, 1, 1) << "010148" << "2148/01/01";
    QTest::newRow("2099: 49 is 2049") << QDate(2099, 1, 1) << "010149" << "2049/01/01";
}

void TestFieldConversion::twoDigitYearFollowsToday()
{
    QFETCH(QDate, today);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(TFieldConversion::ReformatDate(text, 0, 7, today), result);
}

void TestFieldConversion::reformatTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");

    QTest::newRow("hhmm") << "1430" << "14:30";
    QTest::newRow("hhmmss") << "143025" << "14:30:25";
    QTest::newRow("with colon unchanged") << "14:30" << "14:30";
    QTest::newRow("one character") << "9" << "9:";
    QTest::newRow("two characters") << "12" << "12:";
    QTest::newRow("five characters") << "14302" << "14:30:2";
    QTest::newRow("three characters") << "930" << "93:0";
    QTest::newRow("empty stays empty") << "" << "";
}

void TestFieldConversion::reformatTime()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(TFieldConversion::ReformatTime(text), result);
}

void TestFieldConversion::displayText_data()
{
    QTest::addColumn<int>("textType");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("shown");

    QTest::newRow("alphanumeric") << 0 << QByteArray("ABC 1") << 2 << "ABC 1";
    QTest::newRow("accented letter") << 0 << QByteArray("caf\xe9") << 0 << QString::fromUtf8("café");
    QTest::newRow("windows-1252 text") << 0 << QByteArray("\x80 5 \x93x\x94") << 0
                                       << QStringLiteral("\u20AC 5 \u201Cx\u201D");
    QTest::newRow("windows-1252 currency") << 2 << QByteArray("\x80" "12345") << 2 << QStringLiteral("\u20AC123.45");
    QTest::newRow("windows-1252 time") << 9 << QByteArray("1430\x85") << 0 << QStringLiteral("14:30:\u2026");
    QTest::newRow("currency") << 2 << QByteArray("0000012345") << 2 << "00000123.45";
    QTest::newRow("numeric") << 3 << QByteArray("0042") << 2 << "0042";
    QTest::newRow("decimal") << 4 << bytes({0x00, 0x64}) << 0 << "100";
    QTest::newRow("decimal of 5 bytes") << 4 << QByteArray("\x01\x02\x03\x04\x05") << 0 << "x'0102030405'";
    QTest::newRow("hexa") << 5 << bytes({0xAB}) << 0 << "AB";
    QTest::newRow("binary") << 6 << bytes({0x05}) << 0 << "00000101";
    QTest::newRow("date") << 8 << QByteArray("030504") << 0 << "03/05/2004";
    QTest::newRow("time") << 9 << QByteArray("143025") << 0 << "14:30:25";
}

void TestFieldConversion::displayText()
{
    QFETCH(int, textType);
    QFETCH(QByteArray, data);
    QFETCH(int, decimals);
    QFETCH(QString, shown);
    QCOMPARE(TFieldConversion::DisplayText(textType, data, decimals, 0, 1, Today2026), shown);
}

QTEST_GUILESS_MAIN(TestFieldConversion)
#include "tst_field_conversion.moc"
