#include "transfer/transfer_messages.h"

namespace kadoru {

std::string delete_question(std::string_view drive, std::string_view type_text) {
    // The drive is named as people know it, with its root folder's backslash,
    // whatever the system's own separator.
    std::string text(drive);
    text += "\\ の中の";
    text += type_text;
    text += "ファイルを削除しますか？";
    return text;
}

std::string no_room_message(std::string_view drive) {
    return std::string(drive) + " の空き領域が不足しています";
}

} // namespace kadoru
