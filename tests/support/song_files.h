#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace kadoru::test {

// A song's worth of bytes that no copy could get right by chance; the same for the
// same seed.
inline std::string random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (auto& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}
inline std::string random_bytes(std::size_t size) {
    return random_bytes(size, static_cast<unsigned>(size));
}

// Small songs made from nothing, for TagLib to tag and read: silence in the
// smallest shape each format's reader accepts.

inline std::string le(std::uint64_t value, int width) {
    std::string bytes;
    for (int i = 0; i < width; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// RIFF WAVE, PCM, 8000 Hz, mono, 8 bits: one byte per sample.
inline std::string wav_bytes(std::chrono::milliseconds length) {
    const auto samples = static_cast<std::uint64_t>(length.count()) * 8;
    return "RIFF" + le(36 + samples, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) /* PCM */ +
           le(1, 2) /* channels */ + le(8000, 4) /* samples a second */ +
           le(8000, 4) /* bytes a second */ + le(1, 2) /* block align */ +
           le(8, 2) /* bits a sample */ + "data" + le(samples, 4) + std::string(samples, '\x80');
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
    std::string data(80, '\0'); // play duration at 40, in units of 100 ns; preroll (56) is 0
    data.replace(40, 8, le(static_cast<std::uint64_t>(length.count()) * 10'000, 8));
    const std::string file_properties =
        std::string("\xA1\xDC\xAB\x8C\x47\xA9\xCF\x11\x8E\xE4\x00\xC0\x0C\x20\x53\x65", 16) +
        le(24 + 80, 8) + data;
    const std::string stream_properties =
        std::string("\x91\x07\xDC\xB7\xB7\xA9\xCF\x11\x8E\xE6\x00\xC0\x0C\x20\x53\x65", 16) +
        le(24 + 72, 8) + std::string(72, '\0');
    return std::string("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16) +
           le(30 + file_properties.size() + stream_properties.size(), 8) + le(2, 4) /* objects */ +
           std::string("\x01\x02", 2) + file_properties + stream_properties;
}

} // namespace kadoru::test
