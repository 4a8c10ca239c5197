#include "text/whole_file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace eew {
namespace {

WriteFault g_fault = nullptr;

bool injected(WriteStep step) {
    if (!g_fault || !g_fault(step)) return false;
    errno = EIO;
    return true;
}

// Makes the new name itself durable; some file systems cannot sync a folder,
// and the content is safe either way, so this is best effort.
void sync_folder(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void set_write_fault(WriteFault fault) {
    g_fault = fault;
}

std::optional<std::string> write_file_replacing(const std::string& path,
                                                const std::string& content) {
    const std::string temp = path + ".new";
    auto failure = [&](const char* what) {
        const int err = errno;
        std::remove(temp.c_str());
        return std::string("The file \"") + path + "\" could not be " + what + ": " +
               std::strerror(err) + ".";
    };
    std::FILE* f = injected(WriteStep::create) ? nullptr : std::fopen(temp.c_str(), "wb");
    if (!f) return failure("created");
    const bool fail_write = injected(WriteStep::write);
    const std::size_t size = fail_write ? content.size() / 2 : content.size();
    bool ok = std::fwrite(content.data(), 1, size, f) == size && !fail_write;
    const char* what = "written";
    if (ok && (injected(WriteStep::sync) || std::fflush(f) != 0 || ::fsync(fileno(f)) != 0)) {
        ok = false;
        what = "flushed to the disk";
    }
    const int err = errno;
    const bool closed = std::fclose(f) == 0 && !injected(WriteStep::close);
    if (!ok) {
        errno = err;
        return failure(what);
    }
    if (!closed) return failure("written");
    std::error_code ec;
    if (injected(WriteStep::rename))
        ec = std::make_error_code(std::errc::io_error);
    else
        std::filesystem::rename(temp, path, ec);
    if (ec) {
        errno = ec.value();
        return failure("replaced");
    }
    sync_folder(path);
    return std::nullopt;
}

}  // namespace eew
