#pragma once

#include <optional>
#include <string>

namespace kadoru {

// Whether the desktop would remove the volume mounted at a root folder: yes, no, or
// there is no service to ask, and where it is mounted must decide.
enum class Removable { yes, no, unknown };

// Safe removal of a card: the card's file systems are unmounted, then its drive is
// powered off where it can be, so that nothing is still being written when the card
// is pulled.
class CardEjector {
public:
    virtual ~CardEjector() = default;
    virtual Removable removable(const std::string& root) const = 0;
    // Throws Failure, whose description is the reason to show the user, when the card's
    // own file system is still mounted; a failure of the first unmount changes nothing.
    // Once that one is unmounted, what failed after it is returned: the card may be
    // pulled, though its drive could not be powered off. nullopt when all went well.
    virtual std::optional<std::string> eject(const std::string& root) = 0;
};

// An ejector for a build without a service that removes drives: it cannot tell what
// is removable, and every removal fails, with a reason that names no service.
CardEjector& no_card_ejector();

} // namespace kadoru
