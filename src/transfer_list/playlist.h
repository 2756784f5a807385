#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

enum class PlaylistKind { m3u8, m3u }; // .m3u8 is UTF-8; .m3u is UTF-8 when valid, else CP932

// The entries' paths in order, absolute and lexically normalised; comments and #EXT lines skipped,
// relative paths resolved against playlist_folder (absolute), file:// URLs accepted, CRLF or LF,
// BOM skipped.
std::vector<std::string> parse_playlist(std::string_view bytes, const std::string& playlist_folder,
                                        PlaylistKind kind);

// Whether a file's name says it is a playlist (.m3u or .m3u8, any letter case), and which kind.
bool is_playlist_name(std::string_view path);
PlaylistKind playlist_kind(std::string_view path);

// An M3U8 playlist of the paths in order: UTF-8, "#EXTM3U" first, each path relative to
// playlist_folder where it lies below it, absolute otherwise; a path that would not read back
// as itself from a plain line (a line break or a leading "#" in it) is written as a file:// URL.
std::string playlist_text(const std::vector<std::string>& paths,
                          const std::string& playlist_folder);

} // namespace kadoru
