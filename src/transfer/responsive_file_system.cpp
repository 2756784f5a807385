#include "transfer/responsive_file_system.h"

#include "transfer/run_events.h"
#include "transfer/wait_rule.h"

#include <future>
#include <stop_token>
#include <utility>

namespace kadoru {

namespace {

// Runs the call on a worker thread and lets the window's events run while it lasts.
template <class Call>
auto wait_for(RunEvents& events, Call call,
              std::stop_source stop = std::stop_source(std::nostopstate)) {
    auto result = std::async(std::launch::async, std::move(call));
    try {
        while (result.wait_until(events.last_run() + wait_paint_slice) != std::future_status::ready)
            events.process_events();
    } catch (...) {
        // The worker still uses the caller's arguments: it must be done before they go.
        stop.request_stop();
        result.wait();
        throw;
    }
    return result.get();
}

// Each call of the card port, made on a worker thread by wait_for.
class ResponsiveCard final : public CardFiles {
public:
    ResponsiveCard(CardFiles& medium, RunEvents& events) : medium_(medium), events_(events) {}

    std::vector<FileEntry> files(const std::string& folder) const override {
        return wait_for(events_, [&] { return medium_.files(folder); });
    }
    std::vector<std::string> entry_names(const std::string& folder) const override {
        return wait_for(events_, [&] { return medium_.entry_names(folder); });
    }
    std::optional<std::vector<std::string>>
    stored_entry_names(const std::string& folder) const override {
        return wait_for(events_, [&] { return medium_.stored_entry_names(folder); });
    }
    FolderRoom folder_room(const std::string& folder) const override {
        return wait_for(events_, [&] { return medium_.folder_room(folder); });
    }
    bool is_folder(const std::string& path) const override {
        return wait_for(events_, [&] { return medium_.is_folder(path); });
    }
    bool is_file(const std::string& path) const override {
        return wait_for(events_, [&] { return medium_.is_file(path); });
    }
    bool same_file(const std::string& a, const std::string& b) const override {
        return wait_for(events_, [&] { return medium_.same_file(a, b); });
    }
    std::optional<FileId> file_id(const std::string& path) const override {
        return wait_for(events_, [&] { return medium_.file_id(path); });
    }
    std::optional<FileStamp> readable_file(const std::string& path) const override {
        return wait_for(events_, [&] { return medium_.readable_file(path); });
    }
    void delete_file(const std::string& path) override {
        wait_for(events_, [&] { medium_.delete_file(path); });
    }
    void copy_file_or_stop(const std::string& from, const std::string& to,
                           std::stop_token stop) override {
        // Stops for either: the caller's token or the end of the program.
        std::stop_source own;
        const std::stop_callback pass_on(stop, [&own] { own.request_stop(); });
        wait_for(
            events_, [&, token = own.get_token()] { medium_.copy_file_or_stop(from, to, token); },
            own);
    }
    void create_empty_file(const std::string& path) override {
        wait_for(events_, [&] { medium_.create_empty_file(path); });
    }
    void move_entry(const std::string& from, const std::string& to) override {
        wait_for(events_, [&] { medium_.move_entry(from, to); });
    }
    void make_folder(const std::string& path) override {
        wait_for(events_, [&] { medium_.make_folder(path); });
    }
    void remove_empty_folder(const std::string& path) override {
        wait_for(events_, [&] { medium_.remove_empty_folder(path); });
    }

private:
    CardFiles& medium_;
    RunEvents& events_;
};

} // namespace

std::unique_ptr<CardFiles> responsive_card(CardFiles& medium, RunEvents& events) {
    return std::make_unique<ResponsiveCard>(medium, events);
}

} // namespace kadoru
