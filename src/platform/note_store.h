#pragma once

#include <string>
#include <string_view>

namespace kadoru {

// A short text the program keeps for itself outside every card, across runs and
// crashes of the program: in the user's configuration folder, beside the settings.
// Nothing there reads as an empty text.
class NoteStore {
public:
    virtual ~NoteStore() = default;
    // Throws Failure when the note is there but cannot be read.
    virtual std::string read() const = 0;
    // Replaces the note, on the disk before it returns; an empty text removes it.
    // Throws Failure when it cannot be written.
    virtual void write(std::string_view text) = 0;
};

// A store that keeps nothing: where no folder of the user's can be written.
NoteStore& no_note_store();

} // namespace kadoru
