#include "browse_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// c: shows 40GB free of 100GB, e: 1.5MB free of 2GB.
class DestinationPanelTest : public ::testing::Test, public test::BrowseWindow {
protected:
    DestinationPanelTest() {
        label8.changed.connect([this] { free_shown.push_back(label8.text()); });
    }
    std::vector<std::string> free_shown;
};

TEST_F(DestinationPanelTest, ADestinationChangeShowsItsFigures) {
    drive2.assign("e:");
    EXPECT_EQ(label8.text(), "1.5MB");
    EXPECT_EQ(label11.text(), "2GB");
    drive2.assign("c:");
    EXPECT_EQ(label8.text(), "40GB");
    EXPECT_EQ(label11.text(), "100GB");
    EXPECT_THAT(messages.shown, IsEmpty());
}

struct NotReadyCase {
    const char* title;
    const char* source; // Drive1, whose card may have been pulled since
    bool source_ready;
    std::vector<std::string> messages;
    const char* destination; // Drive2 afterwards
    const char* free_space;  // Label8 afterwards
};

void PrintTo(const NotReadyCase& c, std::ostream* os) {
    *os << c.title;
}

class NotReadyDestination : public DestinationPanelTest,
                            public ::testing::WithParamInterface<NotReadyCase> {};

TEST_P(NotReadyDestination, FallsBackToTheSourceDriveAtMostOnce) {
    const NotReadyCase& c = GetParam();
    drives.add("f:", "/media/stick", 7'000, 9'000);
    fs.add_folder("/media/stick");
    drive2.on_change(); // Drive2 on c:, 40GB free
    drive1.assign(c.source);
    drives.drives[c.source].ready = c.source_ready;
    drives.drives["e:"].ready = false;

    drive2.assign("e:");
    EXPECT_EQ(messages.texts(), c.messages);
    EXPECT_EQ(drive2.drive(), c.destination);
    EXPECT_EQ(label8.text(), c.free_space);
    EXPECT_EQ(drive1.drive(), c.source);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NotReadyDestination,
    ::testing::Values(
        NotReadyCase{"SourceReady", "f:", true, {"ドライブe:の準備が出来ていません"}, "f:", "7KB"},
        // The nested pass fails too and assigns what Drive2 already shows.
        NotReadyCase{"SourceNotReadyEither",
                     "f:",
                     false,
                     {"ドライブe:の準備が出来ていません", "ドライブf:の準備が出来ていません"},
                     "f:",
                     "40GB"},
        NotReadyCase{"SameDriveAsTheSource",
                     "e:",
                     false,
                     {"ドライブe:の準備が出来ていません"},
                     "e:",
                     "40GB"}),
    [](const auto& info) { return std::string(info.param.title); });

TEST_F(DestinationPanelTest, AnyOtherFailureIsShownAndNothingRestored) {
    drive2.assign("e:");
    drives.add("f:", "/media/stick").fails_with = failure_code::device_io_error;
    drive2.assign("f:");
    EXPECT_THAT(messages.texts(), ElementsAre("Error：57で異常終了しました"));
    EXPECT_EQ(drive2.drive(), "f:");
    EXPECT_EQ(label8.text(), "1.5MB");
    EXPECT_EQ(label11.text(), "2GB");
}

TEST_F(DestinationPanelTest, RefreshWithNothingChangedKeepsEverySelection) {
    drive2.assign("e:");
    free_shown.clear();
    int redraws = 0;
    for (auto* notifier : {&drive1.changed, &dir1.changed, &drive2.changed})
        notifier->connect([&] { ++redraws; });
    controller.refresh();
    EXPECT_EQ(drive1.drive(), "c:");
    EXPECT_EQ(dir1.path(), "/home/u/Music");
    EXPECT_EQ(drive2.drive(), "e:");
    EXPECT_THAT(free_shown, IsEmpty());
    EXPECT_THAT(messages.shown, IsEmpty());
    EXPECT_EQ(redraws, 3); // each list is read anew, to show a card inserted since
}

TEST_F(DestinationPanelTest, RefreshAfterTheSourceFolderWasDeletedReturnsToTheDestination) {
    drive2.assign("e:");
    free_shown.clear();
    fs.remove_folder("/home/u/Music");
    controller.refresh();
    // The folder step fails: Drive2 follows the source drive, then the last step puts
    // the destination back.
    EXPECT_THAT(free_shown, ElementsAre("40GB", "1.5MB"));
    EXPECT_EQ(drive2.drive(), "e:");
    EXPECT_EQ(label11.text(), "2GB");
    EXPECT_EQ(dir1.path(), "/home/u/Music");
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(DestinationPanelTest, RefreshAfterTheDestinationWasUnpluggedStaysOnTheSource) {
    drive2.assign("e:");
    drives.drives.erase("e:");
    controller.refresh();
    EXPECT_EQ(drive2.drive(), "c:");
    EXPECT_EQ(label8.text(), "40GB");
    EXPECT_THAT(messages.shown, IsEmpty());
}

} // namespace
} // namespace kadoru
