#pragma once

#include <string>

namespace zolvera::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + relative
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
};

// Writes bytes to a file, creating the folders on the way.
void writeFile(const std::string& path, const std::string& bytes);
// The whole content of a file; empty when it cannot be read.
std::string readFile(const std::string& path);

} // namespace zolvera::test
