#include "program_copy.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "feed_framing.hpp"
#include "report_text.hpp"

namespace eew::bench {

namespace fs = std::filesystem;

ProgramCopy::ProgramCopy() {
    const fs::path shipped = fs::read_symlink("/proc/self/exe").parent_path() / "data";
    if (!fs::is_directory(shipped))
        throw std::runtime_error("no data/ next to the executable: build target stage_data");
    path_ = (fs::temp_directory_path() / "eew-bench-XXXXXX").string();
    if (!mkdtemp(path_.data())) throw std::runtime_error("mkdtemp failed");
    fs::copy(shipped, fs::path(path_) / "data", fs::copy_options::recursive);
}

ProgramCopy::~ProgramCopy() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void ProgramCopy::set_config_line(int line, const std::string& value) const {
    const fs::path file = fs::path(path_) / "data" / "tavi.config";
    std::ifstream in(file, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    std::string out;
    std::size_t start = 0;
    for (int n = 1; start < text.size(); ++n) {
        std::size_t end = text.find("\r\n", start);
        end = end == std::string::npos ? text.size() : end + 2;
        out += n == line ? value + "\r\n" : text.substr(start, end - start);
        start = end;
    }
    std::ofstream(file, std::ios::binary) << out;
}

std::string report_datagram(const DateTime& now, int sequence) {
    sim::ReportValues r;
    r.code = "20240401085955";
    r.sequence = sequence;
    r.origin_time = now.plus_seconds(-5);
    r.send_time = now;
    r.magnitude = 6.1;
    r.mip = 6.1;
    r.latitude = 35.6;
    r.longitude = 140.1;
    r.depth = 40;
    r.p_data = 5;
    r.mechanism = {300, 85, 120, 10, 24, 2};
    r.region = "千葉県北西部";
    return sim::make_datagram(sim::report_text(r), sim::Framing::relay);
}

}  // namespace eew::bench
