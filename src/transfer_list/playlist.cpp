#include "transfer_list/playlist.h"

#include "platform/ascii_case.h"
#include "platform/cp932_text.h"
#include "platform/std_path.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>

namespace kadoru {

namespace {

namespace stdfs = std::filesystem;

constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool is_valid_utf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (text.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
                return false;
        }
        i += length;
    }
    return true;
}

// Lines split at CR, LF or both; CP932's second bytes are never either, so a line
// break found in the raw bytes is a line break of the text.
std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string_view trimmed(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

bool starts_with_folded(std::string_view text, std::string_view prefix) {
    return same_ignoring_case(text.substr(0, prefix.size()), prefix);
}

// "scheme://" of a URL other than a path: letters, digits, "+", "-", "." before "://".
bool has_url_scheme(std::string_view line) {
    const auto colon = line.find("://");
    if (colon == std::string_view::npos || colon == 0)
        return false;
    return std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '+' || c == '-' || c == '.';
    });
}

int hex_value(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string percent_decoded(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 &&
            hex_value(text[i + 2]) >= 0) {
            bytes.push_back(
                static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2])));
            i += 2;
        } else {
            bytes.push_back(text[i]);
        }
    }
    return bytes;
}

// The local path of a file URL ("file:///a", "file://localhost/a", "file:/a"); nullopt
// for a file on another host.
std::optional<std::string> file_url_path(std::string_view url) {
    std::string_view rest = url.substr(5); // after "file:"
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        const auto slash = rest.find('/');
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && !starts_with_folded(host, "localhost"))
            return std::nullopt;
        if (slash == std::string_view::npos)
            return std::nullopt;
        rest.remove_prefix(slash);
    }
    return percent_decoded(rest);
}

// Windows tools write "\" between folders; on a system whose separator is "/", a
// playlist's "\" is read as one too.
std::string native_separators(std::string_view path) {
    std::string native(path);
    if (stdfs::path::preferred_separator == '/')
        std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::optional<std::string> entry_path(std::string_view line, const std::string& folder) {
    std::string path;
    if (starts_with_folded(line, "file:")) {
        auto local = file_url_path(line);
        if (!local)
            return std::nullopt;
        path = std::move(*local);
    } else if (has_url_scheme(line)) {
        return std::nullopt; // a stream or a file elsewhere: nothing this machine can copy
    } else {
        path = native_separators(line);
    }
    // No file's name holds a NUL; the system would read such a path only up to it,
    // which may name another file.
    if (path.find('\0') != std::string::npos)
        return std::nullopt;
    const stdfs::path entry = std_path(path);
    const stdfs::path absolute = entry.is_absolute() ? entry : std_path(folder) / entry;
    return utf8_of(absolute.lexically_normal());
}

// The text of each line: an .m3u that is not UTF-8 as a whole is CP932, line by line
// where the whole will not convert; a line that is neither stays as its bytes, which
// may still name a file.
std::vector<std::string> decoded_lines(std::string_view bytes, PlaylistKind kind) {
    std::vector<std::string> lines;
    if (kind == PlaylistKind::m3u && !is_valid_utf8(bytes)) {
        if (const auto whole = cp932_to_utf8(bytes)) {
            for (const auto line : lines_of(*whole))
                lines.emplace_back(line);
            return lines;
        }
        for (const auto line : lines_of(bytes))
            lines.push_back(is_valid_utf8(line) ? std::string(line)
                                                : cp932_to_utf8(line).value_or(std::string(line)));
        return lines;
    }
    for (const auto line : lines_of(bytes))
        lines.emplace_back(line);
    return lines;
}

bool is_unreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

std::string file_url(const std::string& path) {
    constexpr std::array<char, 16> hex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                          '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string url = "file://";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (is_unreserved(byte)) {
            url.push_back(c);
        } else {
            url.push_back('%');
            url.push_back(hex.at(byte >> 4U));
            url.push_back(hex.at(byte & 0x0FU));
        }
    }
    return url;
}

// Whether a plain line reads back as this path: no line break, no "#" or blank at
// its ends, nothing the reader takes for a URL or for a Windows separator.
bool reads_back_plain(std::string_view line) {
    return !line.empty() && line.find_first_of("\r\n") == std::string_view::npos &&
           line.front() != '#' && trimmed(line).size() == line.size() &&
           !starts_with_folded(line, "file:") && !has_url_scheme(line) &&
           (stdfs::path::preferred_separator != '/' || line.find('\\') == std::string_view::npos);
}

} // namespace

std::vector<std::string> parse_playlist(std::string_view bytes, const std::string& playlist_folder,
                                        PlaylistKind kind) {
    if (bytes.substr(0, utf8_bom.size()) == utf8_bom)
        bytes.remove_prefix(utf8_bom.size());
    std::vector<std::string> paths;
    for (const auto& line : decoded_lines(bytes, kind)) {
        const std::string_view entry = trimmed(line);
        if (entry.empty() || entry.front() == '#')
            continue;
        if (auto path = entry_path(entry, playlist_folder))
            paths.push_back(std::move(*path));
    }
    return paths;
}

bool is_playlist_name(std::string_view path) {
    const std::string extension = utf8_of(std_path(path).extension());
    return starts_with_folded(extension, ".m3u") &&
           (extension.size() == 4 || (extension.size() == 5 && extension.back() == '8'));
}

PlaylistKind playlist_kind(std::string_view path) {
    const std::string extension = utf8_of(std_path(path).extension());
    return extension.size() == 5 && extension.back() == '8' ? PlaylistKind::m3u8
                                                            : PlaylistKind::m3u;
}

std::string playlist_text(const std::vector<std::string>& paths,
                          const std::string& playlist_folder) {
    const stdfs::path folder = std_path(playlist_folder).lexically_normal();
    std::string text = "#EXTM3U\n";
    for (const auto& path : paths) {
        const stdfs::path entry = std_path(path).lexically_normal();
        const stdfs::path relative = entry.lexically_relative(folder);
        const bool below = !relative.empty() && *relative.begin() != ".." && relative != ".";
        const std::string line = below ? utf8_of(relative) : utf8_of(entry);
        text += reads_back_plain(line) ? line : file_url(utf8_of(entry));
        text += '\n';
    }
    return text;
}

} // namespace kadoru
