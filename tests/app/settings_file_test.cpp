#include "app/settings_file.h"
#include "fakes/fake_file_system.h"
#include "support/scratch_folder.h"
#include "system_pair.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <variant>

namespace kadoru {
namespace {

using test::FakeFileSystem;
using test::native;
using test::ScratchFolder;
using ::testing::ElementsAre;

// What start-up gets of the record: its values, or the number of the failure that
// stopped the read.
using Loaded = std::variant<LoadedSettings, int>;

constexpr bool drive_letter_records = native_path_style == PathStyle::windows;

// What start-up reads of a record written here in POSIX paths: a Windows record
// names its drive by its first three characters instead of by its folder.
Loaded as_read(Loaded loaded) {
    auto* settings = std::get_if<LoadedSettings>(&loaded);
    if (!drive_letter_records || settings == nullptr)
        return loaded;
    const std::string record = settings->folder
                                   ? *settings->folder + "," + settings->destination_drive
                                   : settings->source_drive_text;
    settings->source_drive_text = record.substr(0, 3);
    return loaded;
}

Loaded load(const TextFiles& fs, const SettingsPlaces& places) {
    try {
        return load_settings(fs, places);
    } catch (const Failure& failure) {
        return failure.code();
    }
}

TEST(SettingsFile, SavesTheRecordByteForByte) {
    const ScratchFolder dir;
    test::SystemFileSystem fs;
    dir.write("kadoset.ini", "/a/much/longer/folder/than/the/new/one,f:\r\n/second/line,g:");
    save_settings(fs, SettingsPlaces{dir.path(), {}}, "C:\\Music\\Pop", "e:");
    const std::string saved = dir.read("kadoset.ini");
    EXPECT_EQ(saved, "C:\\Music\\Pop,e:");
    EXPECT_EQ(saved.size(), 15U);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(test::std_path(dir.path())),
                            std::filesystem::directory_iterator()),
              1);

    save_settings(fs, SettingsPlaces{dir.path(), {}}, "/home/u/ミュージック", "d:");
    EXPECT_EQ(load(fs, SettingsPlaces{dir.path(), {}}),
              as_read(LoadedSettings{"/home/u/ミュージック", "/home/u/ミュージック", "d:"}));
}

TEST(SettingsFile, AUserWithoutAConfigurationFolderGetsTheProgramsRecord) {
    // A fresh HOME has no ~/.config at all: the user's copy is then missing with its
    // folder, which must not hide the record beside the program.
    const ScratchFolder dir;
    dir.write("kadoset.ini", "/media/card/Music,e:");
    const SettingsPlaces places{dir.path(), dir / "home/.config/kadoru"};
    EXPECT_EQ(load(test::SystemFileSystem(), places),
              as_read(LoadedSettings{"/media/card/Music", "/media/card/Music", "e:"}));
}

TEST(SettingsFile, LivesInTheProgramsFolder) {
    EXPECT_EQ(settings_path(native("/opt/kadoru")), native("/opt/kadoru/kadoset.ini"));
    // A program in a root folder: one separator.
    EXPECT_EQ(settings_path(native("/")), native("/kadoset.ini"));
}

struct LoadCase {
    const char* what;
    std::optional<std::string> content; // absent: no file
    Loaded loaded;
};

void PrintTo(const LoadCase& c, std::ostream* out) {
    *out << c.what;
}

