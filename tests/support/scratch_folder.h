#pragma once

#include "platform/paths.h"
#include "platform/std_path.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kadoru::test {

// Paths of the program's (UTF-8) as std::filesystem takes them.
using kadoru::std_path;
using kadoru::utf8_of;

// A path written with "/" in the system's own spelling.
inline std::string native(std::string_view path) {
    std::string text(path);
    std::replace(text.begin(), text.end(), '/', path_separator);
    return text;
}

// A folder of the test's own below the system's temporary folder, removed with
// everything in it when the test ends.
class ScratchFolder {
public:
    ScratchFolder() {
        const auto temp = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto folder = temp / ("kadoru-" + std::to_string(random()));
            if (std::filesystem::create_directory(folder))
                path_ = utf8_of(folder);
        }
        if (path_.empty())
            throw std::runtime_error("cannot make a scratch folder");
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ScratchFolder(ScratchFolder&&) = delete;
    ScratchFolder& operator=(ScratchFolder&&) = delete;
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(std_path(path_), error);
    }

    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const {
        return path_ + path_separator + native(name);
    }

    std::string write(std::string_view name, std::string_view bytes) const {
        return write_file(*this / name, bytes);
    }
    std::string read(std::string_view name) const { return read_file(*this / name); }

    static std::string write_file(const std::string& file, std::string_view bytes) {
        std::ofstream out(std_path(file), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            throw std::runtime_error("cannot write " + file);
        return file;
    }
    static std::string read_file(const std::string& file) {
        std::ifstream in(std_path(file), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::string path_;
};

} // namespace kadoru::test
