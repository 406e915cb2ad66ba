#pragma once

#include <QByteArray>
#include <QString>

// The bytes a field value stands for once its hex literals (x'..' or X'..')
// are expanded. Plain characters go out in Windows-1252, the single-byte code
// page the printers speak.
struct THexExpansion {
    bool ok = false;
    QByteArray bytes;
};

// Expands every closed literal into the bytes its hex digits denote; an odd
// number of digits gets a leading 0. A literal whose digits are not hex, or a
// character the encoder cannot represent, fails the whole expansion. A
// literal that is never closed is kept as typed: a text such as "Max's" must
// not lose its tail.
THexExpansion ExpandHexLiterals(const QString &text);
