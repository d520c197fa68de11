// The engine's standard output, watched for unfinished lines: the search
// prints its fail-high and fail-low markers without a line end, and a reply
// written during the search must not be glued to them.
#pragma once

// Makes EngineOutput() standard output seen through the watcher.
void InstallTrackedStandardOutput();

// True when the engine's output is the watched standard output and the last
// character written to it was not a line end.
bool OutputIsMidLine();
