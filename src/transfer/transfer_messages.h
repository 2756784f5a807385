#pragma once

#include <string>
#include <string_view>

namespace kadoru {

// The texts and titles of the run's own messages; the two failure messages are
// platform's (not_ready_message, error_message).
inline constexpr std::string_view select_files_message = "ファイルを選択してください";
inline constexpr std::string_view delete_title = "削除の確認";
inline constexpr std::string_view no_room_title = "容量不足";
inline constexpr std::string_view finished_message = "処理が終了しました";

// Asks whether to delete the files of the type in the drive's root folder.
std::string delete_question(std::string_view drive, std::string_view type_text);
// Tells that the drive has too little free space for the whole list.
std::string no_room_message(std::string_view drive);

} // namespace kadoru
