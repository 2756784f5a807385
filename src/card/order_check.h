#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class Drives;
class CardFiles;

// The first of the list's files that the card holds out of list order: walking the
// card's entries, only the list's files counted, the first that is not the file the
// list has at that place. Other files on the card do not matter; a name the list
// holds twice counts at its last place, where the later copy replaces the earlier;
// names compare as the card compares them. nullopt when the order is right.
std::optional<std::string> first_out_of_order(const std::vector<std::string>& list_names,
                                              const std::vector<std::string>& card_names);

// After a run: reads the drive's root folder back in the order a player reads it
// and compares it with the names the list's files were written under. The first of
// those names out of place;
// nullopt when the order is right, or where it cannot be read as stored (then
// nothing can be said about it).
std::optional<std::string> check_order_on_card(const CardFiles& fs, const Drives& drives,
                                               std::string_view drive,
                                               const std::vector<std::string>& list_names);

// Tells that the card plays the files in another order than the list's.
std::string order_differs_message(std::string_view name);

} // namespace kadoru
