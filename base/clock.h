// The engine's one time source: a monotonic clock in milliseconds. Every
// time the engine measures (search start and polls, the players' clocks,
// flag fall, thinking lines) is a difference of two of its readings.
#pragma once

#include <cstdint>

// Milliseconds on the monotonic clock; only differences mean anything.
using TimePoint = int64_t;

// Milliseconds of a duration (limits, clock readings, increments).
using Milliseconds = int64_t;

inline constexpr Milliseconds kMillisecondsPerSecond = 1000;

// The current reading; never goes backwards, whatever the wall clock does.
TimePoint Now();

// A source of readings for the dialogues' own times (the players' clocks,
// flag fall, the pace of progress reports): Now unless a test hands in a
// clock of its own. The search keeps its own times on Now.
using ClockSource = TimePoint (*)();

// The protocol's unit for elapsed times and clock readings.
constexpr int64_t Centiseconds(Milliseconds duration) { return duration / 10; }
constexpr Milliseconds FromCentiseconds(int64_t centiseconds) { return centiseconds * 10; }
