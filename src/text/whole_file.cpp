#include "text/whole_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace eew {

std::optional<std::string> write_file_replacing(const std::string& path,
                                                const std::string& content) {
    const std::string temp = path + ".new";
    auto failure = [&](const char* what, int err) {
        std::remove(temp.c_str());
        return std::string("The file \"") + path + "\" could not be " + what + ": " +
               std::strerror(err) + ".";
    };
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return failure("created", errno);
    const bool written = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    const int write_errno = errno;
    if (std::fclose(f) != 0 || !written) return failure("written", written ? errno : write_errno);
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) return failure("replaced", ec.value());
    return std::nullopt;
}

}  // namespace eew
