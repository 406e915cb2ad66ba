#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class TExtIniFile;

// The comma lists of terminal files: the Commands and Answers records, the
// fixed-answer records, and the line lists of CL<n> and Notes.
class TValueList {
public:
    // Splits a value: blanks (codes 1 to 32) around items are skipped, an
    // unquoted item ends at a comma or a blank, a quoted item runs to the next
    // lone quote ("" stands for one quote) or to the end, two commas give an
    // empty item and a trailing comma gives none.
    static QStringList Split(QStringView text);
    // Joins items with single commas, quoting those that need it. An empty last
    // item is written "" so that it survives the next Split.
    static QString Join(const QStringList &items);
    // One item as the writer stores it.
    static QString Item(const QString &item);
    // Always in quotes, inner quotes doubled: the text attributes of records.
    static QString Quoted(const QString &text);

    // Line lists are stored as a quote, the joined list and a quote.
    static QStringList LinesFromStored(const QString &stored);
    static QString StoredFromLines(const QStringList &lines);

    static QStringList ReadLines(const TExtIniFile &ini, const QString &section, const QString &key);
    // An empty list is stored as "" (the form of Notes without lines).
    static void WriteLines(TExtIniFile &ini, const QString &section, const QString &key,
                           const QStringList &lines);

    // The combo lines of command field number (from 1): the key is removed
    // when the field has no lines.
    static QString ComboKey(int fieldNumber);
    static QStringList ReadComboLines(const TExtIniFile &ini, const QString &section, int fieldNumber);
    static void WriteComboLines(TExtIniFile &ini, const QString &section, int fieldNumber,
                                const QStringList &lines);
    static QStringList ReadNotes(const TExtIniFile &ini, const QString &section);
    static void WriteNotes(TExtIniFile &ini, const QString &section, const QStringList &lines);
};
