#include "platform/removal_reasons.h"

namespace kadoru {

Failure drive_busy_failure() {
    return {failure_code::permission_denied,
            "ドライブが使用中です。開いているファイルを閉じてください。"};
}

Failure removal_denied_failure() {
    return {failure_code::permission_denied, "取り出す権限がありません。"};
}

} // namespace kadoru
