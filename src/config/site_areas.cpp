#include "config/site_areas.hpp"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "text/whole_file.hpp"

namespace eew {
namespace {

std::optional<int> area_code(const std::string& line) {
    if (line.size() != 3) return std::nullopt;
    int code = 0;
    for (char c : line) {
        if (c < '0' || c > '9') return std::nullopt;
        code = code * 10 + (c - '0');
    }
    return code;
}

}  // namespace

SiteAreasFile read_site_areas(const std::string& path) {
    SiteAreasFile result;
    std::ifstream in(path, std::ios::binary);
    if (!in) return result;
    std::string line, bad;
    int faults = 0;
    for (int site = 1; site <= 3 && std::getline(in, line); ++site) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        result.areas[site] = area_code(line);
        if (result.areas[site]) continue;
        bad += (faults++ ? ", " : "") + std::to_string(site);
    }
    if (faults == 1)
        result.fault = "The file \"" + path + "\": line " + bad +
                       " is not a three-digit area code. That site has no forecast area.";
    if (faults > 1)
        result.fault = "The file \"" + path + "\": lines " + bad +
                       " are not three-digit area codes. Those sites have no forecast area.";
    return result;
}

std::optional<std::string> write_site_areas(const std::string& path, const SiteAreas& areas) {
    std::string content;
    for (int site = 1; site <= 3; ++site) {
        if (areas[site]) {
            char code[8];
            std::snprintf(code, sizeof code, "%03d", *areas[site] % 1000);
            content += code;
        }
        content += "\r\n";
    }
    return write_file_replacing(path, content);
}

}  // namespace eew
