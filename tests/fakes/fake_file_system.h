#pragma once

#include "fakes/fake_paths.h"
#include "platform/failure.h"
#include "platform/file_system.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kadoru::test {

template <class Files> auto find(Files& files, const std::string& name) {
    return std::find_if(files.begin(), files.end(),
                        [&](const FileEntry& f) { return f.name == name; });
}

// An in-memory file system. Folders keep their files in the order they were
// created, as a directory read on a card would; paths use "/" (fake_path).
class FakeFileSystem final : public FileSystem {
public:
    struct Folder {
        std::vector<FileEntry> files;
        std::set<std::string> subfolders;
    };

    // Every operation on a path listed here fails with that number.
    std::map<std::string, int> failures;
    // Files that cannot be deleted without forcing.
    std::set<std::string> read_only;
    // Files the program may not read.
    std::set<std::string> unreadable;
    // "copy from -> to", "delete path", "write path", "create path", "create empty path",
    // "move from -> to", "make folder path", "remove folder path" in the order they happened.
    std::vector<std::string> log;
    std::map<std::string, std::string> texts;
    // Runs at the start of every copy, before anything is written: a test can move
    // a clock, change a drive or make the copy fail by throwing from here.
    std::function<void(const std::string& from, const std::string& to)> on_copy;
    // Runs at the start of every files() call, to change the folder between two
    // listings as another program might.
    std::function<void(const std::string& folder)> before_files;
    // Runs at the start of every move; a test can end the program there by throwing.
    std::function<void(const std::string& from, const std::string& to)> on_move;

    void add_folder(const std::string& given_path) {
        const std::string path = fake_path(given_path);
        folders_[path];
        const auto cut = path.find_last_of('/');
        if (cut != std::string::npos && path.size() > 1) {
            const std::string parent = cut == 0 ? "/" : path.substr(0, cut);
            add_folder(parent);
            folders_[parent].subfolders.insert(path.substr(cut + 1));
        }
    }
    void add_file(const std::string& given_path, std::uint64_t size) {
        const std::string path = fake_path(given_path);
        const auto [folder, name] = split(path);
        add_folder(folder);
        auto& files = folders_[folder].files;
        const auto it = find(files, name);
        if (it != files.end())
            it->size = size;
        else
            files.push_back({name, size});
    }
    void remove_file(const std::string& given_path) {
        const std::string path = fake_path(given_path);
        const auto [folder, name] = split(path);
        auto& files = folders_.at(folder).files;
        files.erase(find(files, name));
    }
    void remove_folder(const std::string& path) { folders_.erase(fake_path(path)); }
    bool exists(const std::string& given_path) const {
        const std::string path = fake_path(given_path);
        const auto [folder, name] = split(path);
        const auto it = folders_.find(folder);
        return it != folders_.end() && find(it->second.files, name) != it->second.files.end();
    }
    std::vector<std::string> names(const std::string& given_folder) const {
        const std::string folder = fake_path(given_folder);
        std::vector<std::string> result;
        for (const auto& f : folders_.at(folder).files)
            result.push_back(f.name);
        return result;
    }

    std::vector<FileEntry> files(const std::string& given_folder) const override {
        const std::string folder = fake_path(given_folder);
        if (before_files)
            before_files(folder);
        check(folder);
        const auto it = folders_.find(folder);
        if (it == folders_.end())
            throw Failure(failure_code::path_not_found);
        return it->second.files;
    }
    std::vector<std::string> subfolders(const std::string& given_folder) const override {
        const std::string folder = fake_path(given_folder);
        check(folder);
        const auto it = folders_.find(folder);
        if (it == folders_.end())
            throw Failure(failure_code::path_not_found);
        return {it->second.subfolders.begin(), it->second.subfolders.end()};
    }
    // Files first, then folders: no card order is stored here.
    std::vector<std::string> entry_names(const std::string& given_folder) const override {
        const std::string folder = fake_path(given_folder);
        std::vector<std::string> names;
        for (auto& file : files(folder))
            names.push_back(std::move(file.name));
        for (auto& name : subfolders(folder))
            names.push_back(std::move(name));
        return names;
    }
    std::optional<std::vector<std::string>>
    stored_entry_names(const std::string& given_folder) const override {
        const std::string folder = fake_path(given_folder);
        return entry_names(folder);
    }
    FolderRoom folder_room(const std::string& /*folder*/) const override { return {}; }
    bool is_folder(const std::string& path) const override {
        return folders_.count(fake_path(path)) != 0;
    }
    bool is_file(const std::string& path) const override { return exists(path); }
    bool same_file(const std::string& given_a, const std::string& given_b) const override {
        const std::string a = fake_path(given_a);
        const std::string b = fake_path(given_b);
        return a == b && (exists(a) || is_folder(a));
    }

    // Every path is a file of its own here.
    std::optional<FileId> file_id(const std::string& given_path) const override {
        const std::string path = fake_path(given_path);
        if (!exists(path) && !is_folder(path))
            return std::nullopt;
        return FileId{0, std::hash<std::string>{}(path)};
    }

