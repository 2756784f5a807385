#include "app/main_controller.h"

#include "app/main_view_model.h"
#include "app/settings_file.h"
#include "card/card_arrangement.h"
#include "card/card_removal.h"
#include "platform/drives.h"
#include "platform/failure.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "transfer/control_lock.h"
#include "transfer/delete_step.h"
#include "transfer/destination_tidy.h"
#include "transfer_list/format_size.h"
#include "transfer_list/list_arrange.h"
#include "transfer_list/list_commands.h"
#include "transfer_list/list_drops.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace kadoru {

namespace {

ListEditing editing(MainViewModel& vm) {
    return {vm.list2, vm.file1, vm.file_size, vm.total_size, vm.label7};
}

ListArranging arranging(MainViewModel& vm) {
    return {vm.list2, vm.total_size, vm.label7};
}

class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
    ~Raised() { flag_ = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;
    Raised(Raised&&) = delete;
    Raised& operator=(Raised&&) = delete;

private:
    bool& flag_;
};

} // namespace

MainController::MainController(MainViewModel& vm, FileSystem& fs, Drives& drives,
                               MessageBox& messages, EventPump& events, Clock& clock,
                               Progress& progress, SongDetailsReader& details, CardEjector& ejector,
                               DesktopNotice& notice)
    : WithListInput({&vm.drive1, &vm.drive2, &vm.dir1, &vm.file1, &vm.combo_ftype}), vm_(vm),
      fs_(fs), drives_(drives), messages_(messages), details_(details), ejector_(ejector),
      run_messages_(messages, notice),
      browser_({vm.drive1, vm.dir1, vm.file1, vm.combo_ftype, vm.label9, vm.file_size}, fs,
               messages, events),
      panel_({vm.drive1, vm.dir1, vm.drive2, vm.label8, vm.label11}, drives, messages),
      run_events_(events), run_fs_(responsive_card(fs, run_events_)),
      run_({vm.list2, vm.drive2, vm.dir1, [&vm] { return vm.combo_ftype.text(); },
            [this](const std::string& folder, const std::string& drive) {
                // A failure here is the run's to report.
                save_settings(fs_, places_, folder, drive);
            }},
           {*run_fs_, drives, clock, run_messages_, run_events_, progress, vm.controls, notes_}) {
    vm_.drive1.on_change = [this] { browser_.drive_changed(); };
    vm_.dir1.on_change = [this] { browser_.folder_changed(); };
    vm_.combo_ftype.on_click = [this] { browser_.type_clicked(); };
    vm_.file1.on_click = [this] { browser_.file_clicked(); };
    vm_.file1.on_double_click = [this] { add(); };
    vm_.drive2.on_change = [this] {
        panel_.drive_changed();
        // Start-up sees to the destination it restores once all its steps are done.
        if (started_)
            recover_destination();
    };
}

MainController::~MainController() {
    vm_.drive1.on_change = nullptr;
    vm_.dir1.on_change = nullptr;
    vm_.combo_ftype.on_click = nullptr;
    vm_.file1.on_click = nullptr;
    vm_.file1.on_double_click = nullptr;
    vm_.drive2.on_change = nullptr;
}

void MainController::start_up(const SettingsPlaces& places) {
    const auto step = [this](auto&& action) {
        try {
            std::forward<decltype(action)>(action)();
        } catch (const Failure&) {
            panel_.destination_to_source();
        }
    };

    vm_.app_path = places.app_path;
    places_ = places;

    // A file that is missing or empty reads as an empty line: no drive, no folder.
    LoadedSettings settings;
    step([&] { settings = load_settings(fs_, places_); });

    // Each assignment runs its list's change handler before it returns.
    step([&] { vm_.drive1.assign(settings.source_drive_text); });
    step([&] {
        if (!settings.folder)
            throw Failure(failure_code::path_not_found);
        vm_.dir1.assign(*settings.folder);
    });
    step([&] { vm_.drive2.assign(settings.destination_drive); });

    step([&] {
        vm_.label8.set_text(
            format_size(static_cast<double>(drives_.free_space(vm_.drive2.drive()))));
    });
    step([&] {
        vm_.label11.set_text(
            format_size(static_cast<double>(drives_.total_size(vm_.drive2.drive()))));
    });

    recover_destination();
    started_ = true;

    vm_.combo_ftype.clear();
    for (const std::string_view type : song_types)
        vm_.combo_ftype.add_item(std::string(type));
    vm_.combo_ftype.set_text(std::string(song_types.front()));

    // The file list, its pattern and the sizes must match the folder and type now
    // shown, whether or not the steps above changed anything.
    browser_.folder_changed();
}

void MainController::start() {
    // A click that comes in while an arrangement lets events run waits for none.
    if (!run_events_.program_ending() && !arranging_)
        run_.start();
}

