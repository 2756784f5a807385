#pragma once

#include <string_view>

namespace kadoru {

class CardFiles;
class Drives;
class MessageBox;
class NoteStore;

// Before anything counts on a card's root: songs an arrangement left in its working
// folder go back into the root, and copies cut short go; the user is told of each
// once. Throws the Failure of a drive that cannot be read.
void tidy_destination(CardFiles& fs, const Drives& drives, std::string_view drive, NoteStore& notes,
                      MessageBox& messages);

} // namespace kadoru
