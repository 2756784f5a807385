#include "platform/windows/windows_file_system.h"

#include "platform/chunked_read.h"
#include "platform/failure.h"
#include "platform/paths.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_failure.h"
#include "platform/windows/win32_handles.h"
#include "platform/windows/windows_api.h"

#include <array>
#include <cstdio>
#include <random>

namespace kadoru {

namespace {

constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

DWORD attributes_of(const std::string& path) {
    return ::GetFileAttributesW(to_wide(path).c_str());
}

bool exists(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES;
}

bool is_directory(DWORD attributes) {
    return exists(attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool is_dot_or_dot_dot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Calls visit(entry) for every entry of the folder but "." and "..", in the order the
// directory search gives: on FAT and exFAT the order of the entries on the medium.
template <class Visit>
void each_entry(const std::string& folder, FINDEX_SEARCH_OPS search, Visit visit) {
    if (folder.empty())
        throw Failure(failure_code::path_not_found);
    WIN32_FIND_DATAW entry{};
    const UniqueFind find(::FindFirstFileExW(to_wide(join_path(folder, "*")).c_str(),
                                             FindExInfoBasic, &entry, search, nullptr, 0));
    if (find.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        const DWORD found = attributes_of(folder);
        // A root folder holds no "." and "..": nothing matched means an empty folder.
        if (error == ERROR_FILE_NOT_FOUND && is_directory(found))
            return;
        // A file where the folder should be: as good as no folder at all.
        if (exists(found) && !is_directory(found))
            throw Failure(failure_code::path_not_found);
        throw_win32(error, PathRole::folder);
    }
    do {
        if (!is_dot_or_dot_dot(entry.cFileName))
            visit(entry);
    } while (::FindNextFileW(find.get(), &entry));
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES)
        throw_win32(error, PathRole::folder);
}

std::uint64_t size_of(const WIN32_FIND_DATAW& entry) {
    return (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

UniqueHandle open_existing(const std::string& path, DWORD access, DWORD flags = 0) {
    return adopt_handle(::CreateFileW(to_wide(path).c_str(), access, share_all, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | flags, nullptr));
}

// A file to read: a regular file on a disk, not a folder, a device or a pipe.
UniqueHandle open_for_reading(const std::string& path) {
    if (is_directory(attributes_of(path)))
        throw Failure(failure_code::path_file_access_error);
    UniqueHandle file = open_existing(path, GENERIC_READ);
    if (!file)
        throw_last_error(PathRole::file);
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        throw Failure(failure_code::path_file_access_error);
    return file;
}

std::uint64_t size_of(HANDLE file) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size))
        throw_last_error(PathRole::file);
    return static_cast<std::uint64_t>(size.QuadPart);
}

// Hands the file's bytes to on_chunk as they are read, until the end of the file or
// until on_chunk returns false.
template <class OnChunk> void read_chunks(HANDLE file, OnChunk on_chunk) {
    std::array<char, 65536> buffer{};
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
            throw_last_error(PathRole::file);
        if (got == 0 || !on_chunk(std::string_view(buffer.data(), got)))
            return;
    }
}

void write_all(HANDLE file, std::string_view text) {
    while (!text.empty()) {
        DWORD put = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1U << 20));
        if (!::WriteFile(file, text.data(), chunk, &put, nullptr))
            throw_last_error(PathRole::file);
        text.remove_prefix(put);
    }
}

// A name beside the target that no other writer picks: created exclusively.
UniqueHandle create_beside(const std::string& path, std::string& temp) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::array<char, 16> suffix{};
        std::snprintf(suffix.data(), suffix.size(), ".~%08x", random());
        temp = path + suffix.data();
        UniqueHandle file =
            adopt_handle(::CreateFileW(to_wide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return UniqueHandle{};
}

// Whether a failed copy may have written the destination: failures met when the
// files are opened leave it as it was.
bool may_have_written(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return false;
    default:
        return true;
    }
}

// Whether a file of the copy's name must go before the copy is made: a link would be
// written through, and a file other names lead to would change under those too.
bool must_replace(const std::string& path, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return true;
    BY_HANDLE_FILE_INFORMATION info{};
    const UniqueHandle file = open_existing(path, 0);
    return file && ::GetFileInformationByHandle(file.get(), &info) && info.nNumberOfLinks > 1;
}

// Flushes the copy to the medium: the card may be pulled as soon as the run ends.
void flush_to_medium(const std::string& path) {
    const UniqueHandle file = open_existing(path, GENERIC_WRITE);
    if (!file || !::FlushFileBuffers(file.get()))
        throw_last_error(PathRole::file);
}

} // namespace

