// Feeds arbitrary bytes to the playlist reader as both kinds of playlist and checks
// that every path it returns is one the copy can take as it is: absolute, lexically
// normal and without NUL. A line break may stand in a file URL (%0A): POSIX names may
// hold one, and the playlist writer saves such a name that way.
#include "fuzz_checks.h"
#include "transfer_list/playlist.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

using kadoru::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string folder = "/home/user/Music/lists";
    for (const auto kind : {kadoru::PlaylistKind::m3u8, kadoru::PlaylistKind::m3u}) {
        for (const auto& path : kadoru::parse_playlist(bytes, folder, kind)) {
            check(!path.empty() && path.front() == '/');
            check(std::filesystem::path(path).lexically_normal().string() == path);
            check(path.find('\0') == std::string::npos);
        }
    }
    return 0;
}
