// The exports made from the command line without a window: the program's windows are made on
// the offscreen platform, the data file opened as the program opens one, and the export
// written through the safe writer.
#pragma once

namespace tarvell {

struct StartOptions;

// Runs the export `start` asks for; returns the exit status: 0 written, 1 when the data file
// cannot be used or the export cannot be made or written (the reason said on stderr), 2 for a
// bad reverse arm position. Creates the application itself, on the offscreen platform.
int runCommandLineExport(int& argc, char** argv, const StartOptions& start);

}  // namespace tarvell