    void delete_file(const std::string& given_path) override {
        const std::string path = fake_path(given_path);
        check(path);
        const bool listed = exists(path);
        if (!listed && texts.count(path) == 0)
            throw Failure(failure_code::file_not_found);
        if (read_only.count(path) != 0)
            throw Failure(failure_code::permission_denied);
        log.push_back("delete " + path);
        if (listed)
            remove_file(path);
        texts.erase(path);
    }
    // Like the real one: a copy that fails leaves no partial file, and a file is
    // never copied onto itself.
    void copy_file_or_stop(const std::string& given_from, const std::string& given_to,
                           std::stop_token /*stop*/) override {
        const std::string from = fake_path(given_from);
        const std::string to = fake_path(given_to);
        if (on_copy)
            on_copy(from, to);
        check(from);
        check(to);
        if (same_file(from, to))
            throw Failure(failure_code::path_file_access_error);
        const auto [folder, name] = split(from);
        const auto it = folders_.find(folder);
        if (it == folders_.end() || find(it->second.files, name) == it->second.files.end())
            throw Failure(failure_code::file_not_found);
        if (folders_.count(split(to).first) == 0)
            throw Failure(failure_code::path_not_found);
        log.push_back("copy " + from + " -> " + to);
        add_file(to, find(it->second.files, name)->size);
    }
    void write_text(const std::string& given_path, std::string_view text) override {
        const std::string path = fake_path(given_path);
        check(path);
        log.push_back("write " + path);
        texts[path] = std::string(text);
    }
    std::string read_first_line(const std::string& given_path) const override {
        const std::string path = fake_path(given_path);
        check(path);
        const auto it = texts.find(path);
        if (it == texts.end())
            throw Failure(failure_code::file_not_found);
        if (it->second.empty())
            throw Failure(failure_code::input_past_end);
        return it->second.substr(0, it->second.find_first_of("\r\n"));
    }
    void create_folder(const std::string& given_path) override {
        const std::string path = fake_path(given_path);
        check(path);
        log.push_back("create " + path);
        add_folder(path);
    }
    void create_empty_file(const std::string& given_path) override {
        const std::string path = fake_path(given_path);
        check(path);
        refuse_new_entry(path);
        log.push_back("create empty " + path);
        add_file(path, 0);
    }
    // A file keeps its size under the new name; a folder takes what it holds along.
    void move_entry(const std::string& given_from, const std::string& given_to) override {
        const std::string from = fake_path(given_from);
        const std::string to = fake_path(given_to);
        check(from);
        check(to);
        refuse_new_entry(to);
        if (on_move)
            on_move(from, to);
        if (exists(from)) {
            const auto [folder, name] = split(from);
            const std::uint64_t size = find(folders_.at(folder).files, name)->size;
            log.push_back("move " + from + " -> " + to);
            remove_file(from);
            add_file(to, size);
            return;
        }
        if (!is_folder(from))
            throw Failure(failure_code::file_not_found);
        log.push_back("move " + from + " -> " + to);
        std::map<std::string, Folder> moved;
        for (auto it = folders_.begin(); it != folders_.end();) {
            if (it->first == from || it->first.rfind(from + "/", 0) == 0) {
                moved[to + it->first.substr(from.size())] = std::move(it->second);
                it = folders_.erase(it);
            } else {
                ++it;
            }
        }
        folders_[split(from).first].subfolders.erase(split(from).second);
        folders_.merge(moved);
        add_folder(to);
    }
    void make_folder(const std::string& given_path) override {
        const std::string path = fake_path(given_path);
        check(path);
        refuse_new_entry(path);
        log.push_back("make folder " + path);
        add_folder(path);
    }
    void remove_empty_folder(const std::string& given_path) override {
        const std::string path = fake_path(given_path);
        check(path);
        const auto it = folders_.find(path);
        if (it == folders_.end())
            throw Failure(failure_code::path_not_found);
        if (!it->second.files.empty() || !it->second.subfolders.empty())
            throw Failure(failure_code::path_file_access_error);
        log.push_back("remove folder " + path);
        folders_.erase(it);
        folders_[split(path).first].subfolders.erase(split(path).second);
    }

    // A listed file, or a text written or given in texts.
    std::optional<FileStamp> readable_file(const std::string& given_path) const override {
        const std::string path = fake_path(given_path);
        if (unreadable.count(path) != 0 || failures.count(path) != 0)
            return std::nullopt;
        const auto [folder, name] = split(path);
        const auto it = folders_.find(folder);
        if (it != folders_.end())
            if (const auto file = find(it->second.files, name); file != it->second.files.end())
                return FileStamp{file->size};
        if (const auto text = texts.find(path); text != texts.end())
            return FileStamp{text->second.size()};
        return std::nullopt;
    }
    std::string read_file(const std::string& given_path, std::size_t max_bytes) const override {
        const std::string path = fake_path(given_path);
        check(path);
        const auto it = texts.find(path);
        if (it == texts.end() || unreadable.count(path) != 0)
            throw Failure(failure_code::file_not_found);
        if (it->second.size() > max_bytes)
            throw Failure(failure_code::path_file_access_error);
        return it->second;
    }

private:
    // A new entry needs its folder, and a name nothing there has yet.
    void refuse_new_entry(const std::string& path) const {
        if (exists(path) || is_folder(path))
            throw Failure(failure_code::file_already_exists);
        if (folders_.count(split(path).first) == 0)
            throw Failure(failure_code::path_not_found);
    }
    static std::pair<std::string, std::string> split(const std::string& given_path) {
        const std::string path = fake_path(given_path);
        const auto cut = path.find_last_of('/');
        return {cut == 0 ? "/" : path.substr(0, cut), path.substr(cut + 1)};
    }
    void check(const std::string& given_path) const {
        const std::string path = fake_path(given_path);
        const auto it = failures.find(path);
        if (it != failures.end())
            throw Failure(it->second);
    }

    std::map<std::string, Folder> folders_;
};

} // namespace kadoru::test
