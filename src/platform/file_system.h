#pragma once

#include "platform/card_files.h"
#include "platform/source_files.h"
#include "platform/text_files.h"

namespace kadoru {

// One machine's files as every port sees them, so that one object can be handed to
// the program's wiring; each caller takes the port it needs, never this.
class FileSystem : public CardFiles, public SourceFiles, public TextFiles {};

} // namespace kadoru
