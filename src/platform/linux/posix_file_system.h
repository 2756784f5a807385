#pragma once

#include "platform/file_system.h"

#include <memory>

namespace kadoru {

class MountSource;

// The file-system services on a POSIX system, straight on the system calls so that
// each failure keeps its real cause.
class PosixFileSystem final : public FileSystem {
public:
    PosixFileSystem();
    ~PosixFileSystem() override;
    PosixFileSystem(const PosixFileSystem&) = delete;
    PosixFileSystem& operator=(const PosixFileSystem&) = delete;
    PosixFileSystem(PosixFileSystem&&) = delete;
    PosixFileSystem& operator=(PosixFileSystem&&) = delete;

    // The card.
    std::vector<FileEntry> files(const std::string& folder) const override;
    std::vector<std::string> entry_names(const std::string& folder) const override;
    std::optional<std::vector<std::string>>
    stored_entry_names(const std::string& folder) const override;
    FolderRoom folder_room(const std::string& folder) const override;
    bool is_folder(const std::string& path) const override;
    bool is_file(const std::string& path) const override;
    bool same_file(const std::string& a, const std::string& b) const override;
    std::optional<FileId> file_id(const std::string& path) const override;
    void delete_file(const std::string& path) override;
    void copy_file_or_stop(const std::string& from, const std::string& to,
                           std::stop_token stop) override;
    void create_empty_file(const std::string& path) override;
    void move_entry(const std::string& from, const std::string& to) override;
    void make_folder(const std::string& path) override;
    void remove_empty_folder(const std::string& path) override;

    // The source folders, beyond what the card has too.
    std::vector<std::string> subfolders(const std::string& folder) const override;
    std::optional<FileStamp> readable_file(const std::string& path) const override;
    std::string read_file(const std::string& path, std::size_t max_bytes) const override;

    // The settings record, beyond what the card has too.
    void write_text(const std::string& path, std::string_view text) override;
    std::string read_first_line(const std::string& path) const override;
    void create_folder(const std::string& path) override;

private:
    // The system's mount table: which volume a folder lies on, where a driver lists
    // entries out of their stored order.
    std::unique_ptr<MountSource> mounts_;
};

} // namespace kadoru
