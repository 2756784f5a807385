#include "browse/card_order.h"

#include "platform/card_files.h"
#include "platform/drives.h"
#include "platform/entry_order.h"
#include "platform/paths.h"
#include "platform/window_texts.h"
#include "transfer_list/format_size.h"

#include <optional>
#include <unordered_map>

namespace kadoru {

CardOrder read_card_order(const CardFiles& fs, const Drives& drives, const std::string& drive,
                          const IsSong& is_song) {
    const std::string root = drives.root_of(drive);
    CardOrder order{drive, {}, false, root};
    std::optional<std::vector<std::string>> names = stored_root_order(fs, drives, drive);
    order.as_stored = names.has_value();
    if (!names)
        names = fs.entry_names(root);

    std::unordered_map<std::string, std::uint64_t> sizes;
    for (const auto& file : fs.files(root))
        sizes.emplace(file.name, file.size);
    for (const auto& name : *names) {
        if (const auto file = sizes.find(name); file != sizes.end())
            order.rows.push_back({name, format_size(static_cast<double>(file->second)),
                                  file->second, is_song && is_song(name)});
        else if (fs.is_folder(join_path(root, name)))
            order.rows.push_back({name, std::string(window_text::card_order_folder)});
        // Anything else (a link to nowhere, an entry gone since) is no file to play.
    }
    return order;
}

std::string card_order_note(const CardOrder& order) {
    if (order.as_stored)
        return "ディレクトリに記録されている順番で表示しています（プレーヤーが再生する順番です）";
    return "ディレクトリに記録されている順番は読み取れませんでした（フォルダを読んだ順に表示してい"
           "ます）";
}

std::string card_order_window_title(const CardOrder& order) {
    return std::string(window_text::card_order_title) + " - " + order.drive + "\\";
}

} // namespace kadoru
