#include "common/oserror.h"

#include <cerrno>

namespace miravel::common {

QString systemErrorText(int error) {
    switch (error) {
    case ENOSPC:
        return QStringLiteral("ディスクの空き容量が足りません");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量が上限に達しました");
    case EFBIG:
        return QStringLiteral("ファイルの大きさが上限を超えました");
    case EIO:
        return QStringLiteral("ディスクの読み書きでエラーが起きました");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスする権限がありません");
    case ENOENT:
        return QStringLiteral("ファイルまたはフォルダーがありません");
    case ENOTDIR:
        return QStringLiteral("パスの途中にフォルダーでないものがあります");
    case EISDIR:
        return QStringLiteral("フォルダーです");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("ファイルが使用中です");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("装置が見つかりません");
    case ECANCELED:
        return QStringLiteral("書き込む内容を作れませんでした");
    case 0:
        return QStringLiteral("原因は分かりません");
    default:
        return QStringLiteral("システムのエラー番号 %1").arg(error);
    }
}

} // namespace miravel::common
