// Feeds arbitrary bytes to the settings reader as the content of a real settings
// file and checks what start-up relies on.
#include "app/settings_file.h"
#include "platform/failure.h"
#include "platform/linux/posix_file_system.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// One scratch folder for the whole run, in memory where the system offers it:
// the save syncs to the medium, which on a disk would set the pace.
const std::string& scratch() {
    static const std::string folder = [] {
        std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm/kadoru-fuzz-XXXXXX"
                                                              : "/tmp/kadoru-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return pattern;
    }();
    return folder;
}

void remove_scratch() {
    ::unlink((scratch() + "/kadoset.ini").c_str());
    ::rmdir(scratch().c_str());
}

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    scratch();
    std::atexit(remove_scratch); // registered after the folder's name exists, so runs first
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string file = scratch() + "/kadoset.ini";
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        std::abort();
    ::close(fd);

    const kadoru::PosixFileSystem fs;
    // An empty file is the one record that cannot be read: input past its end.
    std::optional<kadoru::LoadedSettings> read;
    try {
        read = kadoru::load_settings(fs, kadoru::SettingsPlaces{scratch(), {}});
    } catch (const kadoru::Failure& failure) {
        check(bytes.empty() && failure.code() == kadoru::failure_code::input_past_end);
        return 0;
    }
    check(!bytes.empty());
    const auto& loaded = *read;

    const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
    check(loaded.destination_drive.size() <= 2);
    check(loaded.source_drive_text.size() <= line.size());
    check(line.substr(0, loaded.source_drive_text.size()) == loaded.source_drive_text);
    if (loaded.folder) {
        check(loaded.folder->find(',') == std::string::npos);
        check(line.substr(0, loaded.folder->size() + 1) == *loaded.folder + ",");
        check(line.substr(loaded.folder->size() + 1, 2) == loaded.destination_drive);
    } else {
        check(line.find(',') == std::string_view::npos);
        check(line.substr(0, 2) == loaded.destination_drive);
    }

    // What is read back is what was saved, whenever the folder can hold it.
    if (!loaded.folder && line.find(',') == std::string_view::npos && line.size() < 64) {
        kadoru::PosixFileSystem writer;
        kadoru::save_settings(writer, kadoru::SettingsPlaces{scratch(), {}}, std::string(line),
                              "e:");
        const auto again = kadoru::load_settings(fs, kadoru::SettingsPlaces{scratch(), {}});
        check(again.folder == std::string(line) && again.destination_drive == "e:");
    }
    return 0;
}
