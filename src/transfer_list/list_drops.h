#pragma once

#include <string>
#include <vector>

namespace kadoru {

class Label;
class MessageBox;
class SourceFiles;
class TextFiles;
class TransferList;

// What adding files from outside the file list works on: the list and its total, the
// files, and the box that says how many could not be added.
struct PathAdding {
    TransferList& list2;
    const SourceFiles& fs;
    MessageBox& messages;
    double& total_size;
    Label& label7;
};

// The largest playlist read; anything bigger is not a list of songs.
inline constexpr std::size_t max_playlist_bytes = std::size_t{16} * 1024 * 1024;

// Paths dropped from a file manager, appended in drop order with their sizes: a file
// as itself, a folder as its files of the type (type_text, "MP3") in the file list's
// order, a .m3u or .m3u8 file as its entries. Whatever is not a readable regular file
// (nor a readable folder or playlist) is skipped; one message gives the count. Then
// list_size.
void add_dropped(const PathAdding& adding, const std::vector<std::string>& paths,
                 const std::string& type_text);
// Appends a playlist's entries in order, missing ones skipped and counted in one
// message, then list_size. A playlist that cannot be read leaves as a Failure.
void add_playlist(const PathAdding& adding, const std::string& playlist_path);
// Writes the list's source paths, in list order, as an M3U8 playlist that replaces
// any file of that name at once and whole.
void save_playlist(const TransferList& list2, TextFiles& fs, const std::string& playlist_path);

// The message of the files that could not be added.
std::string skipped_message(int skipped);

} // namespace kadoru
