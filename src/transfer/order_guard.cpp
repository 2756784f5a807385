#include "transfer/order_guard.h"

#include "platform/ascii_case.h"
#include "platform/card_files.h"
#include "platform/failure.h"
#include "platform/paths.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace kadoru {

namespace {

constexpr std::string_view placeholder_stem = "KDR";
constexpr std::string_view placeholder_extension = ".TMP";
constexpr std::size_t placeholder_digits = 5;
constexpr int placeholder_numbers = 100000; // more than a FAT folder has entries

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string placeholder_name(int number) {
    std::array<char, 8> digits{};
    std::snprintf(digits.data(), digits.size(), "%05d", number % placeholder_numbers);
    return std::string(placeholder_stem) + digits.data() + std::string(placeholder_extension);
}

// Where the folder read shows the name, ignoring case; names.size() when nowhere.
std::size_t index_of(const std::vector<std::string>& names, std::string_view wanted) {
    const auto at = std::find_if(names.begin(), names.end(), [&](const std::string& entry) {
        return same_ignoring_case(entry, wanted);
    });
    return static_cast<std::size_t>(at - names.begin());
}

bool is_placeholder_name(std::string_view name) {
    const std::size_t stem = placeholder_stem.size();
    if (name.size() != stem + placeholder_digits + placeholder_extension.size())
        return false;
    const std::string_view digits = name.substr(stem, placeholder_digits);
    return same_ignoring_case(name.substr(0, stem), placeholder_stem) &&
           std::all_of(digits.begin(), digits.end(), is_digit) &&
           same_ignoring_case(name.substr(stem + placeholder_digits), placeholder_extension);
}

OrderGuard::OrderGuard(CardFiles& fs, std::string folder, std::vector<std::string> kept_names)
    : fs_(fs), folder_(std::move(folder)), kept_names_(std::move(kept_names)) {
    for (const FileEntry& file : fs_.files(folder_)) {
        // Only an empty file can be a placeholder: whatever has content is someone's.
        if (file.size != 0 || !is_placeholder_name(file.name))
            continue;
        try {
            fs_.delete_file(join_path(folder_, file.name));
        } catch (const Failure&) {
            // One that cannot go (write-protected) is only an entry like any other.
        }
    }
}

OrderGuard::~OrderGuard() {
    for (const auto& name : placeholders_) {
        try {
            fs_.delete_file(join_path(folder_, name));
        } catch (...) {
            // A pulled card keeps its placeholders; the next run on it removes them.
            continue;
        }
    }
}

void OrderGuard::place_last(const std::string& path) {
    if (standing_down_)
        return;
    try {
        fs_.delete_file(path);
    } catch (const Failure& failure) {
        if (failure.code() != failure_code::file_not_found)
            throw;
    }
    make_room_last();
}

void OrderGuard::make_room_last() {
    fill_holes_until([](const std::vector<std::string>& names, std::size_t at) {
        // Its slots, and the unused ones after them, are where the file goes.
        return at + 1 == names.size() ? Landing::where_wanted : Landing::in_a_hole;
    });
}

void OrderGuard::make_room_after(std::string_view previous) {
    if (previous.empty())
        return;
    // A placeholder is the smallest name there is: once one lands after `previous`,
    // every hole in front of it that any name could take is filled.
    fill_holes_until([previous](const std::vector<std::string>& names, std::size_t at) {
        const std::size_t after = index_of(names, previous);
        if (after == names.size())
            return Landing::lost;
        return at > after ? Landing::where_wanted : Landing::in_a_hole;
    });
}

void OrderGuard::fill_holes_until(
    const std::function<Landing(const std::vector<std::string>&, std::size_t)>& landed) {
    if (standing_down_)
        return;
    // With a first-fit allocator every placeholder lands after the one before it:
    // the holes in front of that one were all too small. A placeholder seen in front
    // of its predecessor means the folder read does not show the entries' order.
    std::size_t previous = 0;
    bool first = true;
    for (;;) {
        const std::string name = make_placeholder();
        if (standing_down_)
            return;
        const auto names = fs_.entry_names(folder_);
        const std::size_t at = index_of(names, name);
        const Landing landing = at == names.size() ? Landing::lost : landed(names, at);
        if (landing == Landing::lost || (!first && at <= previous)) {
            stand_down();
            return;
        }
        if (landing == Landing::where_wanted) {
            remove(name);
            return;
        }
        previous = at;
        first = false;
    }
}

void OrderGuard::finish() {
    while (!placeholders_.empty())
        remove(placeholders_.back());
}

std::string OrderGuard::make_placeholder() {
    while (next_number_ < placeholder_numbers) {
        std::string name = placeholder_name(next_number_++);
        if (index_of(kept_names_, name) != kept_names_.size())
            continue;
        try {
            fs_.create_empty_file(join_path(folder_, name));
        } catch (const Failure& failure) {
            if (failure.code() == failure_code::file_already_exists)
                continue; // someone's own file of that name
            if (!says_folder_full(failure.code()))
                throw;
            // No slot is left after the holes (a FAT16 root folder has a fixed number):
            // the file can only go into a hole, out of order, and the run must not fail
            // for that on a card with room. Standing down gives the holes back.
            folder_full_ = true;
            stand_down();
            return {};
        }
        placeholders_.push_back(name);
        took_entry_ = true;
        return name;
    }
    stand_down();
    return {};
}

bool OrderGuard::says_folder_full(int code) const {
    // The FUSE FAT driver refuses an entry in a full folder as a permission: a
    // folder that has taken a placeholder in this run and refuses the next, the
    // smallest name there is, has no slot left.
    return code == failure_code::disk_full ||
           (code == failure_code::permission_denied && took_entry_);
}

void OrderGuard::remove(const std::string& name) {
    fs_.delete_file(join_path(folder_, name));
    placeholders_.erase(std::find(placeholders_.begin(), placeholders_.end(), name));
}

void OrderGuard::stand_down() {
    standing_down_ = true;
    finish();
}

} // namespace kadoru
