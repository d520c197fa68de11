// The thinking lines printed after every new best line.
#pragma once

#include <string>

#include "search/search_info.h"

// Console: the line, score, speed and node total. xboard: the post line,
// when posting is on.
void ReportThinking();

// The xboard post line: depth, score, centiseconds, nodes and the line.
void PostThinkingLine(const SearchInfo& info);

// The two line formats, for the reports above and for tests.
std::string ConsoleThinkingLine(const SearchInfo& info, time_t now);
std::string PostLineText(const SearchInfo& info, time_t now);
