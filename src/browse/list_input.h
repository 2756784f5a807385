#pragma once

#include "platform/list_intents.h"

namespace kadoru {

class DriveSelector;
class FileList;
class FolderList;
class TypeSelector;

// The lists an input may reach; a list that is absent takes no input.
struct InputLists {
    DriveSelector* drive1 = nullptr;
    DriveSelector* drive2 = nullptr;
    FolderList* dir1 = nullptr;
    FileList* file1 = nullptr;
    TypeSelector* combo_ftype = nullptr;
};

// The event rules of the lists (see ListIntents), applied to their models: every
// window gets the same clicks in the same order from the same input.
class ListInput final : public ListIntents {
public:
    explicit ListInput(const InputLists& lists) : lists_(lists) {}

    void file_pressed() override;
    void file_released() override;
    void file_rows_selected(const std::vector<int>& rows) override;
    void file_double_clicked(bool on_row) override;
    void folder_opened(const std::string& path) override;
    void drive_picked(DriveSide side, const std::string& drive) override;
    void type_typed(const std::string& text) override;
    void type_picked(int item) override;

private:
    void file_click() const;

    InputLists lists_;
    // Between a press and its release the selection may change several times (a
    // drag); the click runs once, at the release.
    bool pressed_ = false;
    // The release that ends a double-click belongs to it and is no click of its own.
    bool release_ends_double_click_ = false;
};

// An intent interface that takes the lists' input among the rest (a window's whole
// input channel), with that input carried out by ListInput over `lists`: every
// implementation hands the list calls on the same way.
template <class Intents> class WithListInput : public Intents {
public:
    explicit WithListInput(const InputLists& lists) : lists_(lists) {}

    void file_pressed() override { lists_.file_pressed(); }
    void file_released() override { lists_.file_released(); }
    void file_rows_selected(const std::vector<int>& rows) override {
        lists_.file_rows_selected(rows);
    }
    void file_double_clicked(bool on_row) override { lists_.file_double_clicked(on_row); }
    void folder_opened(const std::string& path) override { lists_.folder_opened(path); }
    void drive_picked(DriveSide side, const std::string& drive) override {
        lists_.drive_picked(side, drive);
    }
    void type_typed(const std::string& text) override { lists_.type_typed(text); }
    void type_picked(int item) override { lists_.type_picked(item); }

private:
    ListInput lists_;
};

} // namespace kadoru