std::vector<FileEntry> WindowsFileSystem::files(const std::string& folder) const {
    std::vector<FileEntry> result;
    each_entry(folder, FindExSearchNameMatch, [&](const WIN32_FIND_DATAW& entry) {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            result.push_back({to_utf8(entry.cFileName), size_of(entry)});
    });
    return result;
}

std::vector<std::string> WindowsFileSystem::subfolders(const std::string& folder) const {
    std::vector<std::string> result;
    each_entry(folder, FindExSearchLimitToDirectories, [&](const WIN32_FIND_DATAW& entry) {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            result.push_back(to_utf8(entry.cFileName));
    });
    return result;
}

std::vector<std::string> WindowsFileSystem::entry_names(const std::string& folder) const {
    std::vector<std::string> names;
    each_entry(folder, FindExSearchNameMatch,
               [&](const WIN32_FIND_DATAW& entry) { names.push_back(to_utf8(entry.cFileName)); });
    return names;
}

// Windows' own FAT and exFAT drivers list a folder in its stored order.
std::optional<std::vector<std::string>>
WindowsFileSystem::stored_entry_names(const std::string& folder) const {
    return entry_names(folder);
}

FolderRoom WindowsFileSystem::folder_room(const std::string& folder) const {
    // Only a volume's root folder can be of set size: FAT12 and FAT16, which Windows
    // names "FAT". How many of its slots are free Windows does not tell.
    std::wstring root(folder.size() + 2, L'\0');
    std::array<wchar_t, MAX_PATH + 1> type{};
    if (::GetVolumePathNameW(to_wide(folder).c_str(), root.data(),
                             static_cast<DWORD>(root.size())) == 0 ||
        ::GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, type.data(),
                                static_cast<DWORD>(type.size())) == 0)
        return {};
    const std::wstring volume_root(root.c_str());
    const std::wstring asked = to_wide(folder);
    const bool is_root = asked == volume_root || asked + L"\\" == volume_root;
    if (!is_root || std::wstring(type.data()) != L"FAT")
        return {};
    return {FolderRoom::Kind::unknown};
}

bool WindowsFileSystem::is_folder(const std::string& path) const {
    return !path.empty() && is_directory(attributes_of(path));
}

bool WindowsFileSystem::is_file(const std::string& path) const {
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : attributes_of(path);
    return exists(attributes) && !is_directory(attributes);
}

bool WindowsFileSystem::same_file(const std::string& a, const std::string& b) const {
    const auto first = file_id(a);
    return first && first == file_id(b);
}

