#pragma once

#include <string_view>

namespace kadoru {

// Every text the windows themselves show, in one place below the toolkit.
namespace window_text {

// The progress window "status".
inline constexpr std::string_view progress_title = "MP3データ転送中";
inline constexpr std::string_view progress_text = "処理中です。しばらくお待ちください。";

} // namespace window_text

} // namespace kadoru
