#include "transfer/responsive_file_system.h"

#include "transfer/run_events.h"
#include "transfer/wait_rule.h"

#include <future>
#include <utility>

namespace kadoru {

ResponsiveFileSystem::ResponsiveFileSystem(CardFiles& medium, RunEvents& events)
    : medium_(medium), events_(events) {
}

template <class Call> auto ResponsiveFileSystem::wait_for(Call call, std::stop_source stop) const {
    auto result = std::async(std::launch::async, std::move(call));
    try {
        while (result.wait_until(events_.last_run() + wait_paint_slice) !=
               std::future_status::ready)
            events_.process_events();
    } catch (...) {
        // The worker still uses the caller's arguments: it must be done before they go.
        stop.request_stop();
        result.wait();
        throw;
    }
    return result.get();
}

std::vector<FileEntry> ResponsiveFileSystem::files(const std::string& folder) const {
    return wait_for([&] { return medium_.files(folder); });
}

bool ResponsiveFileSystem::is_folder(const std::string& path) const {
    return wait_for([&] { return medium_.is_folder(path); });
}

bool ResponsiveFileSystem::is_file(const std::string& path) const {
    return wait_for([&] { return medium_.is_file(path); });
}

bool ResponsiveFileSystem::same_file(const std::string& a, const std::string& b) const {
    return wait_for([&] { return medium_.same_file(a, b); });
}

void ResponsiveFileSystem::delete_file(const std::string& path) {
    wait_for([&] { medium_.delete_file(path); });
}

void ResponsiveFileSystem::copy_file_or_stop(const std::string& from, const std::string& to,
                                             std::stop_token stop) {
    // Stops for either: the caller's token or the end of the program.
    std::stop_source own;
    const std::stop_callback pass_on(stop, [&own] { own.request_stop(); });
    wait_for([&, token = own.get_token()] { medium_.copy_file_or_stop(from, to, token); }, own);
}

std::vector<std::string> ResponsiveFileSystem::entry_names(const std::string& folder) const {
    return wait_for([&] { return medium_.entry_names(folder); });
}

std::optional<std::vector<std::string>>
ResponsiveFileSystem::stored_entry_names(const std::string& folder) const {
    return wait_for([&] { return medium_.stored_entry_names(folder); });
}

void ResponsiveFileSystem::create_empty_file(const std::string& path) {
    wait_for([&] { medium_.create_empty_file(path); });
}

} // namespace kadoru
