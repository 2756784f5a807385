#include "platform/paths.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace kadoru {
namespace {

TEST(ParentFolder, KeepsTheRootsSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/a.mp3", "/home/u"}, {"/a.mp3", "/"}, {"/", "/"}, {"e:/a.mp3", "e:/"},
        {"/mnt/e:/a.mp3", "/mnt/e:"}, {"a.mp3", "."}};
    for (const auto& [path, parent] : cases)
        EXPECT_EQ(parent_folder(path), parent) << path;
}

TEST(IsWithin, MatchesWholeFolderNamesOnly) {
    const struct {
        const char* path;
        const char* folder;
        bool within;
    } cases[] = {{"/media/card", "/media/card", true},
                 {"/media/card/a.mp3", "/media/card", true},
                 {"/media/card2/a.mp3", "/media/card", false},
                 {"/media", "/media/card", false},
                 {"/home", "/", true},
                 {"/", "/", true},
                 {"/media/card/x", "/media/card/", true},
                 {"relative", "", false},
                 {"/abs", "", true}};
    for (const auto& [path, folder, within] : cases)
        EXPECT_EQ(is_within(path, folder), within) << path << " in " << folder;
}

} // namespace
} // namespace kadoru
