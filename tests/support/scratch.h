#pragma once

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/mount.h>
#include <unistd.h>

namespace kadoru::test {

// A folder of the test's own below the system's temporary folder, removed with
// everything in it when the test ends.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kadoru-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ScratchFolder(ScratchFolder&&) = delete;
    ScratchFolder& operator=(ScratchFolder&&) = delete;
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }

    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

    std::string write(std::string_view name, std::string_view bytes) const {
        const std::string file = *this / name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            throw std::runtime_error("cannot write " + file);
        return file;
    }
    std::string read(std::string_view name) const { return read_file(*this / name); }

    static std::string read_file(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::string path_;
};

// A size-limited tmpfs mounted at a folder of the test's own. Only root can mount:
// check mounted() and skip with why_not() otherwise. Unmounted when the test ends.
class TmpfsMount {
public:
    explicit TmpfsMount(std::string where, std::string options = "size=1M")
        : where_(std::move(where)), options_(std::move(options)) {
        std::filesystem::create_directories(where_);
        if (::geteuid() != 0)
            why_not_ = "needs root to mount a tmpfs";
        else
            mount_again();
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    TmpfsMount(TmpfsMount&&) = delete;
    TmpfsMount& operator=(TmpfsMount&&) = delete;
    ~TmpfsMount() { unmount(); }

    bool mounted() const { return mounted_; }
    const std::string& why_not() const { return why_not_; }
    const std::string& path() const { return where_; }

    void mount_again(unsigned long flags = 0) {
        if (::mount("tmpfs", where_.c_str(), "tmpfs", flags, options_.c_str()) == 0)
            mounted_ = true;
        else
            why_not_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
    }
    void unmount() {
        if (mounted_ && ::umount2(where_.c_str(), MNT_DETACH) == 0)
            mounted_ = false;
    }

private:
    std::string where_;
    std::string options_;
    std::string why_not_;
    bool mounted_ = false;
};

} // namespace kadoru::test