class LoadSettings : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadSettings, ReadsEachValueOnItsOwn) {
    const ScratchFolder dir;
    if (GetParam().content)
        dir.write("kadoset.ini", *GetParam().content);
    EXPECT_EQ(load(test::SystemFileSystem(), SettingsPlaces{dir.path(), {}}),
              as_read(GetParam().loaded));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadSettings,
    ::testing::Values(
        LoadCase{"plain",
                 "/home/u/Music,e:", LoadedSettings{"/home/u/Music", "/home/u/Music", "e:"}},
        LoadCase{"extra characters", "/m,e:\\junk,f:", LoadedSettings{"/m", "/m", "e:"}},
        LoadCase{"several lines", "/m,e:\r\n/n,f:\n", LoadedSettings{"/m", "/m", "e:"}},
        LoadCase{"no comma", "/home/u/Music", LoadedSettings{"/home/u/Music", std::nullopt, "/h"}},
        LoadCase{"a folder with a comma", "/a,b/c,e:", LoadedSettings{"/a", "/a", "b/"}},
        LoadCase{"short drive", "/m,e", LoadedSettings{"/m", "/m", "e"}},
        LoadCase{"nothing after the comma", "/m,", LoadedSettings{"/m", "/m", ""}},
        LoadCase{"a first line that is empty", "\n/m,e:", LoadedSettings{"", std::nullopt, ""}},
        LoadCase{"empty file", "", 62}, LoadCase{"missing file", std::nullopt, 53}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(SettingsRecord, AWindowsRecordNamesItsDriveByTheFirstThreeCharacters) {
    EXPECT_EQ(parse_settings_line("C:\\Music\\Pop,e:", PathStyle::windows),
              (LoadedSettings{"C:\\", "C:\\Music\\Pop", "e:"}));
    EXPECT_EQ(parse_settings_line("C:\\Music", PathStyle::windows),
              (LoadedSettings{"C:\\", std::nullopt, "C:"}));
    EXPECT_EQ(parse_settings_line("C:", PathStyle::windows),
              (LoadedSettings{"C:", std::nullopt, "C:"}));
    EXPECT_EQ(parse_settings_line("", PathStyle::windows), (LoadedSettings{}));
}

TEST(SettingsFile, TheUsersFolderComesFromTheEnvironment) {
    const auto folder_for = [](std::map<std::string, std::string> environment) {
        return user_settings_folder([environment = std::move(environment)](const char* name) {
            const auto it = environment.find(name);
            return it == environment.end() ? nullptr : it->second.c_str();
        });
    };
    if (drive_letter_records) {
        // Windows: %APPDATA%\kadoru, as long as APPDATA names a folder by its drive.
        EXPECT_EQ(folder_for({{"APPDATA", "C:\\Users\\u\\AppData\\Roaming"}, {"HOME", "/h"}}),
                  "C:\\Users\\u\\AppData\\Roaming\\kadoru");
        EXPECT_EQ(folder_for({{"APPDATA", "Roaming"}}), "");
        EXPECT_EQ(folder_for({{"XDG_CONFIG_HOME", "C:\\cfg"}}), "");
        EXPECT_EQ(folder_for({}), "");
        return;
    }
    EXPECT_EQ(folder_for({{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}}), "/cfg/kadoru");
    EXPECT_EQ(folder_for({{"XDG_CONFIG_HOME", "rel"}, {"HOME", "/home/u"}}),
              "/home/u/.config/kadoru");
    EXPECT_EQ(folder_for({{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u/"}}),
              "/home/u/.config/kadoru");
    EXPECT_EQ(folder_for({}), "");
}

class SettingsFallback : public ::testing::Test {
protected:
    FakeFileSystem fs;
    const SettingsPlaces places{"/opt/kadoru", "/home/u/.config/kadoru"};
    const std::string program_file = "/opt/kadoru/kadoset.ini";
    const std::string user_file = "/home/u/.config/kadoru/kadoset.ini";
};

TEST_F(SettingsFallback, AProgramFolderThatCannotBeWrittenSendsTheRecordToTheUser) {
    fs.texts[program_file] = "/installed,c:";
    fs.failures[program_file] = 70;
    save_settings(fs, places, "/media/card/Music", "e:");
    EXPECT_THAT(fs.log, ElementsAre("create /home/u/.config/kadoru", "write " + user_file));
    EXPECT_EQ(fs.texts[user_file], "/media/card/Music,e:");
    fs.failures.clear();
    EXPECT_EQ(load_settings(fs, places).folder, "/media/card/Music");

    // Writable again: the newer record is the program folder's, and no stale copy shadows it.
    save_settings(fs, places, "/home/u", "d:");
    EXPECT_EQ(fs.texts.count(user_file), 0U);
    EXPECT_EQ(load(fs, places), as_read(LoadedSettings{"/home/u", "/home/u", "d:"}));
}

TEST_F(SettingsFallback, FailuresAreReportedWhereNoPlaceIsLeft) {
    fs.failures[program_file] = 70;
    fs.failures["/home/u/.config/kadoru"] = 76;
    EXPECT_THROW(save_settings(fs, places, "/m", "e:"), Failure);
    EXPECT_THROW(save_settings(fs, SettingsPlaces{"/opt/kadoru", {}}, "/m", "e:"), Failure);
    EXPECT_THROW(save_settings(fs, SettingsPlaces{"/opt/kadoru", {}, true}, "/m", "e:"), Failure);
}

TEST_F(SettingsFallback, APackagedProgramKeepsTheRecordInTheUsersFolderOnly) {
    const SettingsPlaces packaged{places.app_path, places.user_folder, true};
    fs.texts[program_file] = "/beside/the/program,d:";
    save_settings(fs, packaged, "/media/card/Music", "e:"); // the program's folder can be written
    EXPECT_THAT(fs.log, ElementsAre("create /home/u/.config/kadoru", "write " + user_file));
    EXPECT_EQ(fs.texts[user_file], "/media/card/Music,e:");
    EXPECT_EQ(fs.texts[program_file], "/beside/the/program,d:");
    EXPECT_EQ(load_settings(fs, packaged).folder, "/media/card/Music");

    fs.texts.erase(user_file); // a fresh user: the record beside the program is not theirs
    EXPECT_EQ(load(fs, packaged), Loaded(53));
}

// What start-up gets when the user's copy cannot be read: the program folder's
// record, or that read's own failure. The user's copy is never a reason to stop.
struct FallbackCase {
    const char* what;
    std::optional<int> user_failure; // absent: the user's copy reads "/u,f:"
    std::optional<std::string> program_text;
    std::optional<int> program_failure;
    Loaded loaded;
};

void PrintTo(const FallbackCase& c, std::ostream* out) {
    *out << c.what;
}

class SettingsFallbackRead : public SettingsFallback,
                             public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(SettingsFallbackRead, OnlyTheProgramFoldersReadDecides) {
    const FallbackCase& c = GetParam();
    fs.texts[user_file] = "/u,f:";
    if (c.user_failure)
        fs.failures[user_file] = *c.user_failure;
    if (c.program_text)
        fs.texts[program_file] = *c.program_text;
    if (c.program_failure)
        fs.failures[program_file] = *c.program_failure;
    EXPECT_EQ(load(fs, places), as_read(c.loaded));
}

const LoadedSettings program_record{"/m", "/m", "e:"};

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsFallbackRead,
    ::testing::Values(
        FallbackCase{"no configuration folder yet", 76, "/m,e:", {}, program_record},
        FallbackCase{"no user copy", 53, "/m,e:", {}, program_record},
        FallbackCase{"an empty user copy", 62, "/m,e:", {}, program_record},
        FallbackCase{"an unreadable user copy", 57, "/m,e:", {}, program_record},
        FallbackCase{
            "the user copy is newer", std::nullopt, "/m,e:", {}, LoadedSettings{"/u", "/u", "f:"}},
        FallbackCase{"no record anywhere", 76, std::nullopt, {}, 53},
        FallbackCase{"an empty program record", 53, "", {}, 62},
        FallbackCase{"an unreadable program record", 76, "/m,e:", 57, 57}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

} // namespace
} // namespace kadoru
