#include "platform/file_system.h"

#include "platform/failure.h"

namespace kadoru {

void FileSystem::create_folder(const std::string& /*path*/) {
    throw Failure(failure_code::path_file_access_error);
}

} // namespace kadoru
