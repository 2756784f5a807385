#pragma once

#include <random>

namespace kadoru {

class Label;
class SongDetailsReader;
class TransferList;

// The list and its total, which each arranging step shows afresh with list_size.
struct ListArranging {
    TransferList& list2;
    double& total_size;
    Label& label7;
};

// Drag and drop inside List2: the selected entries move, in their order, to the place
// before row `to` as the list stands before the move (count(): the end). They stay
// selected, the current row stays on its entry.
void move_selected_to(const ListArranging& arranging, int to);
// By name in natural order ("2 b.mp3" before "10 a.mp3"); equal names keep their order.
void sort_by_name(const ListArranging& arranging);
// By disc, then track number, as the files' tags give them; a file without a track
// number keeps its place relative to the others like it, after all that have one.
void sort_by_track(const ListArranging& arranging, SongDetailsReader& details);
// Every order equally likely.
void shuffle_list(const ListArranging& arranging, std::mt19937& random);

} // namespace kadoru
