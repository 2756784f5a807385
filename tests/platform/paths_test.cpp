#include "platform/name_order.h"
#include "platform/paths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using ::testing::ElementsAre;

struct ParentCase {
    const char* path;
    const char* parent;
};

class ParentFolder : public ::testing::TestWithParam<ParentCase> {};

TEST_P(ParentFolder, KeepsTheRootsSeparator) {
    EXPECT_EQ(parent_folder(GetParam().path), GetParam().parent) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Table, ParentFolder,
                         ::testing::Values(ParentCase{"/home/u/a.mp3", "/home/u"},
                                           ParentCase{"/a.mp3", "/"}, ParentCase{"/", "/"},
                                           ParentCase{"e:/a.mp3", "e:/"},
                                           ParentCase{"/mnt/e:/a.mp3", "/mnt/e:"},
                                           ParentCase{"a.mp3", "."}));

struct WithinCase {
    const char* path;
    const char* folder;
    bool within;
};

class IsWithin : public ::testing::TestWithParam<WithinCase> {};

TEST_P(IsWithin, MatchesWholeFolderNamesOnly) {
    EXPECT_EQ(is_within(GetParam().path, GetParam().folder), GetParam().within)
        << GetParam().path << " in " << GetParam().folder;
}

INSTANTIATE_TEST_SUITE_P(
    Table, IsWithin,
    ::testing::Values(WithinCase{"/media/card", "/media/card", true},
                      WithinCase{"/media/card/a.mp3", "/media/card", true},
                      WithinCase{"/media/card2/a.mp3", "/media/card", false},
                      WithinCase{"/media", "/media/card", false}, WithinCase{"/home", "/", true},
                      WithinCase{"/", "/", true}, WithinCase{"/media/card/x", "/media/card/", true},
                      WithinCase{"relative", "", false}, WithinCase{"/abs", "", true}));

TEST(NameOrder, IgnoresAsciiCaseBreaksTiesByBytesAndPutsOtherLettersLast) {
    std::vector<std::string> names = {"b.mp3", "曲.mp3", "A.mp3", "a.mp3", "Z.mp3", "_x.mp3"};
    sort_names_for_people(names);
    // Letters fold to lower case, so '_' (between the two cases) sorts before them all.
    EXPECT_THAT(names, ElementsAre("_x.mp3", "A.mp3", "a.mp3", "b.mp3", "Z.mp3", "曲.mp3"));
}

} // namespace
} // namespace kadoru
