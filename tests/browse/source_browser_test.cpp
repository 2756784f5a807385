#include "browse_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class SourceBrowserTest : public ::testing::Test, public test::BrowseWindow {
protected:
    std::vector<std::string> rows() const {
        std::vector<std::string> names;
        names.reserve(static_cast<std::size_t>(file1.count()));
        for (int i = 0; i < file1.count(); ++i)
            names.push_back(file1.row(i));
        return names;
    }
};

TEST_F(SourceBrowserTest, FolderHandlerListsTheTypeAndMeasuresEveryRow) {
    fs.add_file("/home/u/Music/b.MP3", 3000);
    fs.add_file("/home/u/Music/a.mp3", 1000);
    fs.add_file("/home/u/Music/c.wma", 5000);
    fs.add_file("/home/u/Music/A.mp3", 2000); // differs from a.mp3 only in case
    fs.add_file("/home/u/Music/xmp3", 7000);
    label9.set_text("old");
    dir1.on_change();
    EXPECT_EQ(file1.path(), "/home/u/Music");
    EXPECT_EQ(file1.pattern(), "*.MP3");
    EXPECT_THAT(rows(), ElementsAre("A.mp3", "a.mp3", "b.MP3"));
    EXPECT_THAT(file_size, ElementsAre(2000, 1000, 3000));
    EXPECT_EQ(label9.text(), "");
    EXPECT_EQ(events.calls, 3); // events run after each stored size
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(SourceBrowserTest, EveryRowIsMeasuredBeyondTheFirstHundred) {
    std::vector<std::uint64_t> expected;
    for (int i = 0; i < 250; ++i) {
        const std::string name =
            "song" + std::string(3 - std::to_string(i).size(), '0') + std::to_string(i) + ".mp3";
        fs.add_file("/home/u/Music/" + name, 1000 + static_cast<std::uint64_t>(i));
        expected.push_back(1000 + static_cast<std::uint64_t>(i));
    }
    dir1.on_change();
    EXPECT_THAT(file_size, ElementsAreArray(expected));
    for (int i = 0; i < 250; ++i)
        file1.set_selected(i, true);
    file1.on_click();
    EXPECT_EQ(label9.text(), "281KB"); // 250 x 1000 + 0 + 1 + ... + 249 = 281125
}

TEST_F(SourceBrowserTest, AFileDeletedAfterListingMeasuresZero) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        fs.add_file(std::string("/home/u/Music/") + name, 1'000'000);
    // File1 lists the folder before the measuring reads it; b.mp3 goes in between.
    fs.before_files = [&](const std::string&) {
        if (file1.count() == 3 && fs.exists("/home/u/Music/b.mp3"))
            fs.remove_file("/home/u/Music/b.mp3");
    };
    dir1.on_change();
    EXPECT_THAT(rows(), ElementsAre("a.mp3", "b.mp3", "c.mp3"));
    EXPECT_THAT(file_size, ElementsAre(1'000'000, 0, 1'000'000));
    for (int i = 0; i < 3; ++i)
        click_file(i, true);
    EXPECT_EQ(label9.text(), "2MB");
}

TEST_F(SourceBrowserTest, SelectionTotalFollowsEveryClick) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        fs.add_file(std::string("/home/u/Music/") + name, 1'000'000);
    dir1.on_change();
    std::vector<std::string> shown;
    label9.changed.connect([&] { shown.push_back(label9.text()); });
    click_file(0);
    click_file(1, true);
    click_file(2, true);
    click_file(1, true); // Ctrl-click drops a row
    click_file(0, true);
    click_file(2, true);
    EXPECT_THAT(shown, ElementsAre("1MB", "2MB", "3MB", "2MB", "1MB", "0KB"));
}

