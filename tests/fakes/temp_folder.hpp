#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace eew::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes away.
class TempFolder {
  public:
    TempFolder() : path_(std::filesystem::temp_directory_path() / "eewtest-XXXXXX") {
        if (!mkdtemp(path_.data())) throw std::runtime_error("mkdtemp failed");
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // Writes `content` (bytes, as given) to `relative`, creating folders.
    void write(const std::string& relative, const std::string& content) const {
        std::filesystem::create_directories(full(relative).parent_path());
        std::ofstream(full(relative), std::ios::binary) << content;
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(full(relative), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    bool exists(const std::string& relative) const {
        return std::filesystem::exists(full(relative));
    }

  private:
    std::filesystem::path full(const std::string& relative) const {
        return std::filesystem::path(path_) / relative;
    }
    std::string path_;
};

}  // namespace eew::test
