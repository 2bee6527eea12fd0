#pragma once
// Shift-JIS (code page 932) through glibc iconv "CP932", for project files
// and the column model of the printed report.

#include <QByteArray>
#include <QString>

namespace miravel::common {

struct Cp932Encoded {
    QByteArray bytes;
    int badIndex = -1; // index (in QChars) of the first character CP932 cannot hold
    bool ok() const { return badIndex < 0; }
};

struct Cp932Decoded {
    QString text;
    int badOffset = -1; // byte offset of the first invalid byte sequence
    bool ok() const { return badOffset < 0; }
};

// Encodes the text; stops at the first character that CP932 cannot hold and
// reports it instead of replacing it.
Cp932Encoded cp932Encode(const QString& text);

// Decodes the bytes; stops at the first invalid sequence and reports it.
Cp932Decoded cp932Decode(const QByteArray& bytes);

// The index (in QChars) of the first character of the text that does not come
// back unchanged from CP932 and back, or -1 when all do. Besides the
// characters CP932 has no code for, this finds those glibc's table writes
// under another character's code (¥ comes back as \, 〜 as ～) or drops.
int cp932FirstUnstorable(const QString& text);

// A character that looks like `c` and comes back unchanged from CP932, for
// the characters that do not (〜 -> ～, − -> －); 0 when there is none.
char32_t cp932LookAlike(char32_t c);

// Columns a character takes in print: 2 when CP932 encodes it in two bytes,
// 1 otherwise (one byte, or a character CP932 cannot hold, printed as "?").
int cp932Width(char32_t codePoint);

} // namespace miravel::common
