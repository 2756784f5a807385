#include "browse/source_browser.h"

#include "browse/drive_fallback.h"
#include "browse/type_selector.h"
#include "platform/drive_selector.h"
#include "platform/event_pump.h"
#include "platform/failure.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"
#include "platform/label.h"
#include "platform/message_box.h"
#include "platform/source_files.h"
#include "transfer_list/format_size.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace kadoru {

SourceBrowser::SourceBrowser(SourceControls controls, const SourceFiles& fs, MessageBox& messages,
                             EventPump& events)
    : c_(controls), fs_(fs), messages_(messages), events_(events) {
}

void SourceBrowser::drive_changed() {
    try {
        c_.dir1.assign(c_.drive1.drive());
    } catch (const Failure& failure) {
        // A drive without its medium: back to the drive of the folder Dir1 still shows.
        // Any other failure leaves the drive list on the new drive, the folder list on
        // the old folder.
        fall_back_unless_ready(
            failure, failure_code::device_unavailable, c_.drive1, [this] { return c_.dir1.path(); },
            messages_);
    }
}

void SourceBrowser::folder_changed() {
    const std::uint64_t listing = ++listing_;
    c_.label9.set_text("");
    // The file list's folder and pattern, set together so the folder is read once.
    c_.file1.show(c_.dir1.path(), "*." + c_.combo_ftype.text());
    std::vector<FileEntry> files;
    try {
        files = fs_.files(c_.dir1.path());
    } catch (const Failure& failure) {
        // The sizes of the folder shown before stay; File1 lists nothing to add.
        messages_.show(failure_message(failure, Telling::described));
        return;
    }
    const int rows = c_.file1.count();
    c_.file_size.assign(static_cast<std::size_t>(rows), 0);

    // One look-up per row. The first file of a name wins, as a walk through the
    // listing would find it; names compare exactly, letter case included.
    std::unordered_map<std::string_view, std::uint64_t> sizes;
    sizes.reserve(files.size());
    for (const auto& file : files)
        sizes.emplace(file.name, file.size);

    for (int i = 0; i < rows; ++i) {
        const auto found = sizes.find(c_.file1.row(i));
        if (found == sizes.end())
            continue; // gone since File1 listed it: 0
        c_.file_size[static_cast<std::size_t>(i)] = found->second;
        events_.process_events();
        // A handler run just now may have listed another folder or type and measured
        // it in full; the rows of this run no longer exist.
        if (listing_ != listing || c_.file1.count() != rows)
            return;
    }
}

void SourceBrowser::type_clicked() {
    folder_changed();
}

void SourceBrowser::file_clicked() {
    double total = 0;
    const int rows = c_.file1.count();
    for (int i = 0; i < rows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        if (c_.file1.selected(i) && row < c_.file_size.size())
            total += static_cast<double>(c_.file_size[row]);
    }
    c_.label9.set_text(format_size(total));
}

} // namespace kadoru
