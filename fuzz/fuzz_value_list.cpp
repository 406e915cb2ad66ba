// Value lists: any text splits without harm, and a split list joins into a
// text that splits into the same items again.
#include "fuzz_check.h"

#include "terminal_model/value_list.h"

#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSilenceQt();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    const QStringList items = TValueList::Split(text);
    FUZZ_CHECK(TValueList::Split(TValueList::Join(items)) == items);

    // The stored form of line lists (CL<n>, Notes).
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line.remove(QChar(0));   // NUL never reaches a stored list
    FUZZ_CHECK(TValueList::LinesFromStored(TValueList::StoredFromLines(lines)) == lines);
    FUZZ_CHECK(TValueList::Split(TValueList::Join(lines)) == lines);

    const QStringList stored = TValueList::LinesFromStored(text);
    FUZZ_CHECK(TValueList::LinesFromStored(TValueList::StoredFromLines(stored)) == stored);

    // A text attribute of a record reads back as one item.
    const QString quoted = TValueList::Quoted(lines.value(0));
    FUZZ_CHECK(TValueList::Split(quoted) == QStringList{lines.value(0)});
    return 0;
}
