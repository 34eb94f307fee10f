#pragma once

#include <string>

#include "io/OutputFile.h"
#include "points/PointList.h"
#include "ui/UserInterface.h"

namespace chainforge {

enum class ReadStatus { Read, Cancelled, CannotOpen };

struct [[nodiscard]] ReadResult {
    ReadStatus status = ReadStatus::Cancelled;
    std::string path{};  // the file chosen; empty when the dialog was cancelled
};

// Asks for an ASCII point file and appends its lines to points. CannotOpen
// comes after the message.
[[nodiscard]] ReadResult ReadAsciiPointFile(CUserInterface& ui, PointList& points);

// Asks for a file name and writes the point list there, one line each. An
// empty list is NothingToWrite, asked for no name; a failure is shown here.
[[nodiscard]] WriteResult WriteAsciiPointFile(CUserInterface& ui, const PointList& points);

}  // namespace chainforge
