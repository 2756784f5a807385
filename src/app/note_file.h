#pragma once

#include "platform/file_system.h"
#include "platform/note_store.h"

namespace kadoru {

struct SettingsPlaces;

// The program's note kept as a file beside the settings: in the user's configuration
// folder, or in the program's where the user has none. It follows the places as
// start-up sets them; fs and places outlive it.
class NoteFile final : public NoteStore {
public:
    NoteFile(FileSystem& fs, const SettingsPlaces& places)
        : reading_(fs), writing_(fs), places_(places) {}

    std::string read() const override;
    void write(std::string_view text) override;

private:
    std::string path() const;

    const SourceFiles& reading_;
    TextFiles& writing_;
    const SettingsPlaces& places_;
};

} // namespace kadoru
