#pragma once

#include "platform/card_files.h"

#include <stop_token>

namespace kadoru {

class RunEvents;

// The card as the run reaches it. Each call is made on a worker thread
// while the calling thread, the window's, lets events run whenever wait_paint_slice
// has passed since they last ran. How long one write or flush blocks depends on the
// card, not on us, so cutting the work into pieces could not bound the window's
// silence; a call that does not hold up the window's thread at all does. The calls
// still come one at a time and in the run's order, and the run's logic stays on the
// window's thread, so nothing else changes for it.
//
// When the events that run inside a call end the program (or throw anything else),
// a copy under way stops and removes its partial file, any other call is let
// finish, and the exception goes on to the run.
class ResponsiveFileSystem final : public CardFiles {
public:
    // medium and events outlive this object.
    ResponsiveFileSystem(CardFiles& medium, RunEvents& events);

    std::vector<FileEntry> files(const std::string& folder) const override;
    std::vector<std::string> entry_names(const std::string& folder) const override;
    std::optional<std::vector<std::string>>
    stored_entry_names(const std::string& folder) const override;
    bool is_folder(const std::string& path) const override;
    bool is_file(const std::string& path) const override;
    bool same_file(const std::string& a, const std::string& b) const override;
    void delete_file(const std::string& path) override;
    void copy_file_or_stop(const std::string& from, const std::string& to,
                           std::stop_token stop) override;
    void create_empty_file(const std::string& path) override;

private:
    template <class Call>
    auto wait_for(Call call, std::stop_source stop = std::stop_source(std::nostopstate)) const;

    CardFiles& medium_;
    RunEvents& events_;
};

} // namespace kadoru
