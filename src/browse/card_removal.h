#pragma once

#include <string>
#include <string_view>

namespace kadoru {

class CardEjector;
class Drives;
class MessageBox;

// Whether the drive is one to offer removal for: a ready volume that is not one of
// the machine's own disks.
bool can_eject(const Drives& drives, std::string_view drive);

// Removes the card in the drive safely. A failure is shown and changes nothing;
// true when the card is gone and the destination must fall back.
bool eject_card(const Drives& drives, CardEjector& ejector, MessageBox& messages,
                std::string_view drive);

} // namespace kadoru
