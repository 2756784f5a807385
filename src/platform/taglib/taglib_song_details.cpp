#include "platform/taglib/taglib_song_details.h"

#include "platform/ascii_case.h"
#include "platform/std_path.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <filesystem>
#include <memory>
#include <taglib/asffile.h>
#include <taglib/audioproperties.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/tfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>

namespace kadoru {

namespace {

std::string utf8(const TagLib::String& text) {
    return text.to8Bit(true);
}

// "2" or "2/3" (disc 2 of 3) gives 2; anything else 0, "not known".
int leading_number(const TagLib::String& text) {
    const std::string digits = text.to8Bit(false);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc{} && value > 0 ? value : 0;
}

// The disc number from the format's own field: ID3v2 TPOS (MP3, and WAV's ID3
// chunk) and ASF WM/PartOfSet (WMA) both come out as DISCNUMBER.
int disc_number(const TagLib::File& file) {
    const TagLib::PropertyMap properties = file.properties();
    const auto disc = properties.find("DISCNUMBER");
    return disc == properties.end() || disc->second.isEmpty()
               ? 0
               : leading_number(disc->second.front());
}

// The reader of the format the name's extension says, and no other: TagLib's own
// choice would also look at the content and read an MP3 named ".wma" as an MP3.
// The name goes to TagLib in the system's own form: on Windows a narrow name would be
// read in the ANSI code page, and a Japanese name would not open.
std::unique_ptr<TagLib::File> open_as_named(const std::string& path) {
    const std::filesystem::path name = std_path(path);
    std::string extension = utf8_of(name.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(), ascii_lower);
    constexpr auto style = TagLib::AudioProperties::Fast;
    if (extension == ".mp3")
        return std::make_unique<TagLib::MPEG::File>(name.c_str(), true, style);
    if (extension == ".wma")
        return std::make_unique<TagLib::ASF::File>(name.c_str(), true, style);
    if (extension == ".wav")
        return std::make_unique<TagLib::RIFF::WAV::File>(name.c_str(), true, style);
    return nullptr;
}

} // namespace

std::optional<SongDetails> TagLibSongDetails::read(const std::string& path) {
    try {
        const auto file = open_as_named(path);
        // Invalid when missing, unreadable or not what its extension says.
        if (!file || !file->isValid())
            return std::nullopt;
        SongDetails song;
        if (const TagLib::Tag* tag = file->tag()) {
            song.title = utf8(tag->title());
            song.artist = utf8(tag->artist());
            song.album = utf8(tag->album());
            song.track = static_cast<int>(tag->track());
        }
        song.disc = disc_number(*file);
        if (const TagLib::AudioProperties* audio = file->audioProperties())
            song.length = std::chrono::milliseconds(std::max(0, audio->lengthInMilliseconds()));
        // Some formats parse almost anything (an MPEG reader skips to the first
        // frame it finds): a file with no tag and no length says nothing of itself.
        const bool says_something = !song.title.empty() || !song.artist.empty() ||
                                    !song.album.empty() || song.disc > 0 || song.track > 0 ||
                                    song.length.count() > 0;
        if (!says_something)
            return std::nullopt;
        return song;
    } catch (const std::exception&) {
        // A damaged file can make the parser ask for more memory than there is.
        return std::nullopt;
    }
}

} // namespace kadoru
