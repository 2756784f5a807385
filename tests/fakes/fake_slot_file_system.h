#pragma once

#include "fakes/fake_paths.h"
#include "platform/ascii_case.h"
#include "platform/failure.h"
#include "platform/file_system.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru::test {

// How many directory slots a name takes, as each kind of driver stores it.
namespace slots {
// The Linux vfat driver: an upper-case 8.3 name is one short entry; any other name
// adds one long-name entry per 13 characters.
inline int vfat(std::string_view name) {
    const auto dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view ext = dot == std::string_view::npos ? "" : name.substr(dot + 1);
    const bool short_name =
        !base.empty() && base.size() <= 8 && ext.size() <= 3 &&
        ext.find('.') == std::string_view::npos &&
        std::none_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; }) &&
        name.find(' ') == std::string_view::npos;
    return short_name ? 1 : static_cast<int>((name.size() + 12) / 13) + 1;
}
// The FUSE FAT driver gives every name a long-name entry.
inline int fusefat(std::string_view name) {
    return static_cast<int>((name.size() + 12) / 13) + 1;
}
// exFAT: a file entry, a stream entry, and one name entry per 15 characters.
inline int exfat(std::string_view name) {
    return 2 + static_cast<int>((name.size() + 14) / 15);
}
} // namespace slots

// A file system whose folders hand out directory slots as FAT and exFAT do: a new
// entry takes the first run of free slots long enough for its name, a deleted one
// frees its slots, a file copied over an existing one keeps its entry, and a folder
// read gives the entries in slot order. Names are compared without regard to case.
// Paths use "/" (fake_path); folders hold files and named subfolder entries only.
class SlotFileSystem final : public FileSystem {
public:
    explicit SlotFileSystem(std::function<int(std::string_view)> cost = slots::vfat,
                            std::size_t capacity = std::numeric_limits<std::size_t>::max())
        : cost_(std::move(cost)), capacity_(capacity) {}

    // The failure a full folder gives (the FUSE FAT driver says EPERM, Linux ENOSPC).
    int full_failure = failure_code::disk_full;
    // A driver whose folder read shows the entries made since mounting first, newest
    // first, as the FUSE exFAT driver does.
    bool lists_newest_first = false;
    // Whether a folder of limited slots tells how many are free (the kernel driver
    // does, the FUSE FAT driver does not).
    bool tells_room = true;
    // Runs at every entry made (placeholders and copies), before it is made.
    std::function<void(const std::string& path)> on_create;
    // Runs at every move, before it is made: a test can end one part-way by throwing.
    std::function<void(const std::string& from, const std::string& to)> on_move;
    std::set<std::string> read_only;
    // "create path", "copy from -> to", "delete path", "move from -> to", "make folder
    // path", "remove folder path" in the order they happened.
    std::vector<std::string> log;
    std::map<std::string, std::string> texts;

    void add_folder(const std::string& path) { folders_[fake_path(path)]; }
    // A file made before the run, outside the log.
    void put(const std::string& given_path, std::uint64_t size = 1000) {
        const std::string path = fake_path(given_path);
        const auto [folder, name] = split(path);
        allocate(folders_[folder], name, size, false);
    }
    void put_folder_entry(const std::string& given_folder, const std::string& name) {
        const std::string folder = fake_path(given_folder);
        allocate(folders_[folder], name, 0, true);
    }
    void erase(const std::string& given_path) {
        const std::string path = fake_path(given_path);
        const auto [folder, name] = split(path);
        release(folders_.at(folder), name);
    }
    bool exists(const std::string& given_path) const {
        return entry(fake_path(given_path)) != nullptr;
    }
    std::vector<FileEntry> files(const std::string& given_folder) const override {
        const std::string folder = fake_path(given_folder);
        std::vector<FileEntry> result;
        for (const Entry* e : in_slot_order(at(folder)))
            if (!e->folder)
                result.push_back({e->name, e->size});
        return result;
    }
    std::vector<std::string> subfolders(const std::string& given_folder) const override {
        const std::string folder = fake_path(given_folder);
        std::vector<std::string> result;
        for (const Entry* e : in_slot_order(at(folder)))
            if (e->folder)
                result.push_back(e->name);
        return result;
    }
    std::vector<std::string> entry_names(const std::string& given_folder) const override {
        const std::string folder = fake_path(given_folder);
        const Folder& f = at(folder);
        std::vector<const Entry*> order = in_slot_order(f);
        if (lists_newest_first)
            std::stable_sort(order.begin(), order.end(),
                             [](const Entry* a, const Entry* b) { return a->made > b->made; });
        std::vector<std::string> result;
        for (const Entry* e : order)
            result.push_back(e->name);
        return result;
    }
    // Where the read lists the newest first, the stored order cannot be told.
    std::optional<std::vector<std::string>>
    stored_entry_names(const std::string& given_folder) const override {
        const std::string folder = fake_path(given_folder);
        if (lists_newest_first)
            return std::nullopt;
        return entry_names(folder);
    }
    FolderRoom folder_room(const std::string& given_folder) const override {
        if (capacity_ == std::numeric_limits<std::size_t>::max())
            return {};
        if (!tells_room)
            return {FolderRoom::Kind::unknown};
        const auto& taken = at(fake_path(given_folder)).slots;
        return {FolderRoom::Kind::fixed,
                static_cast<int>(capacity_ - static_cast<std::size_t>(std::count_if(
                                                 taken.begin(), taken.end(),
                                                 [](const auto& s) { return !s.empty(); })))};
    }
    bool is_folder(const std::string& given_path) const override {
        const std::string path = fake_path(given_path);
        if (folders_.count(path) != 0)
            return true;
        const Entry* e = entry(path);
        return e != nullptr && e->folder;
    }
    bool is_file(const std::string& path) const override {
        return exists(path) && !is_folder(path);
    }
    bool same_file(const std::string& given_a, const std::string& given_b) const override {
        const std::string a = fake_path(given_a);
        const std::string b = fake_path(given_b);
        return same_ignoring_case(a, b) && exists(a);
    }
    // A path names one file whatever the case of its letters.
    std::optional<FileId> file_id(const std::string& given_path) const override {
        std::string path = fake_path(given_path);
        if (!exists(path))
            return std::nullopt;
        std::transform(path.begin(), path.end(), path.begin(), ascii_lower);
        return FileId{0, std::hash<std::string>{}(path)};
    }

