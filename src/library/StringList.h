#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zolvera::library {

// An ordered list of strings, duplicates allowed, whose index access is checked: an index
// outside the list throws "List index out of bounds (%d)".
class StringList {
public:
    StringList() = default;
    explicit StringList(std::vector<std::string> items) : items_(std::move(items)) {}

    int count() const { return static_cast<int>(items_.size()); }
    const std::string& at(int index) const;
    void add(std::string item) { items_.push_back(std::move(item)); }
    void remove(int index);
    // Of the items at indices first to last - 1, keeps those whose flag kept[index] is set and
    // removes the others; the items after them move up. In one pass, however many go.
    void keepFlagged(const std::vector<bool>& kept, int first, int last);
    void clear() { items_.clear(); }
    const std::vector<std::string>& items() const { return items_; }

private:
    void check(int index) const;

    std::vector<std::string> items_;
};

// The lines of a text file's content: a line ends at CR, LF or CR LF, and a last line without an
// end counts. Lines are kept exactly, blank ones included.
StringList textLines(std::string_view text);

} // namespace zolvera::library
