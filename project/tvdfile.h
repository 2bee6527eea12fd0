#pragma once
// The project file on disk: 67 records, one per line, each a quoted value in
// Shift-JIS (CP932) ended by CR LF. Everything here works on whole files in
// memory, so that a file is checked completely before any field is touched
// and a save either replaces the file whole or leaves it as it was.
//
// Every refusal is a UserError with a finished Japanese message naming the
// file or the field.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace miravel::project {

// Project files are a few kilobytes; anything above this is not one.
constexpr qint64 ProjectFileMaxBytes = 1024 * 1024;

// The records as file bytes: `"` value `"` CR LF each, in CP932. Values are
// written as given (the caller trims them). A value the format cannot carry
// back whole is refused, not written mangled: a double quote, a line break,
// or a character that does not read back unchanged from CP932.
QByteArray encodeProjectRecords(const QStringList& records);

// The records of decoded file text, by the reading rule of the format:
// - blanks (spaces, tabs) before a value are skipped;
// - a value that begins with `"` runs to the next `"`, across line ends
//   (`"a<CR>b"` is one value), or to the end of the text when no quote
//   closes it; whatever follows the closing quote up to the next comma or
//   line end is skipped (the writer never puts a line break in a value);
// - a value without an opening quote runs, unchanged, to the next comma or
//   line end, so `1,2,3` on one line is three records;
// - a comma always introduces a further record, also at the end of a line or
//   of the file (`"a",` is two records, the second empty);
// - line ends are CR LF, a lone LF or a lone CR; an empty (or blank) line is
//   one empty record; the line end after the last record does not start
//   another, and an empty text has no records.
QStringList parseRecordText(const QString& text);

// parseRecordText of the CP932 bytes. Bytes that are not CP932 are refused.
QStringList parseRecords(const QByteArray& bytes);

// The 67 records of a project file, checked as a whole: a file above
// ProjectFileMaxBytes, bytes that are not CP932, or fewer than 67 records are
// refused; records after the 67th are ignored. `fileName`, when given, is
// named in the messages.
QStringList decodeProjectFile(const QByteArray& bytes, const QString& fileName = QString());

// The bytes of the file at `path`. Refused: a missing file, a folder, a named
// pipe, device or socket (checked on the file opened without waiting, so
// nothing blocks), a file that cannot be opened or read, or one larger than
// ProjectFileMaxBytes (the size is checked before anything is read). Every
// reason is given in Japanese.
QByteArray readProjectFile(const QString& path);

// Replaces (or creates) the file at `path` with `bytes`, all or nothing: the
// bytes go to a temporary file beside it that takes the file's place only when
// everything was written, so a failure (no permission, folder gone, disk
// full) leaves an existing file exactly as it was.
void writeProjectFile(const QString& path, const QByteArray& bytes);

// True for a building network file rather than a project: named "*.tvdn"
// (any case), or text that begins, after blanks, with "{" as JSON does (a
// project's first record begins with a double quote).
bool isNetworkFileData(const QString& path, const QByteArray& bytes);

// readProjectFile + decodeProjectFile, and encodeProjectRecords +
// writeProjectFile: what the load and save commands do with a file. A
// network file is refused, naming the screen that opens it.
QStringList loadProjectRecords(const QString& path);
void saveProjectRecords(const QString& path, const QStringList& records);

} // namespace miravel::project
