#pragma once

#include <string>

namespace kadoru {

// Safe removal of a card: every file system of the drive that holds the volume
// mounted at a root folder is unmounted, then the drive is powered off where it
// can be, so that nothing is still being written when the card is pulled.
class CardEjector {
public:
    virtual ~CardEjector() = default;
    // Throws Failure, whose description is the reason to show the user; a failure
    // of the first unmount changes nothing.
    virtual void eject(const std::string& root) = 0;
};

// An ejector for a build without a service that removes drives: every call fails,
// with a reason that names no service.
CardEjector& no_card_ejector();

} // namespace kadoru
