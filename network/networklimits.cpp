#include "network/networklimits.h"

namespace miravel::network {

namespace {

// C0 and C1 controls, DEL, the line and paragraph separators, the
// bidirectional embeddings, overrides and isolates: they break the columns
// of every text output.
bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || (c >= 0x2028 && c <= 0x202e) ||
           (c >= 0x2066 && c <= 0x2069);
}

QString hex(char16_t c) {
    return QString::number(c, 16).toUpper().rightJustified(4, u'0');
}

} // namespace

QString networkTextProblem(const QString& text) {
    if (text.size() > MaxNetworkTextLength)
        return QStringLiteral("%1 文字までです。").arg(MaxNetworkTextLength);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isControl(c.unicode()))
            return QStringLiteral("%1 文字目に制御文字 (U+%2) があります。")
                .arg(i + 1)
                .arg(hex(c.unicode()));
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return QStringLiteral("%1 文字目に対になっていないサロゲート (U+%2) があります。")
                .arg(i + 1)
                .arg(hex(c.unicode()));
    }
    return {};
}

QString fileTextExcerpt(const QString& text) {
    QString shown;
    qsizetype i = 0;
    while (i < text.size() && shown.size() < MaxQuotedLength - 1) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            shown += text.mid(i, 2);
            i += 2;
            continue;
        }
        shown += isControl(c.unicode()) || c.isSurrogate() ? QChar(u'?') : c;
        ++i;
    }
    if (i < text.size()) shown += QChar(0x2026);
    return shown;
}

} // namespace miravel::network
