// The order window in Win32 under Wine over its real model, with the program's side
// played by the test: Wine lists every folder sorted by name (and cannot say a FUSE
// card's file system), so the stored order of a FAT card is not readable there and
// the card is the test's own.
#include "fakes/fake_ui.h"
#include "list_box_rows.h"
#include "win32/card_order_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using ::testing::ElementsAre;
using Part = CardOrderWindow::Part;
using test::rows_of;

// A FAT card whose songs are put in order as asked, each move told.
class StandInCard final : public CardOrderActions {
public:
    CardOrder card_order() override { return order; }
    bool can_arrange(const CardOrder& shown) const override { return shown.as_stored; }
    void arrange_card(const CardOrder& /*order*/, const std::vector<std::string>& names,
                      const ArrangeProgress& progress) override {
        arranged = names;
        std::vector<CardOrderRow> rows;
        for (const std::string& name : names) {
            rows.push_back({name, "1 KB", 1000, true});
            progress(static_cast<int>(rows.size()), static_cast<int>(names.size()));
            steps.push_back(static_cast<int>(rows.size()));
        }
        rows.push_back({"MUSIC", "フォルダ", 0, false});
        order.rows = rows;
    }
    void sort_songs_by_track(CardArranging& /*songs*/) override {}

    CardOrder order{"e:",
                    {{"b.mp3", "1 KB", 1000, true},
                     {"MUSIC", "フォルダ", 0, false},
                     {"a.mp3", "1 KB", 1000, true}},
                    true,
                    "e:\\"};
    std::vector<std::string> arranged;
    std::vector<int> steps;
};

bool shown(HWND control) {
    return (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

TEST(CardOrderWindowTest, ShowsTheStoredOrderAndArrangesTheSongsInPlace) {
    StandInCard card;
    test::ScriptedMessageBox messages;
    CardOrderWindow window(nullptr, card, messages);
    window.show_order(card.card_order());
    EXPECT_THAT(rows_of(window.part(Part::order)),
                ElementsAre("b.mp3\t1 KB", "MUSIC\tフォルダ", "a.mp3\t1 KB"));
    ASSERT_TRUE(shown(window.part(Part::arrange)));

    // Arranging, left with やめる: the order as it was.
    window.press(Part::arrange);
    EXPECT_THAT(rows_of(window.part(Part::songs)), ElementsAre("b.mp3", "a.mp3"));
    EXPECT_FALSE(shown(window.part(Part::order)));
    window.press(Part::cancel);
    EXPECT_TRUE(shown(window.part(Part::order)));
    EXPECT_TRUE(card.arranged.empty());

    // By name, then この順序にする: the card arranged, each move on the bar, read anew.
    window.press(Part::arrange);
    window.press(Part::by_name);
    EXPECT_THAT(rows_of(window.part(Part::songs)), ElementsAre("a.mp3", "b.mp3"));
    window.press(Part::confirm);
    EXPECT_THAT(card.arranged, ElementsAre("a.mp3", "b.mp3"));
    EXPECT_THAT(card.steps, ElementsAre(1, 2));
    EXPECT_EQ(::SendMessageW(window.part(Part::bar), PBM_GETPOS, 0, 0), 2);
    EXPECT_THAT(rows_of(window.part(Part::order)),
                ElementsAre("a.mp3\t1 KB", "b.mp3\t1 KB", "MUSIC\tフォルダ"));
    EXPECT_FALSE(shown(window.part(Part::bar)));
    EXPECT_TRUE(messages.shown.size() <= 1); // at most the arrangement's own "done"
}

} // namespace
} // namespace kadoru