    void delete_file(const std::string& given_path) override {
        const std::string path = fake_path(given_path);
        const auto [folder, name] = split(path);
        Folder& f = at(folder);
        const Entry* e = f.find(name);
        if (e == nullptr)
            throw Failure(failure_code::file_not_found);
        if (e->folder)
            throw Failure(failure_code::path_file_access_error);
        if (read_only.count(e->name) != 0)
            throw Failure(failure_code::permission_denied);
        log.push_back("delete " + path);
        release(f, name);
    }
    void copy_file_or_stop(const std::string& given_from, const std::string& given_to,
                           std::stop_token /*stop*/) override {
        const std::string from = fake_path(given_from);
        const std::string to = fake_path(given_to);
        const Entry* source = entry(from);
        if (source == nullptr || source->folder)
            throw Failure(failure_code::file_not_found);
        const std::uint64_t size = source->size;
        const auto [folder, name] = split(to);
        Folder& f = at(folder);
        log.push_back("copy " + from + " -> " + to);
        if (Entry* existing = f.find(name)) {
            existing->size = size; // rewritten in place: the entry stays where it was
            return;
        }
        if (on_create)
            on_create(to);
        allocate(f, name, size, false);
    }
    void create_empty_file(const std::string& given_path) override {
        const std::string path = fake_path(given_path);
        const auto [folder, name] = split(path);
        Folder& f = at(folder);
        if (f.find(name) != nullptr)
            throw Failure(failure_code::file_already_exists);
        if (on_create)
            on_create(path);
        log.push_back("create " + path);
        allocate(f, name, 0, false);
    }
    // As the Linux vfat driver renames: the new entry first, in the first run of free
    // slots long enough for the new name, while the old entry still holds its own;
    // then the old one goes. So even a move within one folder changes the entry's
    // place, and a name with no room left keeps the old entry as it was.
    void move_entry(const std::string& given_from, const std::string& given_to) override {
        const std::string from = fake_path(given_from);
        const std::string to = fake_path(given_to);
        const auto [source_folder, source_name] = split(from);
        Folder& sf = at(source_folder);
        const Entry* source = sf.find(source_name);
        if (source == nullptr)
            throw Failure(failure_code::file_not_found);
        const auto [folder, name] = split(to);
        Folder& f = at(folder);
        if (const Entry* existing = f.find(name); existing != nullptr && existing != source)
            throw Failure(failure_code::file_already_exists);
        if (on_move)
            on_move(from, to);
        const Entry moved = *source; // the entries may move in memory as one is added
        allocate(f, name, moved.size, moved.folder);
        release_at(sf, moved.first_slot);
        log.push_back("move " + from + " -> " + to);
        if (moved.folder) {
            auto node = folders_.extract(from);
            node.key() = to;
            folders_.insert(std::move(node));
        }
    }
    void make_folder(const std::string& given_path) override {
        const std::string path = fake_path(given_path);
        const auto [folder, name] = split(path);
        Folder& f = at(folder);
        if (f.find(name) != nullptr)
            throw Failure(failure_code::file_already_exists);
        allocate(f, name, 0, true);
        folders_[path];
        log.push_back("make folder " + path);
    }
    void remove_empty_folder(const std::string& given_path) override {
        const std::string path = fake_path(given_path);
        const auto [folder, name] = split(path);
        Folder& f = at(folder);
        const Entry* e = f.find(name);
        if (e == nullptr || !e->folder)
            throw Failure(failure_code::path_not_found);
        if (const auto inside = folders_.find(path);
            inside != folders_.end() && !inside->second.entries.empty())
            throw Failure(failure_code::path_file_access_error);
        release_at(f, e->first_slot);
        folders_.erase(path);
        log.push_back("remove folder " + path);
    }
    // Text files (the settings) lie outside the slots.
    void write_text(const std::string& path, std::string_view text) override {
        texts[fake_path(path)] = text;
    }
    std::string read_first_line(const std::string& given_path) const override {
        const std::string path = fake_path(given_path);
        const auto it = texts.find(path);
        if (it == texts.end())
            throw Failure(failure_code::file_not_found);
        return it->second.substr(0, it->second.find_first_of("\r\n"));
    }
    // A card holds no playlists nor settings folders.
    void create_folder(const std::string& /*path*/) override {
        throw Failure(failure_code::path_file_access_error);
    }
    std::optional<FileStamp> readable_file(const std::string& given_path) const override {
        const Entry* e = entry(fake_path(given_path));
        if (e == nullptr || e->folder)
            return std::nullopt;
        return FileStamp{e->size};
    }
    std::string read_file(const std::string& given_path, std::size_t /*max_bytes*/) const override {
        const auto it = texts.find(fake_path(given_path));
        if (it == texts.end())
            throw Failure(failure_code::file_not_found);
        return it->second;
    }

private:
    struct Entry {
        std::string name;
        std::uint64_t size = 0;
        bool folder = false;
        std::size_t first_slot = 0;
        int made = 0; // when the entry was made, for a read that lists the newest first
    };
    template <class Entries> static auto find_in(Entries& entries, std::string_view name) {
        return std::find_if(entries.begin(), entries.end(),
                            [&](const Entry& e) { return same_ignoring_case(e.name, name); });
    }
    struct Folder {
        std::vector<std::string> slots; // the owner of each slot, empty when free
        std::vector<Entry> entries;
        Entry* find(std::string_view name) {
            const auto it = find_in(entries, name);
            return it == entries.end() ? nullptr : &*it;
        }
        const Entry* find(std::string_view name) const {
            const auto it = find_in(entries, name);
            return it == entries.end() ? nullptr : &*it;
        }
    };

