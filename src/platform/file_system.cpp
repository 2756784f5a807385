#include "platform/file_system.h"

#include "platform/failure.h"

#include <utility>

namespace kadoru {

void FileSystem::create_folder(const std::string& /*path*/) {
    throw Failure(failure_code::path_file_access_error);
}

void FileSystem::copy_file_or_stop(const std::string& from, const std::string& to,
                                   std::stop_token /*stop*/) {
    copy_file(from, to);
}

std::vector<std::string> FileSystem::entry_names(const std::string& folder) const {
    std::vector<std::string> names;
    for (auto& file : files(folder))
        names.push_back(std::move(file.name));
    for (auto& name : subfolders(folder))
        names.push_back(std::move(name));
    return names;
}

std::optional<std::vector<std::string>>
FileSystem::stored_entry_names(const std::string& folder) const {
    return entry_names(folder);
}

void FileSystem::create_empty_file(const std::string& /*path*/) {
    throw Failure(failure_code::path_file_access_error);
}

std::optional<std::uint64_t> FileSystem::readable_file_size(const std::string& /*path*/) const {
    return std::nullopt;
}

std::string FileSystem::read_file(const std::string& /*path*/, std::size_t /*max_bytes*/) const {
    throw Failure(failure_code::path_file_access_error);
}

} // namespace kadoru
