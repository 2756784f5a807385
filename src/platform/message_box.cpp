#include "platform/message_box.h"

#include "platform/failure.h"

namespace kadoru {

std::string not_ready_message(std::string_view drive) {
    return "ドライブ" + std::string(drive) + "の準備が出来ていません";
}

std::string error_message(int code) {
    return "Error：" + std::to_string(code) + "で異常終了しました";
}

std::string failure_message(const Failure& failure) {
    if (failure.code() == failure_code::disk_not_ready && !failure.drive().empty())
        return not_ready_message(failure.drive());
    return error_message(failure.code());
}

} // namespace kadoru