void MainController::recover_destination() {
    // Never under a run or an arrangement, which see to the card themselves.
    if (run_.running() || arranging_ || run_events_.program_ending())
        return;
    try {
        tidy_destination(*run_fs_, drives_, vm_.drive2.drive(), notes_, messages_);
    } catch (const Failure&) {
        // A destination that cannot be read now is told by the panel or by the next
        // run, which tidies it again before it counts anything there.
    }
}

void MainController::close() {
    // First, so that even a failure to save below leaves nothing of a run going on.
    end();
    // A record that cannot be written anywhere leaves as a Failure: the window tells
    // the user and ends the program all the same.
    save_settings(fs_, places_, vm_.dir1.path(), vm_.drive2.drive());
}

void MainController::end() {
    run_events_.end_program();
}

void MainController::add() {
    add_selected(editing(vm_));
}

void MainController::add_all() {
    kadoru::add_all(editing(vm_));
}

void MainController::remove() {
    remove_selected(vm_.list2, vm_.total_size, vm_.label7);
}

void MainController::clear() {
    clear_list(vm_.list2, vm_.total_size, vm_.label7);
}

void MainController::move_up() {
    kadoru::move_up(vm_.list2);
}

void MainController::move_down() {
    kadoru::move_down(vm_.list2);
}

void MainController::refresh() {
    panel_.refresh();
}

CardOrder MainController::card_order() {
    // Songs an arrangement left in its working folder are shown, and arranged, in
    // the root.
    recover_destination();
    const std::string drive = vm_.drive2.drive();
    const std::string type = vm_.combo_ftype.text();
    try {
        return read_card_order(fs_, drives_, drive, [&type](std::string_view name) {
            return has_type_suffix(name, type);
        });
    } catch (const Failure& failure) {
        throw failure.on_drive(drive);
    }
}

bool MainController::can_arrange(const CardOrder& order) const {
    return order.as_stored && !run_.running() && !arranging_ && !run_events_.program_ending() &&
           std::any_of(order.rows.begin(), order.rows.end(),
                       [](const CardOrderRow& row) { return row.song; });
}

void MainController::arrange_card(const CardOrder& order, const std::vector<std::string>& names,
                                  const ArrangeProgress& progress) {
    if (!can_arrange(order))
        return;
    const Raised flag(arranging_);
    try {
        deact_all(vm_.controls, run_events_);
        ArrangementResult result;
        try {
            result = kadoru::arrange_card(*run_fs_, drives_, order.drive, names, progress);
        } catch (const Failure& failure) {
            act_all(vm_.controls, run_events_);
            throw failure.on_drive(order.drive);
        }
        for (const auto& message : arrangement_messages(result))
            messages_.show(message);
        act_all(vm_.controls, run_events_);
    } catch (const ProgramEnding&) {
        // Close came in where events ran: the program ends, but not before the songs
        // are back in the root, by renames alone and straight on the card. What cannot
        // go back now waits for the next start.
        try {
            recover_arrangement(fs_, drives_, order.drive, RecoveryPace::renames_only);
        } catch (const Failure&) {
        }
    }
}

void MainController::sort_songs_by_track(CardArranging& songs) {
    songs.sort_by_track(details_);
}

bool MainController::can_eject() const {
    return !run_.running() && !arranging_ &&
           kadoru::can_eject(drives_, ejector_, vm_.drive2.drive());
}

void MainController::eject_card() {
    if (!can_eject() || !kadoru::eject_card(drives_, ejector_, messages_, vm_.drive2.drive()))
        return;
    panel_.destination_to_source();
    // The selector lists the drives present now, without the card.
    vm_.drive2.changed.notify();
}

// The run reads the list between its events, so nothing rearranges it meanwhile.
bool MainController::list_editable() const {
    return !run_.running();
}

void MainController::move_selected_to(int to) {
    if (list_editable())
        kadoru::move_selected_to(arranging(vm_), to);
}

void MainController::add_dropped(const std::vector<std::string>& paths) {
    if (list_editable())
        kadoru::add_dropped({vm_.list2, fs_, messages_, vm_.total_size, vm_.label7}, paths,
                            vm_.combo_ftype.text());
}

void MainController::add_playlist(const std::string& path) {
    if (list_editable())
        kadoru::add_playlist({vm_.list2, fs_, messages_, vm_.total_size, vm_.label7}, path);
}

void MainController::save_playlist(const std::string& path) {
    kadoru::save_playlist(vm_.list2, fs_, path);
}

void MainController::sort_by_name() {
    if (list_editable())
        kadoru::sort_by_name(arranging(vm_));
}

void MainController::sort_by_track() {
    if (list_editable())
        kadoru::sort_by_track(arranging(vm_), details_);
}

void MainController::shuffle() {
    if (list_editable())
        shuffle_list(arranging(vm_), random_);
}

void MainController::list_rows_selected(const std::vector<int>& rows) {
    vm_.list2.set_selection(rows);
}

void MainController::list_current_row(int row) {
    vm_.list2.set_list_index(row < vm_.list2.count() ? row : -1);
}

} // namespace kadoru
