// The play mode's words for a person: clocks, scores, lines of moves,
// results, time controls and the board's glyphs as the locale allows them.
// Plain functions of their inputs, so that every text can be tested alone.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "board/board_picture.h"
#include "board/game.h"
#include "session/player_clock.h"

// "Ravok", as every dialogue names the engine.
std::string EngineName();

// A text the person typed, fit to be written back: control characters as
// '?', cut after `most` bytes with "...".
std::string Printable(const std::string& text, size_t most);

// A clock reading: "1:02:03" from an hour, "4:05" from 20 seconds, "0:19.4"
// below that (tenths, rounded down), "0:00.0" for an empty or overdrawn
// clock.
std::string ClockText(Milliseconds remaining);

// A score in centipawns from the person's side, as the status line shows
// it: "+0.35", "-1.20", "0.00"; a mate as "you mate in 2" or "Ravok mates in
// 3".
std::string PersonScoreText(int personScore);

// The moves of `line` in SAN from `position`, separated by blanks, up to
// the first move that is not legal where it stands.
std::string SanLine(const GamePosition& position, const std::vector<Move>& line);

// Who played each side, as a result names them: empty for the person
// ("you"), else a name ("Ravok", "Bot", "White").
using Players = std::array<std::string, 2>;
// The person playing `you` against Ravok.
Players PersonAgainstRavok(int you);

// The end of a game in words, as `players` played it: "Checkmate. You
// win.", "Ravok wins by checkmate.", "Stalemate: draw.", "Draw by threefold
// repetition.", "You resigned: Ravok wins.", "Your time ran out: Ravok
// wins."...; where neither side is the person, credited to nobody but the
// names: "Checkmate: Black is mated.", "The game is over: Bot won.". Empty
// while the game runs.
std::string ResultSentence(const GamePosition& position, const Players& players);

// The side the person takes in a loaded game, and why: the side whose
// player is named like one of `personNames` (case aside), else the side
// that did not play as Ravok, else the side to move.
struct SideChoice {
  enum class Why { kNamed, kAgainstRavok, kToMove };
  int side;
  Why why;
};
SideChoice ChooseSide(const std::string& white, const std::string& black, int sideToMove,
                      const std::vector<std::string>& personNames);

// A time control as a person writes it: BASE+INC with BASE in minutes
// ("5", "1.5") or minutes:seconds ("0:30", "2:05") and INC in seconds
// ("3", "0.5"; "+INC" may be left out for none). `problem` names what is
// wrong when the text gives none.
std::optional<TimeControl> ReadTimeControlText(const std::string& text, std::string& problem);
// "5+3", "0:30+1", "1.5+0.5"-style text of a control, as the person reads
// it back ("5:00+3"); and the PGN TimeControl tag ("300+3", "-" for none).
std::string TimeControlText(const TimeControl& control);
std::string PgnTimeControl(const TimeControl& control, bool clockMode);

// The glyphs the locale allows: Unicode when the first set of LC_ALL,
// LC_CTYPE and LANG names UTF-8 (any case, with or without the dash),
// ASCII otherwise. Null pointers stand for unset variables.
PieceGlyphs GlyphsForLocale(const char* lcAll, const char* lcCtype, const char* lang);
