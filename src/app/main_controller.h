#pragma once

#include "app/main_intents.h"
#include "app/note_file.h"
#include "app/run_end_messages.h"
#include "app/settings_file.h"
#include "browse/destination_panel.h"
#include "browse/list_input.h"
#include "browse/source_browser.h"
#include "platform/card_ejector.h"
#include "transfer/responsive_file_system.h"
#include "transfer/run_events.h"
#include "transfer/transfer_run.h"

#include <memory>
#include <random>

namespace kadoru {

class CardEjector;
class Clock;
class Drives;
class EventPump;
class FileSystem;
class MessageBox;
class Progress;
class SongDetailsReader;
struct MainViewModel;

// The main window's behaviour: connects every change and click handler of the
// view-model's lists, carries out the buttons' operations and runs start-up.
// It holds references to the view-model and the ports, which must outlive it;
// on destruction it takes its handlers off the view-model again. The run's closing
// messages are also posted through notice; ejector removes the destination card.
class MainController final : public WithListInput<MainIntents> {
public:
    MainController(MainViewModel& vm, FileSystem& fs, Drives& drives, MessageBox& messages,
                   EventPump& events, Clock& clock, Progress& progress, SongDetailsReader& details,
                   CardEjector& ejector = no_card_ejector(),
                   DesktopNotice& notice = no_desktop_notice());
    ~MainController() override;
    MainController(const MainController&) = delete;
    MainController& operator=(const MainController&) = delete;
    MainController(MainController&&) = delete;
    MainController& operator=(MainController&&) = delete;

    // Runs once, before the window is first shown: keeps the program's folder
    // (app_path) and where the settings live, restores the remembered source folder
    // and destination drive, shows the destination's figures, fills the type
    // selector and lists the source folder. Whatever step fails, the destination
    // falls back to the source drive and the next step runs; nothing is said.
    void start_up(const SettingsPlaces& places);

    // Does nothing once the program is ending.
    void start() override;
    // Ends the program and saves the settings; a Failure to write them leaves for the
    // window to show. A run under way stops where it let this click in.
    void close() override;
    // Ends the program without saving; a run under way stops as for close().
    void end() override;
    void add() override;
    void add_all() override;
    void remove() override;
    void clear() override;
    void move_up() override;
    void move_down() override;
    void refresh() override;
    // The songs marked are those of the type the type selector shows. What an
    // arrangement left in its working folder goes back into the root first.
    CardOrder card_order() override;
    bool can_arrange(const CardOrder& order) const override;
    // Under the control lock, as a run is: no run starts meanwhile. Where the program
    // ends part-way, the songs go back into the root before it ends.
    void arrange_card(const CardOrder& order, const std::vector<std::string>& names,
                      const ArrangeProgress& progress) override;
    void sort_songs_by_track(CardArranging& songs) override;
    bool can_eject() const override;
    // After the removal the destination falls back as for a drive that is not ready.
    void eject_card() override;

    bool list_editable() const override;
    void move_selected_to(int to) override;
    void add_dropped(const std::vector<std::string>& paths) override;
    void add_playlist(const std::string& path) override;
    void save_playlist(const std::string& path) override;
    void sort_by_name() override;
    void sort_by_track() override;
    void shuffle() override;
    void list_rows_selected(const std::vector<int>& rows) override;
    void list_current_row(int row) override;

private:
    // What an arrangement the program could not finish left on the destination goes
    // back into its root, and a copy it could not finish goes; the user is told once.
    // A card that cannot be reached now is seen to at the next run onto it.
    void recover_destination();

    MainViewModel& vm_;
    FileSystem& fs_;
    Drives& drives_;
    MessageBox& messages_;
    SongDetailsReader& details_;
    CardEjector& ejector_;
    RunEndMessages run_messages_;
    std::mt19937 random_{std::random_device{}()};
    SettingsPlaces places_;
    NoteFile notes_{fs_, places_};
    SourceBrowser browser_;
    DestinationPanel panel_;
    // The run waits for the card on a worker thread while the window's events run,
    // and ends with the program.
    RunEvents run_events_;
    std::unique_ptr<CardFiles> run_fs_;
    TransferRun run_;
    bool arranging_ = false;
    bool started_ = false;
};

} // namespace kadoru
