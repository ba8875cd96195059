#pragma once

#include <string>
#include <vector>

namespace zolvera::library {

// An ordered list of strings, duplicates allowed, whose index access is checked: an index
// outside the list throws "List index out of bounds (%d)".
class StringList {
public:
    int count() const { return static_cast<int>(items_.size()); }
    const std::string& at(int index) const;
    void add(std::string item) { items_.push_back(std::move(item)); }
    void remove(int index);
    void clear() { items_.clear(); }
    const std::vector<std::string>& items() const { return items_; }

private:
    void check(int index) const;

    std::vector<std::string> items_;
};

} // namespace zolvera::library
