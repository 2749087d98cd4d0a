#include "Errors.h"

#include <cerrno>

namespace kolvo {

EInOutError::EInOutError(int code) : std::runtime_error(InOutErrorMessage(code)), code_(code) {}

std::string InOutErrorMessage(int code) {
    switch (code) {
    case 2:
        return "ファイルが見つかりません";
    case 3:
        return "ファイル名の指定が間違っています";
    case 4:
        return "オープンしたファイルが多すぎます";
    case 5:
        return "ファイルへのアクセスが拒否されました";
    case 100:
        return "ファイルの末尾以降を読み込みました";
    case 101:
        return "ディスクがいっぱいです";
    case 106:
        return "入力値が数値ではありません";
    default:
        return "I/O エラー (" + std::to_string(code) + ")";
    }
}

int InOutCodeFromErrno(int err) {
    switch (err) {
    case ENOENT:
        return 2;
    case ENOTDIR:
    case EINVAL:
    case ENAMETOOLONG:
    case EISDIR:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
        return 5;
    case ENOSPC:
        return 101;
    case EIO:
        // The system's device error: errno 5 would otherwise read as "access denied".
        return 1117;
    default:
        return err;
    }
}

} // namespace kolvo
