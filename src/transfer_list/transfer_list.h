#pragma once

#include "platform/notifier.h"

#include <string>
#include <vector>

namespace kadoru {

// One chosen file: its name (List2), its full source path (List_hide) and its size
// in bytes as decimal text (List_hide2).
struct TransferEntry {
    std::string name;
    std::string source_path;
    std::string size_text;

    friend bool operator==(const TransferEntry&, const TransferEntry&) = default;
};

// The transfer list: the three parallel lists List2, List_hide and List_hide2 kept
// as one sequence of rows, so they cannot fall out of step, with List2's selected
// flags and its current row (ListIndex). Indices are 0-based; nothing sorts.
class TransferList {
public:
    // Largest number of rows the list provides for (signed 16-bit row indices).
    static constexpr int max_rows = 32767;

    int count() const { return static_cast<int>(rows_.size()); }
    const TransferEntry& row(int i) const { return at(i).entry; }

    // Adds a row at the end, not selected; no other row changes.
    void append(TransferEntry entry);
    // Removes row i; the rows after it move up by one.
    void remove_at(int i);
    // Exchanges rows i and j (a neighbour); afterwards j is selected and i is not.
    void exchange(int i, int j);
    // Puts the rows in a new order in one step: new row k is old row order[k]. Each
    // entry keeps its selected flag, and the current row stays on its entry. order
    // must name every row once.
    void reorder(const std::vector<int>& order);
    void clear();

    bool selected(int i) const { return at(i).selected; }
    void set_selected(int i, bool selected);
    // Selects exactly these rows (a row beyond the list is none of them); each row
    // whose flag changes is told.
    void set_selection(const std::vector<int>& rows);

    // The current row (focus), -1 when there is none.
    int list_index() const { return list_index_; }
    void set_list_index(int i);

    Notifier changed;

private:
    struct Row {
        TransferEntry entry;
        bool selected = false;
    };
    const Row& at(int i) const { return rows_.at(static_cast<std::size_t>(i)); }
    Row& at(int i) { return rows_.at(static_cast<std::size_t>(i)); }

    std::vector<Row> rows_;
    int list_index_ = -1;
};

} // namespace kadoru
