#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class CardFiles;
class Drives;
class NoteStore;

// A song being written onto a card, noted outside the card before its first byte:
// should the program never come back from the copy (killed, crashed, the power cut),
// the note says which file on which card may be short. A note on the card itself
// would take a directory slot and with it a place in the order the player plays.
struct CopyNote {
    std::string volume; // Drives::volume_id of the card
    std::string name;   // the file's name in the card's root folder
    std::uint64_t size = 0;

    friend bool operator==(const CopyNote&, const CopyNote&) = default;
};

// The notes as one text, one line each; a name may hold any character.
std::string notes_text(const std::vector<CopyNote>& notes);
// Lines that are not a note are passed over.
std::vector<CopyNote> parse_notes(std::string_view text);

// Notes a copy while it is under way. Keeping the note is worth a run, not a failed
// one: where the store cannot be written, the copies go on without it.
class NotedCopy {
public:
    NotedCopy(NoteStore& store, CopyNote note);
    ~NotedCopy();
    NotedCopy(const NotedCopy&) = delete;
    NotedCopy& operator=(const NotedCopy&) = delete;
    NotedCopy(NotedCopy&&) = delete;
    NotedCopy& operator=(NotedCopy&&) = delete;

    // The copy is whole, or failed with nothing of it left: the note goes. Without
    // this call (the card gone part-way) the note stays for the next time the card
    // is seen.
    void settled();

private:
    NoteStore& store_;
    CopyNote note_;
    bool noted_ = false;
};

// Removes from the drive's root each file a note names for this card whose size is
// not the one noted: a copy cut short. The notes for the card go, but for those
// whose file could not be removed. The names removed, in the notes' order. Does
// nothing without a note, nor where the notes cannot be read or written; throws the
// Failure of a drive that cannot be read.
std::vector<std::string> remove_short_copies(CardFiles& fs, const Drives& drives,
                                             std::string_view drive, NoteStore& store);

// The user is told once which files were removed; nullopt when none was.
std::optional<std::string> short_copies_message(const std::vector<std::string>& removed);

} // namespace kadoru
