#include "transfer/copy_notes.h"

#include "platform/card_files.h"
#include "platform/drives.h"
#include "platform/failure.h"
#include "platform/note_store.h"
#include "platform/paths.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace kadoru {

namespace {

// Tabs and line breaks would end a field: the fields keep them escaped.
std::string escaped(std::string_view text) {
    std::string result;
    for (const char c : text) {
        if (c == '\\')
            result += "\\\\";
        else if (c == '\t')
            result += "\\t";
        else if (c == '\n')
            result += "\\n";
        else
            result += c;
    }
    return result;
}

std::string unescaped(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        const char next = text[++i];
        result += next == 't' ? '\t' : next == 'n' ? '\n' : next;
    }
    return result;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t cut = text.find(separator);
        parts.push_back(text.substr(0, cut));
        if (cut == std::string_view::npos)
            return parts;
        text.remove_prefix(cut + 1);
    }
}

std::vector<CopyNote> read_notes(const NoteStore& store) {
    return parse_notes(store.read());
}

// The notes but this one; the store keeps the others, for other cards.
void forget(NoteStore& store, const CopyNote& note) {
    auto notes = read_notes(store);
    notes.erase(std::remove(notes.begin(), notes.end(), note), notes.end());
    store.write(notes_text(notes));
}

} // namespace

std::string notes_text(const std::vector<CopyNote>& notes) {
    std::string text;
    for (const CopyNote& note : notes)
        text += escaped(note.volume) + '\t' + std::to_string(note.size) + '\t' +
                escaped(note.name) + '\n';
    return text;
}

std::vector<CopyNote> parse_notes(std::string_view text) {
    std::vector<CopyNote> notes;
    for (const std::string_view line : split(text, '\n')) {
        const auto fields = split(line, '\t');
        std::uint64_t size = 0;
        if (fields.size() != 3 || fields[2].empty())
            continue;
        const auto [end, error] =
            std::from_chars(fields[1].data(), fields[1].data() + fields[1].size(), size);
        if (error != std::errc{} || end != fields[1].data() + fields[1].size())
            continue;
        notes.push_back({unescaped(fields[0]), unescaped(fields[2]), size});
    }
    return notes;
}

NotedCopy::NotedCopy(NoteStore& store, CopyNote note) : store_(store), note_(std::move(note)) {
    try {
        // An older note of this name on this card speaks of a file about to be replaced.
        auto notes = read_notes(store_);
        std::erase_if(notes, [this](const CopyNote& other) {
            return other.volume == note_.volume && other.name == note_.name;
        });
        notes.push_back(note_);
        store_.write(notes_text(notes));
        noted_ = true;
    } catch (const Failure&) {
    }
}

NotedCopy::~NotedCopy() = default;

void NotedCopy::settled() {
    if (!noted_)
        return;
    noted_ = false;
    try {
        forget(store_, note_);
    } catch (const Failure&) {
        // Left behind, the note names a whole file: the next look keeps it.
    }
}

std::vector<std::string> remove_short_copies(CardFiles& fs, const Drives& drives,
                                             std::string_view drive, NoteStore& store) {
    std::vector<std::string> removed;
    std::vector<CopyNote> notes;
    try {
        notes = read_notes(store);
    } catch (const Failure&) {
        return removed; // a note that cannot be read stops no run
    }
    if (notes.empty())
        return removed;
    const std::string volume = drives.volume_id(drive);
    const std::string root = drives.root_of(drive);
    const std::vector<FileEntry> listing = fs.files(root);
    std::vector<CopyNote> kept;
    for (const CopyNote& note : notes) {
        if (note.volume != volume) {
            kept.push_back(note);
            continue;
        }
        const auto file = std::find_if(listing.begin(), listing.end(),
                                       [&](const FileEntry& f) { return f.name == note.name; });
        if (file == listing.end() || file->size == note.size)
            continue;
        try {
            fs.delete_file(join_path(root, note.name));
            removed.push_back(note.name);
        } catch (const Failure&) {
            kept.push_back(note);
        }
    }
    if (kept.size() != notes.size()) {
        try {
            store.write(notes_text(kept));
        } catch (const Failure&) {
            // Kept, the notes name files that are gone or whole: the next look passes them.
        }
    }
    return removed;
}

std::optional<std::string> short_copies_message(const std::vector<std::string>& removed) {
    if (removed.empty())
        return std::nullopt;
    std::string text =
        "前回の転送が途中で終わっていました。書きかけのファイルをカードから削除しました：";
    for (const auto& name : removed)
        text += "\n" + name;
    return text;
}

} // namespace kadoru
