#include "project/tvdfile.h"

#include "common/cp932.h"
#include "common/errors.h"
#include "common/oserror.h"
#include "common/wholefile.h"
#include "project/recordnames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace miravel::common;

namespace miravel::project {

namespace {

QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// "ファイル「plan.tvd」" or, without a name, "ファイル".
QString fileLabel(const QString& fileName) {
    if (fileName.isEmpty()) return QStringLiteral("ファイル");
    return QStringLiteral("ファイル「%1」").arg(shownPath(fileName));
}

// 1,048,577: sizes with thousands separators, as Japanese text writes them.
QString sizeText(qint64 bytes) {
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(bytes);
}

[[noreturn]] void refuseTooLarge(const QString& fileName, qint64 size) {
    throw UserError(QStringLiteral("%1は大きすぎるため読み込めません（%2 バイト）。"
                                   "データファイルは %3 バイトまでです。")
                        .arg(fileLabel(fileName), sizeText(size), sizeText(ProjectFileMaxBytes)));
}

// How a character that cannot be saved is shown: itself and its code when
// visible, since look-alikes differ only in the code; its code alone when not
// (a control character, a tag character), and a line break by name.
QString shownCharacter(char32_t c) {
    if (c == U'\r' || c == U'\n') return QStringLiteral("改行");
    const QString code = QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    if (!QChar::isPrint(c) || QChar::isSpace(c)) return code;
    return QStringLiteral("「%1」%2").arg(QString::fromUcs4(&c, 1), code);
}

[[noreturn]] void refuseCharacter(int recordIndex, char32_t c) {
    const char32_t lookAlike = cp932LookAlike(c);
    const QString instead = lookAlike
                                ? QStringLiteral("代わりに形の似た文字 (%1) なら保存できます。")
                                      .arg(shownCharacter(lookAlike))
                                : QString();
    throw UserError(QStringLiteral("「%1」に保存できない文字 (%2) が含まれています。%3"
                                   "保存を中止しました。")
                        .arg(projectRecordName(recordIndex + 1), shownCharacter(c), instead));
}

// The first character of `value` the format cannot carry back whole, or 0.
// A double quote would end the value early and a line break would split the
// record, since the format has no escapes.
char32_t firstStructuralCharacter(const QString& value) {
    for (const QChar c : value) {
        if (c == u'"' || c == u'\r' || c == u'\n') return c.unicode();
    }
    return 0;
}

char32_t codePointAt(const QString& text, int index) {
    const QChar c = text.at(index);
    if (c.isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(c, text.at(index + 1));
    return c.unicode();
}

// 1-based line of byte `offset`, counting CR LF, lone CR and lone LF as line
// ends. CP932 trail bytes never take the values CR or LF, so counting bytes
// is exact.
int lineOfOffset(const QByteArray& bytes, int offset) {
    int line = 1;
    for (int i = 0; i < offset; ++i) {
        if (bytes[i] == '\r') {
            ++line;
            if (i + 1 < offset && bytes[i + 1] == '\n') ++i;
        } else if (bytes[i] == '\n') {
            ++line;
        }
    }
    return line;
}

QString decodeText(const QByteArray& bytes, const QString& fileName) {
    const Cp932Decoded decoded = cp932Decode(bytes);
    if (decoded.ok()) return decoded.text;
    const int offset = decoded.badOffset;
    throw UserError(
        QStringLiteral("%1の %2 行目（先頭から %3 バイト目、値 %4）に "
                       "Shift-JIS として読めない文字があります。"
                       "データファイルではないか、Shift-JIS 以外の文字コードで保存されたか、"
                       "壊れています。読み込みを中止しました。")
            .arg(fileLabel(fileName), QString::number(lineOfOffset(bytes, offset)),
                 QString::number(offset + 1),
                 QString::fromLatin1(bytes.mid(offset, 1).toHex().toUpper())));
}

bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}
// Skipped before a record's value; a line feed ends the record instead.
bool isSpaceOrTab(QChar c) {
    return c == u' ' || c == u'\t';
}

// The reason for a failed system call, in Japanese (errno is read at once).
QString systemReason(int error) {
    return QStringLiteral("詳細: %1").arg(systemErrorText(error));
}

// A named pipe, a device or a socket: opening one could wait for ever, and
// none holds a project.
[[noreturn]] void refuseSpecialFile(const QString& path) {
    throw UserError(QStringLiteral("「%1」は通常のファイルではない（名前付きパイプや装置など）"
                                   "ため、使えません。データファイルを選んでください。")
                        .arg(shownPath(path)));
}

// Opens without waiting (a named pipe put in the file's place since it was
// looked at would block the open) and checks the opened file itself.
void openRegularFile(const QString& path, QFile& file) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw UserError(
            QStringLiteral("%1を開けません（%2）。").arg(fileLabel(path), systemReason(error)));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        refuseSpecialFile(path);
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw UserError(QStringLiteral("%1を開けません。").arg(fileLabel(path)));
    }
}

} // namespace

QByteArray encodeProjectRecords(const QStringList& records) {
    QByteArray bytes;
    for (int i = 0; i < records.size(); ++i) {
        const QString& value = records[i];
        if (const char32_t c = firstStructuralCharacter(value)) refuseCharacter(i, c);
        // Only what reads back exactly is saved; encoding alone would let
        // glibc write ¥ as \ or 〜 as ～ and drop some characters.
        const int unstorable = cp932FirstUnstorable(value);
        if (unstorable >= 0) refuseCharacter(i, codePointAt(value, unstorable));
        const Cp932Encoded encoded = cp932Encode(value);
        bytes += '"';
        bytes += encoded.bytes;
        bytes += "\"\r\n";
    }
    return bytes;
}

