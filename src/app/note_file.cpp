#include "app/note_file.h"

#include "app/settings_file.h"
#include "platform/failure.h"
#include "platform/paths.h"

namespace kadoru {

namespace {

constexpr std::string_view file_name = "kadoru-copying.txt";
// Far more than the notes of every card a user has.
constexpr std::size_t most_bytes = 1 << 20;

} // namespace

std::string NoteFile::path() const {
    const std::string& folder =
        places_.user_folder.empty() ? places_.app_path : places_.user_folder;
    return folder.empty() ? std::string{} : join_path(folder, file_name);
}

std::string NoteFile::read() const {
    const std::string file = path();
    if (file.empty() || !reading_.readable_file(file))
        return {};
    return reading_.read_file(file, most_bytes);
}

void NoteFile::write(std::string_view text) {
    const std::string file = path();
    if (file.empty())
        return;
    if (text.empty()) {
        try {
            writing_.delete_file(file);
        } catch (const Failure& failure) {
            if (failure.code() != failure_code::file_not_found)
                throw;
        }
        return;
    }
    if (!places_.user_folder.empty())
        writing_.create_folder(places_.user_folder);
    writing_.write_text(file, text);
}

} // namespace kadoru