std::optional<FileId> WindowsFileSystem::file_id(const std::string& path) const {
    // Opened without access rights, links followed, folders too.
    BY_HANDLE_FILE_INFORMATION info{};
    const UniqueHandle file = open_existing(path, 0, FILE_FLAG_BACKUP_SEMANTICS);
    if (!file || !::GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    return FileId{info.dwVolumeSerialNumber,
                  (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

void WindowsFileSystem::delete_file(const std::string& path) {
    const DWORD attributes = attributes_of(path);
    if (!exists(attributes))
        throw_last_error(PathRole::file);
    if (is_directory(attributes))
        throw Failure(failure_code::path_file_access_error);
    // The read-only attribute of a card's file: kept, as a delete without forcing keeps it.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        throw Failure(failure_code::permission_denied);
    if (!::DeleteFileW(to_wide(path).c_str()))
        throw_last_error(PathRole::file);
}

void WindowsFileSystem::copy_file_or_stop(const std::string& from, const std::string& to,
                                          std::stop_token stop) {
    const DWORD source = attributes_of(from);
    if (!exists(source))
        throw_last_error(PathRole::file);
    const DWORD target = attributes_of(to);
    if (is_directory(source) || is_directory(target) || same_file(from, to))
        throw Failure(failure_code::path_file_access_error);
    if (exists(target) && (target & FILE_ATTRIBUTE_READONLY) != 0)
        throw Failure(failure_code::permission_denied);
    if (exists(target) && must_replace(to, target))
        delete_file(to);
    if (stop.stop_requested())
        throw CopyStopped();

    // The cancel flag CopyFileExW reads between two stretches of writing, raised by
    // the thread that ends the program.
    BOOL cancel = FALSE;
    const std::stop_callback raise(stop,
                                   [&cancel] { reinterpret_cast<volatile BOOL&>(cancel) = TRUE; });
    const std::wstring wide_to = to_wide(to);
    // CopyFileExW writes under the final name, in place: on a FAT card a temporary name
    // and a rename would move the file's directory entry and the order the player sees.
    const bool copied =
        ::CopyFileExW(to_wide(from).c_str(), wide_to.c_str(), nullptr, nullptr, &cancel, 0) != 0;
    const DWORD error = copied ? ERROR_SUCCESS : ::GetLastError();
    if (copied) {
        // The copy takes the source's attributes; a read-only song would stop the next
        // run's delete step on the card.
        if (const DWORD made = ::GetFileAttributesW(wide_to.c_str());
            exists(made) && (made & FILE_ATTRIBUTE_READONLY) != 0)
            ::SetFileAttributesW(wide_to.c_str(), made & ~DWORD{FILE_ATTRIBUTE_READONLY});
    }
    if (stop.stop_requested() || error == ERROR_REQUEST_ABORTED) {
        ::DeleteFileW(wide_to.c_str());
        throw CopyStopped();
    }
    if (!copied) {
        if (may_have_written(error))
            ::DeleteFileW(wide_to.c_str());
        throw_win32(error, PathRole::file);
    }
    try {
        flush_to_medium(to);
    } catch (const Failure&) {
        ::DeleteFileW(wide_to.c_str());
        throw;
    }
}

void WindowsFileSystem::create_empty_file(const std::string& path) {
    if (exists(attributes_of(path)))
        throw Failure(failure_code::file_already_exists);
    const UniqueHandle file =
        adopt_handle(::CreateFileW(to_wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw_last_error(PathRole::folder);
}

void WindowsFileSystem::move_entry(const std::string& from, const std::string& to) {
    // Without MOVEFILE_REPLACE_EXISTING nothing is replaced, and without
    // MOVEFILE_COPY_ALLOWED no data moves: a rename of the entry on the same volume.
    if (!::MoveFileExW(to_wide(from).c_str(), to_wide(to).c_str(), 0))
        throw_last_error(PathRole::file);
}

void WindowsFileSystem::make_folder(const std::string& path) {
    if (!::CreateDirectoryW(to_wide(path).c_str(), nullptr))
        throw_last_error(PathRole::folder);
}

void WindowsFileSystem::remove_empty_folder(const std::string& path) {
    // ERROR_DIR_NOT_EMPTY maps to 75.
    if (!::RemoveDirectoryW(to_wide(path).c_str()))
        throw_last_error(PathRole::folder);
}

std::optional<FileStamp> WindowsFileSystem::readable_file(const std::string& path) const {
    if (path.empty() || is_directory(attributes_of(path)))
        return std::nullopt;
    const UniqueHandle file = open_existing(path, GENERIC_READ);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || ::GetFileType(file.get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    // File times count 100 ns since 1601.
    const auto ticks = (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                       info.ftLastWriteTime.dwLowDateTime;
    return FileStamp{(static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow,
                     std::chrono::nanoseconds(static_cast<std::int64_t>(ticks) * 100)};
}

std::string WindowsFileSystem::read_file(const std::string& path, std::size_t max_bytes) const {
    const UniqueHandle file = open_for_reading(path);
    if (size_of(file.get()) > max_bytes)
        throw Failure(failure_code::path_file_access_error);
    return whole_file_of([&](auto on_chunk) { read_chunks(file.get(), on_chunk); }, max_bytes);
}

void WindowsFileSystem::write_text(const std::string& path, std::string_view text) {
    if (is_directory(attributes_of(path)))
        throw Failure(failure_code::path_file_access_error);
    std::string temp;
    UniqueHandle file = create_beside(path, temp);
    if (!file)
        throw_last_error(PathRole::folder);
    try {
        write_all(file.get(), text);
        if (!::FlushFileBuffers(file.get()))
            throw_last_error(PathRole::file);
        file.reset();
        if (!::MoveFileExW(to_wide(temp).c_str(), to_wide(path).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throw_last_error(PathRole::file);
    } catch (...) {
        file.reset();
        ::DeleteFileW(to_wide(temp).c_str());
        throw;
    }
}

std::string WindowsFileSystem::read_first_line(const std::string& path) const {
    const UniqueHandle file = open_for_reading(path);
    return first_line_of([&](auto on_chunk) { read_chunks(file.get(), on_chunk); });
}

void WindowsFileSystem::create_folder(const std::string& path) {
    for (std::size_t cut = path.find_first_of("\\/", 1);;
         cut = path.find_first_of("\\/", cut + 1)) {
        const std::string prefix = path.substr(0, cut);
        // A drive ("c:") is there or not; CreateDirectoryW cannot make one.
        if (!prefix.empty() && !is_drive_string(prefix) &&
            !::CreateDirectoryW(to_wide(prefix).c_str(), nullptr)) {
            const DWORD error = ::GetLastError();
            if (error != ERROR_ALREADY_EXISTS)
                throw_win32(error, PathRole::folder);
            if (!is_folder(prefix))
                throw Failure(cut == std::string::npos ? failure_code::file_already_exists
                                                       : failure_code::path_not_found);
        }
        if (cut == std::string::npos)
            return;
    }
}

} // namespace kadoru
