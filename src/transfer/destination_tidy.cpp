#include "transfer/destination_tidy.h"

#include "card/arrangement_recovery.h"
#include "platform/message_box.h"
#include "transfer/copy_notes.h"

namespace kadoru {

void tidy_destination(CardFiles& fs, const Drives& drives, std::string_view drive, NoteStore& notes,
                      MessageBox& messages) {
    if (const auto told = recovery_message(recover_arrangement(fs, drives, drive)))
        messages.show(*told);
    if (const auto told = short_copies_message(remove_short_copies(fs, drives, drive, notes)))
        messages.show(*told);
}

} // namespace kadoru
