#pragma once

#include "platform/failure.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kadoru {

// What both pairs of the platform layer make of a file they read in chunks.
// read_chunks(on_chunk) hands the file's bytes to on_chunk as they are read, until
// the end of the file or until on_chunk returns false.

// The characters up to the first line break; an empty file is input past its end.
template <class ReadChunks> std::string first_line_of(ReadChunks read_chunks) {
    std::string line;
    bool read_any = false;
    read_chunks([&](std::string_view chunk) {
        read_any = true;
        const auto end = chunk.find_first_of("\r\n");
        line.append(chunk.substr(0, end));
        return end == std::string_view::npos;
    });
    if (!read_any)
        throw Failure(failure_code::input_past_end);
    return line;
}

// The whole file, which must hold no more than max_bytes.
template <class ReadChunks>
std::string whole_file_of(ReadChunks read_chunks, std::size_t max_bytes) {
    std::string bytes;
    read_chunks([&](std::string_view chunk) {
        bytes.append(chunk);
        // The file may have grown since it was measured.
        if (bytes.size() > max_bytes)
            throw Failure(failure_code::path_file_access_error);
        return true;
    });
    return bytes;
}

} // namespace kadoru
