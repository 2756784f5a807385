#pragma once

#include "platform/song_details.h"

#include <chrono>
#include <string>

namespace kadoru {

class SongDetailsReader;

// A playing time as players show it: minutes and seconds ("3:07"), with hours in
// front from an hour on ("1:02:03"). Parts of a second are dropped.
std::string format_playing_time(std::chrono::milliseconds length);

// The tooltip of a song: one line for each of title, artist, album, disc, track
// number and length that the song has, in that order; empty when it has none.
std::string song_tip(const SongDetails& song);

// The tooltip of the song at a path; empty when the file says nothing of itself.
std::string song_tip(SongDetailsReader& songs, const std::string& path);

} // namespace kadoru
