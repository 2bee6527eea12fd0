#include "project/recordnames.h"

namespace miravel::project {

namespace {

// In file order: field-strength screen (1-24, with the coax line control at
// 11-15), then the terminal-level screen (25-67).
const char16_t* const RecordNames[ProjectRecordCount] = {
    u"VHFアンテナ型式",
    u"VHFアンテナ利得",
    u"UHFアンテナ型式",
    u"UHFアンテナ利得",
    u"BSアンテナ型式",
    u"BSアンテナ利得",
    u"混合器型式",
    u"混合器通過損失 VHF",
    u"混合器通過損失 UHF",
    u"混合器通過損失 BS",
    u"同軸ケーブル種別",
    u"同軸ケーブル損失 VHF (dB/100m)",
    u"同軸ケーブル損失 UHF (dB/100m)",
    u"同軸ケーブル損失 BS (dB/100m)",
    u"同軸ケーブル損失 CS (dB/100m)",
    u"同軸ケーブル長 (m)",
    u"VHF標準アンテナ出力 (Ev)",
    u"UHF標準アンテナ出力 (Eu)",
    u"BS標準アンテナ出力 (Ebs)",
    u"CS標準アンテナ出力 (Ecs)",
    u"ブースター入力レベル VHF",
    u"ブースター入力レベル UHF",
    u"ブースター入力レベル BS",
    u"ブースター入力レベル CS",
    u"分岐器 BS-C2 挿入（通過）個数",
    u"分岐器 BS-C4 挿入（通過）個数",
    u"分岐器 CS-C2 挿入（通過）個数",
    u"分岐器 CS-C4 挿入（通過）個数",
    u"分岐器 BS-C2 分岐結合個数",
    u"分岐器 BS-C4 分岐結合個数",
    u"分岐器 CS-C2 分岐結合個数",
    u"分岐器 CS-C4 分岐結合個数",
    u"分配器 BS-D2 個数",
    u"分配器 BS-D4 個数",
    u"分配器 BS-D6 個数",
    u"分配器 CS-D2 個数",
    u"分配器 CS-D4 個数",
    u"分配器 CS-D6 個数",
    u"ケーブル長 ５C-2V (m)",
    u"ケーブル長 ７C-2V (m)",
    u"ケーブル長 S-5C-FB (m)",
    u"ケーブル長 S-7C-FB (m)",
    u"ケーブル長 S-5C-HFL (m)",
    u"ケーブル長 S-7C-HFL (m)",
    u"ケーブル長 S-10C-HFL (m)",
    u"直列ユニット・テレビ端子の種類",
    u"直列ユニット挿入損失 VHF",
    u"直列ユニット挿入損失 UHF",
    u"直列ユニット挿入損失 BS",
    u"直列ユニット挿入損失 CS",
    u"直列ユニット結合損失 VHF",
    u"直列ユニット結合損失 UHF",
    u"直列ユニット結合損失 BS",
    u"直列ユニット結合損失 CS",
    u"直列ユニット台数",
    u"ブースター出力レベル VHF",
    u"ブースター出力レベル UHF",
    u"ブースター出力レベル BS",
    u"ブースター出力レベル CS",
    u"ｱﾝﾃﾅﾃﾞｰﾀを使用",
    u"損失計算結果 VHF",
    u"損失計算結果 UHF",
    u"損失計算結果 BS",
    u"損失計算結果 CS",
    u"計算回路名",
    u"直列ユニット損失の見出し（上段）",
    u"直列ユニット損失の見出し（下段）",
};

} // namespace

QString projectRecordName(int number) {
    if (number < 1 || number > ProjectRecordCount)
        return QStringLiteral("%1 番目の項目").arg(number);
    return QString::fromUtf16(RecordNames[number - 1]);
}

} // namespace miravel::project
