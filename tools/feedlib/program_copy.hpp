#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace eew::feedlib {

// Copies the data folder `data_source` to `program_folder`/data, leaving out
// the 24-hour list, so that a run starts with an empty map and never writes
// into the shipped files.
void copy_program_data(const std::string& data_source, const std::string& program_folder);

// Sets configuration items by their names ("localhost_port", "auto_flag", …)
// in `program_folder`/data/tavi.config, keeping its CR LF lines. Throws
// std::invalid_argument for a name the configuration does not have, and
// std::runtime_error when the file cannot be read or written.
void set_config_items(const std::string& program_folder,
                      const std::vector<std::pair<std::string_view, std::string>>& items);

// A temporary program folder holding a copy of `data_source`; removed with its
// contents when destroyed.
class ProgramCopy {
  public:
    explicit ProgramCopy(const std::string& data_source);
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const std::string& path() const { return path_; }
    void set_config(std::string_view name, const std::string& value) const {
        set_config_items(path_, {{name, value}});
    }

  private:
    std::string path_;
};

// A UDP port on the loopback that was free a moment ago; 0 if none could be had.
int free_udp_port();

}  // namespace eew::feedlib
