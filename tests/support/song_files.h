#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace kadoru::test {

// Small songs made from nothing, for TagLib to tag and read: silence in the
// smallest shape each format's reader accepts.

inline void put_le(std::string& bytes, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// RIFF WAVE, PCM, 8000 Hz, mono, 8 bits: one byte per sample.
inline std::string wav_bytes(std::chrono::milliseconds length) {
    const auto samples = static_cast<std::uint64_t>(length.count()) * 8;
    std::string bytes = "RIFF";
    put_le(bytes, 36 + samples, 4);
    bytes += "WAVEfmt ";
    put_le(bytes, 16, 4);
    put_le(bytes, 1, 2);    // PCM
    put_le(bytes, 1, 2);    // channels
    put_le(bytes, 8000, 4); // samples per second
    put_le(bytes, 8000, 4); // bytes per second
    put_le(bytes, 1, 2);    // block align
    put_le(bytes, 8, 2);    // bits per sample
    bytes += "data";
    put_le(bytes, samples, 4);
    bytes.append(samples, '\x80');
    return bytes;
}

// MPEG-1 Layer III frames, 128 kbit/s, 44100 Hz, mono, each 1152 samples long
// (about 26 ms) and 417 bytes: a header and silence.
inline std::string mp3_bytes(int frames) {
    std::string frame("\xFF\xFB\x90\xC0", 4);
    frame.resize(417, '\0');
    std::string bytes;
    for (int i = 0; i < frames; ++i)
        bytes += frame;
    return bytes;
}

// An ASF header (WMA) with the two objects a reader needs: the file's properties
// with its play duration, and one stream's properties. No data follows.
inline std::string asf_bytes(std::chrono::milliseconds length) {
    const std::string header_guid(
        "\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16);
    const std::string file_guid("\xA1\xDC\xAB\x8C\x47\xA9\xCF\x11\x8E\xE4\x00\xC0\x0C\x20\x53\x65",
                                16);
    const std::string stream_guid(
        "\x91\x07\xDC\xB7\xB7\xA9\xCF\x11\x8E\xE6\x00\xC0\x0C\x20\x53\x65", 16);

    std::string file_properties = file_guid;
    put_le(file_properties, 24 + 80, 8);
    std::string data(80, '\0');
    std::string duration; // in units of 100 ns
    put_le(duration, static_cast<std::uint64_t>(length.count()) * 10'000, 8);
    data.replace(40, 8, duration); // play duration; preroll (at 56) stays 0
    file_properties += data;

    std::string stream_properties = stream_guid;
    put_le(stream_properties, 24 + 72, 8);
    stream_properties.append(72, '\0');

    std::string bytes = header_guid;
    put_le(bytes, 30 + file_properties.size() + stream_properties.size(), 8);
    put_le(bytes, 2, 4); // objects
    bytes += std::string("\x01\x02", 2);
    return bytes + file_properties + stream_properties;
}

} // namespace kadoru::test
