#pragma once

#include <string_view>

// Every text the windows themselves show, in one place below the toolkit: a window
// (Qt or Win32) takes its captions, menu entries, tooltips, dialog titles and file
// filters from here (the main window's captions through its layout table) and
// types none of its own. The messages the logic makes stay with the logic.
namespace kadoru::window_text {

inline constexpr std::string_view main_title = "Kadoru";

// The main window's captions, in the layout table.
inline constexpr std::string_view folder = "フォルダ";
inline constexpr std::string_view source_drive = "転送元ドライブ";
inline constexpr std::string_view destination_drive = "転送先ドライブ";
inline constexpr std::string_view capacity = "容量：";
inline constexpr std::string_view free_space = "空き領域：";
inline constexpr std::string_view file_type = "ファイルの種類";
inline constexpr std::string_view file_list = "ファイルリスト";
inline constexpr std::string_view transfer_list = "転送リスト";
inline constexpr std::string_view add = "追加";
inline constexpr std::string_view add_all = "全て追加";
inline constexpr std::string_view remove = "削除";
inline constexpr std::string_view clear = "全消去";
inline constexpr std::string_view refresh = "更新";
inline constexpr std::string_view start = "Start";
inline constexpr std::string_view close = "Close";
// The up and down buttons show a picture; this is their tooltip and accessible name.
inline constexpr std::string_view move_up = "１つ上に移動します";
inline constexpr std::string_view move_down = "１つ下に移動します";

// The transfer list's context menu, and the playlist dialogs it opens.
inline constexpr std::string_view add_playlist = "プレイリストを追加…";
inline constexpr std::string_view save_playlist = "プレイリストとして保存…";
inline constexpr std::string_view sort_by_name = "名前順に並べ替え";
inline constexpr std::string_view sort_by_track = "トラック番号順に並べ替え";
inline constexpr std::string_view shuffle = "シャッフル";
inline constexpr std::string_view add_playlist_title = "プレイリストを追加";
inline constexpr std::string_view save_playlist_title = "プレイリストとして保存";
// A filter's name and its patterns; the save dialog writes this extension.
inline constexpr std::string_view playlist_filter_name = "プレイリスト";
inline constexpr std::string_view open_playlist_patterns = "*.m3u *.m3u8 *.M3U *.M3U8";
inline constexpr std::string_view save_playlist_patterns = "*.m3u8";
inline constexpr std::string_view save_playlist_extension = "m3u8";

// The destination selector's menu.
inline constexpr std::string_view card_order_command = "カードの中の順序を表示";
inline constexpr std::string_view eject_command = "取り出す";

// The order window: the card's root folder in the order of its entries, and arranging.
inline constexpr std::string_view card_order_title = "カードの中の順序";
inline constexpr std::string_view card_order_name_heading = "ファイル名";
inline constexpr std::string_view card_order_size_heading = "サイズ";
inline constexpr std::string_view card_order_folder = "フォルダ"; // a folder's size column
inline constexpr std::string_view card_arrange_command = "曲を並べ替える…";
inline constexpr std::string_view card_arrange_caption =
    "再生させたい順に曲を並べてください（曲はコピーしません）";
inline constexpr std::string_view card_arrange_confirm = "この順序にする";
inline constexpr std::string_view card_arrange_cancel = "やめる";
inline constexpr std::string_view card_arrange_busy = "並べ替えています。しばらくお待ちください。";

// The progress window "status".
inline constexpr std::string_view progress_title = "MP3データ転送中";
inline constexpr std::string_view progress_text = "処理中です。しばらくお待ちください。";

} // namespace kadoru::window_text
