#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/mount.h>
#include <utility>

namespace kadoru::test {

// Runs a shell command with its output thrown away; true when it succeeds.
inline bool run_quietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// What a shell command writes to its standard output.
inline std::string output_of(const std::string& command) {
    struct Closer {
        void operator()(FILE* f) const { ::pclose(f); }
    };
    const std::unique_ptr<FILE, Closer> pipe(::popen((command + " 2>/dev/null").c_str(), "r"));
    std::string text;
    std::array<char, 4096> buffer{};
    while (pipe && std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe.get()))
        text += buffer.data();
    return text;
}

inline bool has_tool(const std::string& name) {
    return run_quietly("command -v " + name);
}

// A volume of the test's own mounted at root_ (through FUSE), neither copied nor moved,
// and unmounted at the end, lazily should the driver still be busy. Check mounted()
// and skip with why_not() where it could not be mounted.
class FuseMount {
public:
    FuseMount(const FuseMount&) = delete;
    FuseMount& operator=(const FuseMount&) = delete;
    FuseMount(FuseMount&&) = delete;
    FuseMount& operator=(FuseMount&&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& why_not() const { return why_not_; }
    const std::string& root() const { return root_; }
    std::string operator/(const std::string& name) const { return root_ + "/" + name; }

    void unmount() {
        if (mounted_ && run_quietly("fusermount -u '" + root_ + "'"))
            mounted_ = false;
    }

protected:
    explicit FuseMount(std::string root) : root_(std::move(root)) {}
    ~FuseMount() {
        unmount();
        if (mounted_)
            ::umount2(root_.c_str(), MNT_DETACH);
    }

    std::string root_;
    std::string why_not_;
    bool mounted_ = false;
};

} // namespace kadoru::test
