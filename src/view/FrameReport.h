#pragma once

// For tests and measurements from outside the process: when the environment variable
// PELAVO_FRAME_REPORT names a file, the view writes "frames N" (the buffer swaps it made)
// there when it is torn down. Nothing is read or written while frames are drawn.
namespace view {

inline constexpr const char* kFrameReportVariable = "PELAVO_FRAME_REPORT";

// Writes the report when the variable is set; false when it is unset or the file cannot be
// written.
bool WriteFrameReport(long framesDrawn);

}  // namespace view
