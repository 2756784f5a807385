// Feeds arbitrary bytes to the exFAT root reader, as a whole volume and as the
// entries of one folder, and checks every name it returns and every read it asks for.
#include "fuzz_checks.h"
#include "platform/exfat/exfat_root.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

using kadoru::fuzz::check;
using kadoru::fuzz::utf16_length;

namespace {

// exFAT keeps a name's length in one byte.
constexpr std::size_t longest_name = 255;

void check_name(const std::string& name) {
    const auto units = utf16_length(name);
    check(units.has_value() && *units >= 1 && *units <= longest_name);
    check(name.find('/') == std::string::npos && name != "." && name != "..");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);

    const kadoru::VolumeBytes volume{
        size, [&](std::uint64_t offset, std::span<unsigned char> into) {
            // The reader asks only for bytes the volume holds.
            check(offset <= size && into.size() <= size - offset);
            std::memcpy(into.data(), bytes.data() + offset, into.size());
            return true;
        }};
    if (const auto names = kadoru::exfat_root_names(volume))
        for (const auto& name : *names)
            check_name(name);

    if (const auto entries = kadoru::exfat_folder_names(bytes)) {
        std::size_t end_of_last = 0;
        for (const auto& entry : *entries) {
            // Every entry set lies in the folder, after the one before it, whole entries.
            check(entry.offset >= end_of_last && entry.offset % 32 == 0 && entry.length >= 96 &&
                  entry.length % 32 == 0 && entry.length <= size - entry.offset);
            end_of_last = entry.offset + entry.length;
            check_name(entry.name);
        }
    }
    return 0;
}
