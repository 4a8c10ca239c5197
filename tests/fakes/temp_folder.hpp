#pragma once

#include <string>

namespace eew::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes away.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // Writes `content` (bytes, as given) to `relative`, creating folders.
    void write(const std::string& relative, const std::string& content) const;
    std::string read(const std::string& relative) const;
    bool exists(const std::string& relative) const;

  private:
    std::string path_;
};

}  // namespace eew::test
