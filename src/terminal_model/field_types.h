#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Input rule of a typed box; the first eight text-type codes, in file order.
enum TFldType : int {
    ftdAlphaNumeric = 0,
    ftdAlpha = 1,
    ftdCurrency = 2,
    ftdNumerical = 3,
    ftdDecimal = 4,
    ftdHexadecimal = 5,
    ftdBinary = 6,
    ftdBool = 7,
};

// Text-type codes as stored in terminal files (0..7 equal TFldType).
enum TTextType : int {
    ttAlphaNumeric = 0,
    ttAlpha = 1,
    ttCurrency = 2,
    ttNumeric = 3,
    ttDecimal = 4,
    ttHexa = 5,
    ttBinary = 6,
    ttBoolean = 7,
    ttDate = 8,
    ttTime = 9,
};

// Control-type codes as stored in terminal files.
enum TControlType : int {
    ctSimple = 0,
    ctDropDown = 1,
    ctDropDownList = 2,
    ctDate = 3,
    ctTime = 4,
};

// Names of the type codes and the character rules of every text type.
// Everything here is a pure function of its arguments.
class TFieldTypes
{
public:
    static constexpr int TextTypeCount = 10;
    static constexpr int ControlTypeCount = 5;

    // "AlphaNumeric" ... "Time"; a code outside 0..9 gives "AlphaNumeric".
    static QString TextTypeGridName(int code);
    // The code of a grid name; a text that is none of them gives 9.
    static int TextTypeFromGridName(const QString &name);
    static QStringList TextTypeGridNames();

    // "asAlphaNumeric" ... "asTime"; the list position is the code.
    static QString TextTypeDialogName(int code);
    static QStringList TextTypeDialogNames();

    // "Simple" ... "Time"; a code outside 0..4 gives "Simple".
    static QString ControlTypeName(int code);
    // The code of a control-type name; a text that is none of them gives 4.
    static int ControlTypeFromName(const QString &name);
    static QStringList ControlTypeNames();

    // Command mode: 0 is "Host", anything else "Fiscal"; "Host" reads as 0,
    // any other text as 1.
    static QString ModeName(int mode);
    static int ModeFromName(const QString &name);

    // Flags: 1 is "Yes", anything else "No"; "Yes" reads as 1, any other
    // text as 0.
    static QString YesNoName(int value);
    static int YesNoFromName(const QString &name);

    // The character a typed key inserts into a box of the given text type,
    // or 0 when the key is refused. Control characters (below 32) always
    // pass. Hexa and Boolean keys come back upper-cased. Currency refuses a
    // second separator when currentText already holds "." or ",".
    static char32_t FilterKey(int textType, char32_t key, QStringView currentText);

    // Whether a character may stand in a text of the given type.
    static bool IsValidChar(int textType, char32_t c);
    // Whether every character of the text fits the type; a text that fails
    // is cleared by the typed box.
    static bool IsValidText(int textType, QStringView text);

    // Whether a key or a character is checked at all (Date, Time and
    // AlphaNumeric, and unknown codes, accept everything).
    static bool IsFiltered(int textType);
};
