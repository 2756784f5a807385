#pragma once

#include "app/main_actions.h"
#include "app/main_view_model.h"
#include "platform/drives.h"
#include "platform/file_system.h"

#include <string>

namespace kadoru {

// Stand-ins that let the window start and be looked at until the real drive table,
// file system and actions are wired in: one drive, the root file system as "c:",
// read-only folders, and buttons that do nothing.
class StandInDrives final : public Drives {
public:
    std::vector<DriveInfo> list() const override { return {{"c:", "/", "/"}}; }
    std::string root_of(std::string_view drive) const override;
    std::string drive_of(std::string_view /*path*/) const override { return "c:"; }
    bool is_known(std::string_view drive) const override { return drive == "c:"; }
    bool is_ready(std::string_view drive) const override { return drive == "c:"; }
    std::string current_folder(std::string_view drive) const override;
    void set_current_folder(std::string_view drive, const std::string& folder) override;
    std::uint64_t free_space(std::string_view /*drive*/) const override { return 0; }
    std::uint64_t total_size(std::string_view /*drive*/) const override { return 0; }
    std::string file_system_type(std::string_view /*drive*/) const override { return {}; }

private:
    std::string current_ = "/";
};

class StandInFileSystem final : public FileSystem {
public:
    std::vector<FileEntry> files(const std::string& folder) const override;
    std::vector<std::string> subfolders(const std::string& folder) const override;
    bool is_folder(const std::string& path) const override;
    bool same_file(const std::string& a, const std::string& b) const override;
    void delete_file(const std::string& path) override;
    void copy_file(const std::string& from, const std::string& to) override;
    void write_text(const std::string& path, std::string_view text) override;
    std::string read_first_line(const std::string& path) const override;
};

// Lets the file list follow the folder list, so the window shows what it is for.
void connect_stand_in_lists(MainViewModel& model);

class StandInActions final : public MainActions {
public:
    void start() override {}
    void close() override {}
    void add() override {}
    void add_all() override {}
    void remove() override {}
    void clear() override {}
    void move_up() override {}
    void move_down() override {}
    void refresh() override {}
};

} // namespace kadoru
