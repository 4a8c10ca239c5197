#pragma once

#include <string>

#include "text/date_time.hpp"

namespace eew::bench {

// A temporary program folder holding a copy of the data/ the build staged next
// to this executable, so that a benchmark may start the program on the shipped
// files without touching them. Removed with its contents when destroyed.
class ProgramCopy {
  public:
    ProgramCopy();
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const std::string& path() const { return path_; }
    // Replaces line `line` (from 1) of data/tavi.config, keeping its CR LF lines.
    void set_config_line(int line, const std::string& value) const;

  private:
    std::string path_;
};

// The datagram (relay framing) of a typical report: a shallow M6.1 under
// north-western Chiba with its focal mechanism, `sequence` of one event
// whose origin was five seconds before `now`.
std::string report_datagram(const DateTime& now, int sequence);

}  // namespace eew::bench
