#include "app/main_program.h"

#include "platform/drives.h"
#include "platform/file_system.h"

namespace kadoru {

SongDetailsReader& no_song_details() {
    // Holds no state, so one object serves every caller.
    class NoSongDetails final : public SongDetailsReader {
    public:
        std::optional<SongDetails> read(const std::string& /*path*/) override {
            return std::nullopt;
        }
    };
    static NoSongDetails none;
    return none;
}

MainProgram::MainProgram(const ProgramPorts& ports, const std::string& start_folder)
    : model(ports.drives, ports.fs, ports.drives.drive_of(start_folder), start_folder),
      controller(model, ports.fs, ports.drives, ports.messages, ports.events, ports.clock,
                 ports.progress, ports.songs, ports.ejector, ports.notice) {
}

} // namespace kadoru
