#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

// Conversions of field values on their way to the printer (typed text into
// frame data) and back (answer data into display text). None of them fails:
// text that is not a number reads as 0, a date that cannot be read is shown
// as received, and date-format indices outside 0..7 fall back. Because they
// never fail, the send road asks the checks below first.
class TFieldConversion
{
public:
    static constexpr int DateFormatCount = 8;

    // The date-format index a stored value stands for: 0..7 as it is, any
    // other value 0 ("ddmmyy"), in both directions.
    static int DateFormatIndex(int stored);

    // "ddmmyy", "ddmmyyyy", "mmddyy", "mmddyyyy", "yyddmm", "yyyyddmm",
    // "yymmdd", "yyyymmdd"; an index outside 0..7 gives "ddmmyy".
    static QString DateFormatLayout(int index);

    // --- Sending ---------------------------------------------------------

    // The date in the layout of the index, digits only (3 May 2004 with
    // index 0 gives 030504).
    static QString FormatDate(int index, const QDate &date);
    // "hhmmss".
    static QString FormatTime(const QTime &time);
    // A typed amount as a fixed-width digit string with the decimals implied
    // by position (12,5 with width 10 and 2 decimals gives 0000001250).
    static QString FormatImpliedDecimal(const QString &text, int width, int decimals);
    // x'..' of the decimal number, at least width hex digits (255, 4 gives
    // x'00FF').
    static QString DecimalToHexLiteral(const QString &text, int width);
    // x'..' around the typed hex digits.
    static QString HexToHexLiteral(const QString &text);
    // x'..' of the bit string, at least width hex digits (1010, 2 gives
    // x'0A').
    static QString BinaryToHexLiteral(const QString &text, int width);

    // The conversion of a text control's value by its text type; text types
    // without a conversion give the text unchanged.
    static QString SendText(int textType, const QString &text, int minLength, int decimalDigits);

    // --- Checks before sending -------------------------------------------
    // Each gives why its conversion would send a value other than the one
    // entered, naming the text, or an empty text when the value goes out
    // as entered. An empty text is a zero and always fits.

    // An amount fits when its integer part and its decimals are digits, it
    // has no more decimals than the field (zeros at the end aside) and no
    // more integer digits than width minus decimals (leading zeros aside).
    // Width 0 sends the digits as typed, so only the first rule applies.
    static QString ImpliedDecimalError(const QString &text, int width, int decimals);
    // A whole number from 0 to 4294967295.
    static QString DecimalError(const QString &text);
    // At most 32 binary digits, leading zeros aside.
    static QString BinaryError(const QString &text);
    // The check of SendText's conversion; text types without one check that
    // every character fits the type (a default text from the file may not).
    static QString SendTextError(int textType, const QString &text, int minLength,
                                 int decimalDigits);

    // --- Display ---------------------------------------------------------

    // 1 to 4 bytes read as an unsigned big-endian number; 0 otherwise.
    static quint32 BytesToInteger(const QByteArray &data);
    // That number as a signed 32-bit decimal.
    static QString BytesToDecimal(const QByteArray &data);
    // That number in upper-case hex, at least one digit per byte.
    static QString BytesToHex(const QByteArray &data);
    // Eight binary digits per byte, most significant first.
    static QString BytesToBinary(const QByteArray &data);
    // "." before the last decimals digits (12345, 2 gives 123.45).
    static QString InsertDecimalPoint(const QString &text, int decimals);
    // A received date re-laid from the input layout into the output layout
    // with "/" separators; two-digit years are placed in the window from 50
    // years before to 49 years after today's year.
    static QString ReformatDate(const QString &text, int inputFormat, int outputFormat,
                                const QDate &today);
    // ":" between hours, minutes and seconds (143025 gives 14:30:25).
    static QString ReformatTime(const QString &text);

    // The display text of an answer data field by its text type, as the
    // answer page shows it: text is read as Windows-1252, fields without a
    // conversion are shown as received, and a Decimal, Hexa or Binary field
    // longer than 4 bytes as the hex literal of its bytes (x'0102030405').
    static QString DisplayText(int textType, const QByteArray &data, int decimalDigits,
                               int inputFormat, int outputFormat, const QDate &today);
};
