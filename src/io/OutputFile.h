// Writing an output file so that a failure never leaves a half-written file:
// the bytes go to a temporary file beside the target, which replaces the
// target only after every write and the close succeeded.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/UserInterface.h"

namespace chainforge {

// The system call that writes bytes (SystemWrite); tests put one in its place
// to make the disk fill up part-way.
using WriteFunction = std::ptrdiff_t (*)(int fd, const void* data, std::size_t size);

// Writes content to path. When the file cannot be created (missing or
// read-only folder, a read-only file or a folder of that name): the message
// "Cannot open file PATH". When a write, the close or the final rename fails:
// "Cannot write file PATH". Returns 1 on success, 0 after a message; on
// failure no temporary file is left and an existing file is untouched.
// A target that exists and is neither a regular file nor a folder (a device
// or a pipe) is written directly.
// True when both names lead to one file: the same path once links and
// relative parts are resolved, or two links to one existing file.
bool SameFile(const std::string& first, const std::string& second);

int WriteOutputFile(UserInterface& ui, const std::string& path, std::string_view content,
                    WriteFunction write = nullptr);

}  // namespace chainforge
