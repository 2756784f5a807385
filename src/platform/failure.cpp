#include "platform/failure.h"

#include <utility>

namespace kadoru {

std::string failure_description(int code) {
    namespace fc = failure_code;
    switch (code) {
    case fc::internal_error:
        return "内部エラーです。";
    case fc::file_not_found:
        return "ファイルが見つかりません。";
    case fc::device_io_error:
        return "デバイス I/O エラーです。";
    case fc::file_already_exists:
        return "既に同名のファイルが存在しています。";
    case fc::disk_full:
        return "ディスクの空き容量が不足しています。";
    case fc::input_past_end:
        return "ファイルの終わりを越えて入力しようとしました。";
    case fc::device_unavailable:
        return "デバイスが準備されていません。";
    case fc::permission_denied:
        return "書き込みできません。";
    case fc::disk_not_ready:
        return "ディスクが準備されていません。";
    case fc::path_file_access_error:
        return "パス名が無効です。";
    case fc::path_not_found:
        return "パスが見つかりません。";
    default:
        return "アプリケーション定義またはオブジェクト定義のエラーです。";
    }
}

Failure::Failure(int code) : Failure(code, failure_description(code)) {
}

Failure::Failure(int code, const std::string& description)
    : std::runtime_error(description), code_(code) {
}

Failure Failure::on_drive(std::string drive) const {
    Failure said = *this;
    said.drive_ = std::move(drive);
    return said;
}

} // namespace kadoru