QStringList parseRecordText(const QString& text) {
    QStringList records;
    const qsizetype n = text.size();
    qsizetype p = 0;
    bool commaSeen = false; // a comma always asks for one more record
    while (p < n || commaSeen) {
        commaSeen = false;
        while (p < n && isSpaceOrTab(text[p]))
            ++p;
        qsizetype start = p;
        if (p < n && text[p] == u'"') {
            start = ++p;
            // Line breaks included: the value ends only at the closing quote.
            while (p < n && text[p] != u'"')
                ++p;
            records.append(text.mid(start, p - start));
            // Whatever follows the closing quote belongs to no record.
            while (p < n && text[p] != u',' && !isLineEnd(text[p]))
                ++p;
        } else {
            while (p < n && text[p] != u',' && !isLineEnd(text[p]))
                ++p;
            records.append(text.mid(start, p - start));
        }
        if (p >= n) break;
        if (text[p] == u',') {
            commaSeen = true;
        } else if (text[p] == u'\r' && p + 1 < n && text[p + 1] == u'\n') {
            ++p;
        }
        ++p;
    }
    return records;
}

QStringList parseRecords(const QByteArray& bytes) {
    return parseRecordText(decodeText(bytes, QString()));
}

QStringList decodeProjectFile(const QByteArray& bytes, const QString& fileName) {
    if (bytes.size() > ProjectFileMaxBytes) refuseTooLarge(fileName, bytes.size());
    QStringList records = parseRecordText(decodeText(bytes, fileName));
    if (records.size() < ProjectRecordCount) {
        throw UserError(
            QStringLiteral("%1にはデータが %2 件しかありません（%3 件必要です）。"
                           "ファイルが途中で切れているか、データファイルではありません。"
                           "読み込みを中止しました。")
                .arg(fileLabel(fileName), QString::number(records.size()),
                     QString::number(ProjectRecordCount)));
    }
    records.erase(records.begin() + ProjectRecordCount, records.end());
    return records;
}

QByteArray readProjectFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        throw UserError(QStringLiteral("%1が見つかりません。").arg(fileLabel(path)));
    if (info.isDir()) {
        throw UserError(QStringLiteral("「%1」はフォルダーです。データファイルを選んでください。")
                            .arg(shownPath(path)));
    }
    if (info.size() > ProjectFileMaxBytes) refuseTooLarge(path, info.size());
    if (!info.isReadable()) {
        throw UserError(QStringLiteral("%1を読み込む権限がありません。").arg(fileLabel(path)));
    }
    QFile file;
    openRegularFile(path, file);
    // At most one byte more than allowed: a file that grew since it was
    // looked at cannot fill memory.
    errno = 0;
    const QByteArray bytes = file.read(ProjectFileMaxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        const int error = errno;
        throw UserError(
            QStringLiteral("%1を読み込めません（%2）。").arg(fileLabel(path), systemReason(error)));
    }
    if (bytes.size() > ProjectFileMaxBytes)
        refuseTooLarge(path, file.size() > bytes.size() ? file.size() : bytes.size());
    return bytes;
}

namespace {

// A file that could not be created: the reason the user can mend, where known.
[[noreturn]] void refuseCreation(const QString& path, bool existed, int error) {
    const QFileInfo info(path);
    if (existed && !info.isWritable()) {
        throw UserError(
            QStringLiteral("%1は書き込み禁止のため、保存できません。").arg(fileLabel(path)));
    }
    const QFileInfo folder(info.absolutePath());
    if (!folder.isWritable()) {
        throw UserError(
            QStringLiteral(
                "保存先のフォルダー「%1」に書き込む権限がありません。保存を中止しました。")
                .arg(shownPath(folder.filePath())));
    }
    throw UserError(QStringLiteral("%1を作成できません（%2）。保存を中止しました。")
                        .arg(fileLabel(path), systemReason(error)));
}

} // namespace

void writeProjectFile(const QString& path, const QByteArray& bytes) {
    const bool existed = QFileInfo::exists(path);
    const WriteResult result = writeFileBytes(path, bytes);
    if (result.ok()) return;
    if (!result.refusal.isEmpty()) throw UserError(result.refusal);
    if (!result.opened) refuseCreation(path, existed, result.error);
    const QString kept = existed ? QStringLiteral("元のファイルは変更されていません。") : QString();
    throw UserError(QStringLiteral("%1への書き込みに失敗しました（%2）。"
                                   "ディスクの空き容量を確かめてください。%3")
                        .arg(fileLabel(path), systemReason(result.error), kept));
}

bool isNetworkFileData(const QString& path, const QByteArray& bytes) {
    if (path.endsWith(QStringLiteral(".tvdn"), Qt::CaseInsensitive)) return true;
    const QByteArray start = bytes.left(256).trimmed();
    return start.startsWith('{');
}

QStringList loadProjectRecords(const QString& path) {
    const QByteArray bytes = readProjectFile(path);
    if (isNetworkFileData(path, bytes))
        throw UserError(QStringLiteral("「%1」は建物の配線網のファイルです。計算データとしては"
                                       "読み込めません。")
                            .arg(QDir::toNativeSeparators(path)) +
                        u'\r' +
                        QStringLiteral("スタートメニューの「建物全体の配線網」を開き、その画面の"
                                       "「開く...」で開いてください。"));
    return decodeProjectFile(bytes, path);
}

void saveProjectRecords(const QString& path, const QStringList& records) {
    writeProjectFile(path, encodeProjectRecords(records));
}

} // namespace miravel::project
