#pragma once

#include "platform/file_entry.h"

#include <string>
#include <vector>

namespace kadoru {

class CardFiles;
class TransferList;

// A row's source file as the run finds it at Start.
struct CheckedSource {
    FileId id;
    std::uint64_t size = 0; // read afresh, not the size noted when the row was added
};

// Every row's source, in list order, each an existing, readable, regular file (links
// followed). Throws the Failure of the first that is not: nothing of the list can be
// lost for the sake of a song that cannot be copied. A folder is 75, a file that
// will not open for reading 70, nothing there 53.
std::vector<CheckedSource> check_sources(const CardFiles& fs, const TransferList& list);

// Whether the path is the same file (links followed, any spelling) as the source of
// one of the rows from first_row on: a file the run must neither delete nor overwrite
// before copying it.
bool is_source_of_row(const CardFiles& fs, const std::string& path,
                      const std::vector<CheckedSource>& sources, int first_row = 0);

} // namespace kadoru
