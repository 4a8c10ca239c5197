#pragma once

#include <optional>
#include <string>

namespace eew {

// Replaces the file at `path` with `content`, through a temporary file in the
// same folder, so that a failure never leaves a half-written file behind.
// Returns nothing on success, else a message naming the file and the reason.
std::optional<std::string> write_file_replacing(const std::string& path,
                                                const std::string& content);

}  // namespace eew
