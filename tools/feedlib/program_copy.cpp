#include "feedlib/program_copy.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

#include "config/config_file.hpp"

namespace eew::feedlib {

namespace fs = std::filesystem;

void copy_program_data(const std::string& data_source, const std::string& program_folder) {
    if (!fs::is_directory(data_source))
        throw std::runtime_error("no data folder at " + data_source);
    const fs::path data = fs::path(program_folder) / "data";
    fs::copy(data_source, data, fs::copy_options::recursive);
    fs::remove(data / "24hours.dat");
}

void set_config_items(const std::string& program_folder,
                      const std::vector<std::pair<std::string_view, std::string>>& items) {
    std::map<int, std::string> by_line;
    for (const auto& [name, value] : items) {
        const auto line = config_item_line(name);
        if (!line) throw std::invalid_argument("no configuration item " + std::string(name));
        by_line[*line] = value;
    }
    const fs::path file = fs::path(program_folder) / "data" / "tavi.config";
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    std::string out;
    std::size_t start = 0;
    for (int n = 1; start < text.size(); ++n) {
        std::size_t end = text.find("\r\n", start);
        end = end == std::string::npos ? text.size() : end + 2;
        const auto set = by_line.find(n);
        out += set != by_line.end() ? set->second + "\r\n" : text.substr(start, end - start);
        start = end;
    }
    std::ofstream written(file, std::ios::binary | std::ios::trunc);
    if (!(written << out) || !written.flush())
        throw std::runtime_error("cannot write " + file.string());
}

ProgramCopy::ProgramCopy(const std::string& data_source) {
    path_ = (fs::temp_directory_path() / "eew-program-XXXXXX").string();
    if (!mkdtemp(path_.data())) throw std::runtime_error("cannot make a temporary folder");
    try {
        copy_program_data(data_source, path_);
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
        throw;
    }
}

ProgramCopy::~ProgramCopy() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

int free_udp_port() {
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (s < 0) return 0;
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    int port = 0;
    if (::bind(s, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&at), &size) == 0)
        port = ntohs(at.sin_port);
    ::close(s);
    return port;
}

}  // namespace eew::feedlib
