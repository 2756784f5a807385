#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "platform/note_store.h"
#include "transfer/copy_notes.h"
#include "transfer/name_collisions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using ::testing::ElementsAre;

class MemoryNotes final : public NoteStore {
public:
    std::string text;
    std::string read() const override { return text; }
    void write(std::string_view t) override { text = t; }
};

TEST(CopyNotes, ANameWithAnyCharacterComesBackAsItWasWritten) {
    const std::vector<CopyNote> notes = {{"uuid 1A2B", "a\tb\\n\nc.mp3", 12}, {"x y", "曲.mp3", 0}};
    EXPECT_EQ(parse_notes(notes_text(notes)), notes);
    EXPECT_THAT(parse_notes("torn line\nv\tnot a size\tn.mp3\n" + notes_text(notes)),
                ::testing::ElementsAreArray(notes));
}

// Of the notes for this card, a short copy goes and is named; a whole one, one the
// card no longer holds and those for other cards lose nothing.
TEST(CopyNotes, OnlyAShortCopyOfThisCardIsRemovedAndItsNoteGoes) {
    test::FakeDrives drives;
    drives.add("e:", "/card");
    test::FakeFileSystem fs;
    for (const auto& [name, size] : {std::pair{"short.mp3", 10}, {"whole.mp3", 30}, {"b.mp3", 5}})
        fs.add_file("/card/" + std::string(name), size);
    const std::string card = drives.volume_id("e:");
    MemoryNotes store;
    store.text = notes_text({{card, "short.mp3", 20},
                             {card, "whole.mp3", 30},
                             {card, "gone.mp3", 40},
                             {"another card", "b.mp3", 50}});
    const auto removed = remove_short_copies(fs, drives, "e:", store);
    EXPECT_THAT(removed, ElementsAre("short.mp3"));
    EXPECT_THAT(fs.names("/card"), ElementsAre("whole.mp3", "b.mp3"));
    EXPECT_THAT(parse_notes(store.text), ElementsAre(CopyNote{"another card", "b.mp3", 50}));
    EXPECT_EQ(*short_copies_message(removed),
              "前回の転送が途中で終わっていました。書きかけのファイルをカードから削除しました："
              "\nshort.mp3");
    EXPECT_EQ(short_copies_message(remove_short_copies(fs, drives, "e:", store)), std::nullopt);
}

TEST(NameCollisions, TheQuestionNamesTenSongsThenHowManyMore) {
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i)
        names.push_back(std::to_string(i) + ".mp3");
    const std::string text = collision_question(names);
    EXPECT_NE(text.find("\n10.mp3\nほか2曲\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("11.mp3"), std::string::npos);
}

} // namespace
} // namespace kadoru
