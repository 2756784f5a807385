#include "app/stand_in.h"

#include "platform/failure.h"

#include <filesystem>
#include <system_error>

namespace kadoru {

namespace fs = std::filesystem;

std::string StandInDrives::root_of(std::string_view drive) const {
    if (drive != "c:")
        throw Failure(failure_code::device_unavailable);
    return "/";
}

std::string StandInDrives::current_folder(std::string_view drive) const {
    if (drive != "c:")
        throw Failure(failure_code::device_unavailable);
    return current_;
}

void StandInDrives::set_current_folder(std::string_view drive, const std::string& folder) {
    if (drive == "c:")
        current_ = folder;
}

std::vector<FileEntry> StandInFileSystem::files(const std::string& folder) const {
    std::vector<FileEntry> result;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file(error))
            result.push_back({entry.path().filename().string(), entry.file_size(error)});
    if (error)
        throw Failure(failure_code::path_not_found);
    return result;
}

std::vector<std::string> StandInFileSystem::subfolders(const std::string& folder) const {
    std::vector<std::string> result;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_directory(error))
            result.push_back(entry.path().filename().string());
    if (error)
        throw Failure(failure_code::path_not_found);
    return result;
}

bool StandInFileSystem::is_folder(const std::string& path) const {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool StandInFileSystem::same_file(const std::string& a, const std::string& b) const {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

void StandInFileSystem::delete_file(const std::string& /*path*/) {
    throw Failure(failure_code::permission_denied);
}

void StandInFileSystem::copy_file(const std::string& /*from*/, const std::string& /*to*/) {
    throw Failure(failure_code::permission_denied);
}

void StandInFileSystem::write_text(const std::string& /*path*/, std::string_view /*text*/) {
    throw Failure(failure_code::permission_denied);
}

std::string StandInFileSystem::read_first_line(const std::string& /*path*/) const {
    throw Failure(failure_code::file_not_found);
}

void connect_stand_in_lists(MainViewModel& model) {
    for (const char* type : {"MP3", "WMA", "WAV"})
        model.combo_ftype.add_item(type);
    const auto list_folder = [&model] {
        model.file1.set_pattern("*." + model.combo_ftype.text());
        model.file1.set_path(model.dir1.path());
    };
    model.dir1.on_change = list_folder;
    model.combo_ftype.on_click = list_folder;
    list_folder();
}

} // namespace kadoru
