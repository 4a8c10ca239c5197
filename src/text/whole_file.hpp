#pragma once

#include <optional>
#include <string>

namespace eew {

// Replaces the file at `path` with `content`, through a temporary file in the
// same folder that is flushed to the disk before it takes the old file's name,
// so that neither a failure nor a crash or power cut at any point leaves a
// half-written file: the path holds the old content or the new, whole.
// Returns nothing on success, else a message naming the file and the reason.
std::optional<std::string> write_file_replacing(const std::string& path,
                                                const std::string& content);

// The steps of a replacement, in order.
enum class WriteStep { create, write, sync, close, rename };

// Fault injection for tests: when set, `fault` is asked before each step and a
// true answer makes that step fail as a full or failing disk would (a failed
// write leaves half of the content in the temporary file). Null turns it off.
using WriteFault = bool (*)(WriteStep step);
void set_write_fault(WriteFault fault);

}  // namespace eew
