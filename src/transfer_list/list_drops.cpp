#include "transfer_list/list_drops.h"

#include "platform/failure.h"
#include "platform/file_list.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/source_files.h"
#include "platform/std_path.h"
#include "platform/text_files.h"
#include "transfer_list/list_size.h"
#include "transfer_list/playlist.h"
#include "transfer_list/transfer_list.h"

#include <filesystem>

namespace kadoru {

namespace {

namespace stdfs = std::filesystem;

// Appends the files one by one and counts those that cannot be added.
class Appender {
public:
    explicit Appender(const PathAdding& adding) : adding_(adding) {}

    void file(const std::string& path) {
        const auto file =
            std_path(path).is_absolute() ? adding_.fs.readable_file(path) : std::nullopt;
        if (!file || adding_.list2.count() >= TransferList::max_rows) {
            ++skipped_;
            return;
        }
        const std::string name = utf8_of(std_path(path).filename());
        adding_.list2.append({name, path, std::to_string(file->size)});
    }

    // The folder's files of the type, listed as the file list lists them.
    void folder(const std::string& path, const std::string& type_text) {
        FileList listing(adding_.fs);
        listing.show(path, "*." + type_text);
        for (int i = 0; i < listing.count(); ++i)
            file(join_path(path, listing.row(i)));
    }

    void playlist(const std::string& path) {
        const std::string bytes = adding_.fs.read_file(path, max_playlist_bytes);
        const std::string folder = utf8_of(std_path(path).parent_path());
        for (const auto& entry : parse_playlist(bytes, folder, playlist_kind(path)))
            file(entry);
    }

    void skip() { ++skipped_; }

    // list_size whatever was added, as the add buttons do; then the one message.
    void finish() {
        list_size(adding_.list2, adding_.total_size, adding_.label7);
        if (skipped_ > 0)
            adding_.messages.show(skipped_message(skipped_));
    }

private:
    const PathAdding& adding_;
    int skipped_ = 0;
};

} // namespace

std::string skipped_message(int skipped) {
    return "追加できなかったファイルが" + std::to_string(skipped) + "個あります";
}

void add_dropped(const PathAdding& adding, const std::vector<std::string>& paths,
                 const std::string& type_text) {
    Appender appender(adding);
    for (const auto& path : paths) {
        const bool absolute = std_path(path).is_absolute();
        if (absolute && adding.fs.is_folder(path)) {
            // A folder that cannot be read lists nothing; it counts as one skipped.
            try {
                adding.fs.files(path);
            } catch (const Failure&) {
                appender.skip();
                continue;
            }
            appender.folder(path, type_text);
        } else if (absolute && is_playlist_name(path) && adding.fs.readable_file(path)) {
            try {
                appender.playlist(path);
            } catch (const Failure&) {
                appender.skip();
            }
        } else {
            appender.file(path);
        }
    }
    appender.finish();
}

void add_playlist(const PathAdding& adding, const std::string& playlist_path) {
    Appender appender(adding);
    appender.playlist(playlist_path);
    appender.finish();
}

void save_playlist(const TransferList& list2, TextFiles& fs, const std::string& playlist_path) {
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(list2.count()));
    for (int i = 0; i < list2.count(); ++i)
        paths.push_back(list2.row(i).source_path);
    const std::string folder = utf8_of(std_path(playlist_path).parent_path());
    fs.write_text(playlist_path, playlist_text(paths, folder));
}

} // namespace kadoru
