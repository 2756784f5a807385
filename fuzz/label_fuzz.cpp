// Feeds arbitrary bytes to the volume label decoding: as a link's name in
// /dev/disk/by-label, and as a label that udev encodes into such a name first.
#include "fuzz_checks.h"
#include "platform/linux/mountinfo_source.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

using kadoru::fuzz::check;

namespace {

// udev's encoding of a label into a link's name: letters, digits, "#+-.:=@_" and
// the bytes of multi-byte characters stay; every other byte, the backslash
// included, becomes "\xHH".
std::string udev_encoded(std::string_view label) {
    std::string out;
    for (const char c : label) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || std::isalnum(byte) ||
            std::string_view("#+-.:=@_").find(c) != std::string_view::npos) {
            out += c;
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Decoding only ever shortens, and leaves names without escapes as they are.
    const std::string decoded = kadoru::decode_label(bytes);
    check(decoded.size() <= bytes.size());
    if (bytes.find('\\') == std::string_view::npos)
        check(decoded == bytes);
    // Every label comes back from its link's name.
    check(kadoru::decode_label(udev_encoded(bytes)) == bytes);
    return 0;
}
