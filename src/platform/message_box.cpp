#include "platform/message_box.h"

namespace kadoru {

std::string not_ready_message(std::string_view drive) {
    return "ドライブ" + std::string(drive) + "の準備が出来ていません";
}

std::string error_message(int code) {
    return "Error：" + std::to_string(code) + "で異常終了しました";
}

} // namespace kadoru
