#include "platform/message_box.h"

#include "platform/failure.h"

namespace kadoru {

std::string not_ready_message(std::string_view drive) {
    return "ドライブ" + std::string(drive) + "の準備が出来ていません";
}

std::string error_message(int code) {
    return "Error：" + std::to_string(code) + "で異常終了しました";
}

std::string failure_message(const Failure& failure, Telling how) {
    switch (how) {
    case Telling::by_number:
        return error_message(failure.code());
    case Telling::described:
        return std::string(failure.what()) + "(" + std::to_string(failure.code()) + ")";
    case Telling::removal:
        return "ドライブ" + failure.drive() + "を取り出せませんでした\n" + failure.what();
    case Telling::generic:
        break;
    }
    if (failure.code() == failure_code::disk_not_ready && !failure.drive().empty())
        return not_ready_message(failure.drive());
    return error_message(failure.code());
}

Failure as_failure(const std::exception& error) {
    if (const auto* failure = dynamic_cast<const Failure*>(&error))
        return *failure;
    return Failure(failure_code::internal_error);
}

} // namespace kadoru
