#pragma once

#include <string>
#include <string_view>

namespace kadoru {

class CardEjector;
class Drives;
class MessageBox;

// The message of a removal that unmounted the card but could not power its drive off.
std::string card_unmounted_message(std::string_view drive, std::string_view reason);

// Whether the drive is one to offer removal for: a ready volume that the desktop
// would remove; where nothing can tell, one that is not among the machine's own
// disks by where it is mounted.
bool can_eject(const Drives& drives, const CardEjector& ejector, std::string_view drive);

// Removes the card in the drive safely. A failure is shown and changes nothing;
// true when the card is gone (or unmounted, which is told) and the destination must
// fall back.
bool eject_card(const Drives& drives, CardEjector& ejector, MessageBox& messages,
                std::string_view drive);

} // namespace kadoru