TEST_F(SourceBrowserTest, PickingAnotherTypeListsAndMeasuresThoseFiles) {
    fs.add_file("/home/u/Music/a.mp3", 1000);
    fs.add_file("/home/u/Music/b.wav", 40'000);
    fs.add_file("/home/u/Music/C.WAV", 50'000);
    dir1.on_change();
    click_file(0);
    EXPECT_EQ(label9.text(), "1KB");

    combo_ftype.set_text("wma"); // typing runs nothing
    EXPECT_THAT(rows(), ElementsAre("a.mp3"));

    combo_ftype.choose(2);
    EXPECT_EQ(file1.pattern(), "*.WAV");
    EXPECT_THAT(rows(), ElementsAre("b.wav", "C.WAV"));
    EXPECT_THAT(file_size, ElementsAre(40'000, 50'000));
    EXPECT_EQ(label9.text(), "");
    EXPECT_EQ(dir1.path(), "/home/u/Music");
}

TEST_F(SourceBrowserTest, AFolderThatCannotBeReadKeepsTheSizesAndSaysWhy) {
    fs.add_file("/home/u/Music/a.mp3", 1000);
    dir1.on_change();
    fs.add_folder("/home/u/Locked");
    fs.failures["/home/u/Locked"] = failure_code::permission_denied;
    label9.set_text("1KB");
    dir1.assign("/home/u/Locked");
    EXPECT_THAT(messages.texts(), ElementsAre(failure_description(70) + "(70)"));
    EXPECT_EQ(file1.path(), "/home/u/Locked");
    EXPECT_EQ(file1.count(), 0);
    EXPECT_EQ(label9.text(), "");
    EXPECT_THAT(file_size, ElementsAre(1000));
}

TEST_F(SourceBrowserTest, ADriveWithoutAMediumGoesBackToTheFolderShown) {
    fs.add_folder("/home/u/Music/Jazz");
    dir1.assign("/home/u/Music/Jazz");
    int listings = 0;
    dir1.on_change = [&] {
        ++listings;
        dir1.on_change();
    };
    drive1.assign("a:");
    EXPECT_THAT(messages.texts(), ElementsAre("ドライブa:の準備が出来ていません"));
    EXPECT_EQ(drive1.drive(), "c:");
    EXPECT_EQ(dir1.path(), "/home/u/Music/Jazz"); // c:'s current folder is still it
    EXPECT_EQ(listings, 0);
}

TEST_F(SourceBrowserTest, AnyOtherFailureLeavesDriveAndFolderWhereTheyAre) {
    drives.drives["e:"].fails_with = failure_code::device_io_error;
    drive1.assign("e:");
    EXPECT_THAT(messages.texts(), ElementsAre("Error：57で異常終了しました"));
    EXPECT_EQ(drive1.drive(), "e:");
    EXPECT_EQ(dir1.path(), "/home/u/Music");
}

// Measuring lets events run; a handler run then may list another folder or type.
struct Interruption {
    const char* title;
    const char* folder_after;
    const char* type_after;
    std::vector<std::string> rows_after;
    std::vector<std::uint64_t> sizes_after;
};

void PrintTo(const Interruption& c, std::ostream* os) {
    *os << c.title;
}

class InterruptedMeasuring : public SourceBrowserTest,
                             public ::testing::WithParamInterface<Interruption> {};

TEST_P(InterruptedMeasuring, TheNewerListingWinsAndNothingRunsPastItsRows) {
    for (int i = 0; i < 5; ++i)
        fs.add_file("/home/u/Music/m" + std::to_string(i) + ".mp3", 100 + i);
    fs.add_file("/home/u/Music/w.wav", 900);
    fs.add_folder("/home/u/Few");
    fs.add_file("/home/u/Few/f.mp3", 50);
    fs.add_folder("/home/u/More");
    for (int i = 0; i < 8; ++i)
        fs.add_file("/home/u/More/n" + std::to_string(i) + ".mp3", 200 + i);
    const Interruption& c = GetParam();
    events.on_pump = [&](int call) {
        if (call != 2)
            return;
        if (std::string(c.type_after) != combo_ftype.text())
            combo_ftype.choose(c.type_after == std::string("WAV") ? 2 : 0);
        else
            dir1.assign(c.folder_after);
    };
    dir1.on_change();
    EXPECT_THAT(rows(), ElementsAreArray(c.rows_after));
    EXPECT_THAT(file_size, ElementsAreArray(c.sizes_after));
}

INSTANTIATE_TEST_SUITE_P(
    Table, InterruptedMeasuring,
    ::testing::Values(
        Interruption{"ToAFolderWithFewerFiles", "/home/u/Few", "MP3", {"f.mp3"}, {50}},
        Interruption{
            "ToAFolderWithMoreFiles",
            "/home/u/More",
            "MP3",
            {"n0.mp3", "n1.mp3", "n2.mp3", "n3.mp3", "n4.mp3", "n5.mp3", "n6.mp3", "n7.mp3"},
            {200, 201, 202, 203, 204, 205, 206, 207}},
        Interruption{"ToAnotherType", "/home/u/Music", "WAV", {"w.wav"}, {900}}),
    [](const auto& info) { return std::string(info.param.title); });

TEST_F(SourceBrowserTest, AClickWhileMeasuringTotalsWhatIsMeasuredSoFar) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        fs.add_file(std::string("/home/u/Music/") + name, 1'000'000);
    events.on_pump = [&](int call) {
        if (call != 1)
            return;
        for (int i = 0; i < 3; ++i)
            file1.set_selected(i, true);
        file1.on_click();
    };
    dir1.on_change();
    EXPECT_EQ(label9.text(), "1MB");
    EXPECT_THAT(file_size, ElementsAre(1'000'000, 1'000'000, 1'000'000));
}

} // namespace
} // namespace kadoru
