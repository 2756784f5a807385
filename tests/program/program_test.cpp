#include "support/fuse_mount.h"
#include "support/scratch.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/mount.h>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;
using test::ScratchFolder;
using test::TmpfsMount;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::EndsWith;
using ::testing::StartsWith;

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// Starts the program as a user would, from its own folder's copy, in a working folder,
// with a home folder and no XDG_CONFIG_HOME, offscreen. The window probe reports each
// captioned control as a "caption=shown state" line once the window is shown, then
// presses `press` (or closes the window by its close box). A time limit only keeps a
// broken build from hanging the test run.
std::vector<std::string> start_program(const std::string& program, const std::string& working,
                                       const std::string& home, const std::string& press) {
    std::istringstream out(test::output_of(
        "cd " + quoted(working) + " && env -u XDG_CONFIG_HOME HOME=" + quoted(home) +
        " QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH=" + quoted(KADORU_PROBE_PLUGINS) +
        " QT_QPA_GENERIC_PLUGINS=kadoru_window_probe KADORU_PROBE_PRESS=" + quoted(press) +
        " timeout 120 " + quoted(program) + " 2>/dev/null; echo \"exit $?\""));
    std::vector<std::string> lines;
    for (std::string line; std::getline(out, line);)
        lines.push_back(line);
    EXPECT_EQ(lines.empty() ? "" : lines.back(), "exit 0") << ::testing::PrintToString(lines);
    return lines;
}

// A folder shown again, read-only, at another place: a program folder the user
// cannot write, as an installed program's is. Only root can bind.
class ReadOnlyView {
public:
    ReadOnlyView(const std::string& folder, std::string where) : where_(std::move(where)) {
        stdfs::create_directories(where_);
        mounted_ = ::geteuid() == 0 &&
                   ::mount(folder.c_str(), where_.c_str(), nullptr, MS_BIND, nullptr) == 0;
        read_only_ = mounted_ && ::mount(nullptr, where_.c_str(), nullptr,
                                         MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    ReadOnlyView(const ReadOnlyView&) = delete;
    ReadOnlyView& operator=(const ReadOnlyView&) = delete;
    ReadOnlyView(ReadOnlyView&&) = delete;
    ReadOnlyView& operator=(ReadOnlyView&&) = delete;
    ~ReadOnlyView() {
        if (mounted_)
            ::umount2(where_.c_str(), MNT_DETACH);
    }
    bool read_only() const { return read_only_; }

private:
    std::string where_;
    bool mounted_ = false;
    bool read_only_ = false;
};

// A new user's machine: the program unpacked into a folder of its own with the
// settings beside it, a home folder with nothing in it, the music on a card, and the
// program started from another folder. The record names the system disk c: as the
// destination: that letter alone does not hang on what else is mounted meanwhile, and
// without the record the destination would be the card's drive.
class ProgramOnAFreshMachine : public ::testing::Test {
protected:
    ProgramOnAFreshMachine() : card(dir / "card") {
        for (const char* folder : {"program", "home", "work"})
            stdfs::create_directories(dir / folder);
        dir.write("work/working folder.mp3", "not this one");
        stdfs::copy_file(KADORU_EXECUTABLE, dir / "program/kadoru");
    }
    void SetUp() override {
#ifdef KADORU_PACKAGED
        GTEST_SKIP() << "a packaged build keeps its settings in the user's folder only";
#endif
        if (!card.mounted())
            GTEST_SKIP() << card.why_not();
        stdfs::create_directories(remembered);
        dir.write("card/music/曲 の フォルダ/first song.mp3", "song");
        dir.write("program/kadoset.ini", record);
    }
    void expect_the_remembered_settings_shown(const std::vector<std::string>& window) const {
        // The folder list shows the folders from the drive's root down to the folder.
        EXPECT_THAT(window, Contains("フォルダ=" + card.path() + " > music > 曲 の フォルダ"));
        // A drive without a label goes by the last part of its mount point.
        EXPECT_THAT(window, Contains(AllOf(StartsWith("転送元ドライブ="), EndsWith(": [card]"))));
        EXPECT_THAT(window, Contains(StartsWith("転送先ドライブ=c: ")));
        EXPECT_THAT(window, Contains("ファイルリスト=first song.mp3"));
    }

    ScratchFolder dir;
    TmpfsMount card;
    const std::string remembered = dir / "card/music/曲 の フォルダ";
    const std::string record = remembered + ",c:";
};

TEST_F(ProgramOnAFreshMachine, RestoresTheSettingsBesideTheProgram) {
    const auto window = start_program(dir / "program/kadoru", dir / "work", dir / "home", "Close");
    expect_the_remembered_settings_shown(window);
    // Close keeps the record where it was found, and leaves the home folder alone.
    EXPECT_EQ(dir.read("program/kadoset.ini"), record);
    EXPECT_TRUE(stdfs::is_empty(dir / "home"));
}

TEST_F(ProgramOnAFreshMachine, AnInstalledProgramKeepsTheSettingsInTheUsersFolder) {
    const ReadOnlyView installed(dir / "program", dir / "installed");
    if (!installed.read_only())
        GTEST_SKIP() << "needs root to make a read-only program folder";

    // The first start finds the record shipped beside the program; Close cannot write
    // there and keeps it in the user's folder instead.
    const std::string program = dir / "installed/kadoru";
    expect_the_remembered_settings_shown(
        start_program(program, dir / "work", dir / "home", "Close"));
    const std::string users_copy = dir / "home/.config/kadoru/kadoset.ini";
    ASSERT_TRUE(stdfs::exists(users_copy));
    EXPECT_EQ(ScratchFolder::read_file(users_copy), record);

    // The next start restores from the user's copy, whatever lies beside the program.
    dir.write("program/kadoset.ini", dir / "work" + ",c:");
    expect_the_remembered_settings_shown(start_program(program, dir / "work", dir / "home", ""));
}

} // namespace
} // namespace kadoru
