#pragma once

#include "platform/note_store.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kadoru {

class Clock;
class ControlSwitch;
class DriveSelector;
class Drives;
class EventPump;
class Failure;
class CardFiles;
class FolderList;
class MessageBox;
class Progress;
class TransferList;
struct CheckedSource;

// The main window's state the run works on. The run reads each of these at the
// moment it needs it; the main window owns them and outlives the run.
struct TransferInputs {
    const TransferList& list;
    DriveSelector& drive2;                  // destination drive
    const FolderList& dir1;                 // source folder
    std::function<std::string()> type_text; // the file type selector's text
    // Writes the settings record: the source folder and the destination drive string.
    std::function<void(const std::string& folder, const std::string& drive)> save_settings;
};

// The outside world as the run reaches it.
struct TransferPorts {
    CardFiles& fs;
    Drives& drives;
    Clock& clock;
    MessageBox& messages;
    EventPump& events;
    Progress& progress;
    ControlSwitch& controls;
    // Where the song being written is noted, outside the card.
    NoteStore& notes = no_note_store();
};

// Start: copies the transfer list, in order, into the root folder of the
// destination drive. Before anything on the card changes, every row's source must
// open as a file, rows the card would hold under one name are put to the user, and
// after the delete question the whole list must fit: it must not overwrite a source
// of its own, and the card must have room for it in whole allocation units,
// counting what the delete step and the replaced files give back. Only then the
// delete step, and the files paced by the wait rule while the progress window is up
// and the controls are locked. On a FAT or exFAT card each file goes under its card
// name. Each song is noted outside the card while it is written, and a short copy
// a note names is removed before the next run onto that card. Any failure ends the
// run with its message and returns the window to idle; nothing escapes start().
class TransferRun {
public:
    TransferRun(TransferInputs inputs, TransferPorts ports);

    // Runs one transfer to its end. A call that arrives while a run is under way
    // (from a click handled where the run lets events run) is ignored. Where the
    // ports end the program (ProgramEnding out of the event pump), the run stops
    // there and returns without a word.
    void start();

    // Whether a run is under way: the window may handle events meanwhile.
    bool running() const { return running_; }

private:
    // What one run has done so far, for the error path.
    struct RunState {
        std::string drive;  // the destination drive the run works on
        bool shown = false; // the run showed the progress window and has not hidden it
    };

    void run(RunState& state);
    // Whether the user lets the rows that the card holds under one name replace
    // each other; true when there are none.
    bool collisions_accepted(const std::vector<std::string>& names,
                             const std::vector<CheckedSource>& sources, bool card) const;
    // The names the rows are written under on the drive: card names where its file
    // system holds no others (card), the list's names elsewhere.
    std::vector<std::string> names_on_card(bool card) const;
    // Whether the drive is still mounted where the run found it.
    bool still_there(const std::string& drive, const std::string& root) const;
    // Copies every row; a name the drive refused is replaced in names by the one
    // the row went under.
    void copy_all(const std::string& drive, const std::string& root,
                  std::vector<std::string>& names, const std::vector<CheckedSource>& sources);
    // One copy, noted outside the card (known by volume, when not empty) while it is
    // under way.
    void copy_noted(const std::string& volume, const std::string& drive, const std::string& root,
                    const std::string& from, const std::string& name, std::uint64_t size);
    void fail(const Failure& failure, const RunState& state);

    TransferInputs in_;
    TransferPorts io_;
    bool running_ = false;
};

} // namespace kadoru
