// The thinking lines printed after every new best line.
#pragma once

#include <string>

#include "search/search_info.h"

// Console: the line, score, speed and node total. xboard: the post line,
// when posting is on.
void ReportThinking();

// The xboard post line: depth, score, centiseconds, nodes and the line.
void PostThinkingLine(const SearchInfo& info);

// The score of a post line: unchanged, except that under protocol version 2
// mates are 100000 + moves to mate, negative for the side being mated.
int ProtocolScore(int score);

// The two line formats, for the reports above and for tests.
std::string ConsoleThinkingLine(const SearchInfo& info, TimePoint now);
std::string PostLineText(const SearchInfo& info, TimePoint now);