    static std::pair<std::string, std::string> split(const std::string& path) {
        const auto cut = path.find_last_of('/');
        return {cut == 0 ? "/" : path.substr(0, cut), path.substr(cut + 1)};
    }
    Folder& at(const std::string& folder) {
        const auto it = folders_.find(folder);
        if (it == folders_.end())
            throw Failure(failure_code::path_not_found);
        return it->second;
    }
    const Folder& at(const std::string& folder) const {
        const auto it = folders_.find(folder);
        if (it == folders_.end())
            throw Failure(failure_code::path_not_found);
        return it->second;
    }
    // The entry at the path, nullptr where its folder or it is missing.
    const Entry* entry(const std::string& path) const {
        const auto [folder, name] = split(path);
        const auto it = folders_.find(folder);
        return it == folders_.end() ? nullptr : it->second.find(name);
    }
    static std::vector<const Entry*> in_slot_order(const Folder& f) {
        std::vector<const Entry*> order;
        for (const auto& e : f.entries)
            order.push_back(&e);
        std::sort(order.begin(), order.end(),
                  [](const Entry* a, const Entry* b) { return a->first_slot < b->first_slot; });
        return order;
    }
    // First fit: the first run of free slots long enough, the folder growing at its end.
    void allocate(Folder& f, const std::string& name, std::uint64_t size, bool folder) {
        const auto need = static_cast<std::size_t>(cost_(name));
        std::size_t run = 0;
        for (std::size_t i = 0; i < capacity_; ++i) {
            run = i >= f.slots.size() || f.slots[i].empty() ? run + 1 : 0;
            if (run < need)
                continue;
            const std::size_t first = i + 1 - need;
            if (f.slots.size() < i + 1)
                f.slots.resize(i + 1);
            std::fill_n(f.slots.begin() + static_cast<std::ptrdiff_t>(first), need, name);
            f.entries.push_back({name, size, folder, first, ++made_});
            return;
        }
        throw Failure(full_failure);
    }
    void release(Folder& f, const std::string& name) {
        release_at(f, find_in(f.entries, name)->first_slot);
    }
    void release_at(Folder& f, std::size_t first_slot) {
        const auto it = std::find_if(f.entries.begin(), f.entries.end(),
                                     [&](const Entry& e) { return e.first_slot == first_slot; });
        const auto first = static_cast<std::ptrdiff_t>(it->first_slot);
        std::fill_n(f.slots.begin() + first, cost_(it->name), std::string{});
        f.entries.erase(it);
    }

    std::function<int(std::string_view)> cost_;
    std::size_t capacity_;
    std::map<std::string, Folder> folders_;
    int made_ = 0;
};

} // namespace kadoru::test
