#pragma once

#include <chrono>
#include <string>

namespace kadoru {

class SongDetailsReader;
class TransferList;

// The transfer list's total playing time: the sum of the lengths its songs' files
// give, and how many songs gave none.
struct PlayingTime {
    std::chrono::milliseconds known{0};
    int unknown = 0;
};

// Reads every row's source file; a reader that caches keeps this cheap after the first time.
PlayingTime playing_time(const TransferList& list, SongDetailsReader& songs);

// The tooltip of the list's total (Label7): the total playing time, and how many
// songs it leaves out; empty for an empty list.
std::string playing_time_tip(const PlayingTime& time);

} // namespace kadoru
