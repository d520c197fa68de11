// Ravok's searches in the play mode: its move under the level and the
// clock, the silent ponder search while the person thinks, the short
// searches behind hint and draw, and the polls that read the person's
// lines meanwhile.
#include "base/end_of_input.h"
#include "board/move_advice.h"
#include "board/moves.h"
#include "board/san.h"
#include "play/play_commands.h"
#include "play/play_session.h"
#include "play/play_texts.h"
#include "session/options.h"
#include "session/string_utils.h"

namespace {

// Lines handled in one poll at most, so that a flood of input cannot stall
// the search.
constexpr int kMaxLinesPerPoll = 16;
// The short searches: about a fifth of a second on an idle machine.
constexpr uint64_t kShortSearchNodes = 300000;
constexpr Milliseconds kShortSearchTime = 2000;

// "12." or "12...": the number of the move about to be played.
std::string NextMoveNumber(const Game& game, int firstMoveNumber) {
  const size_t plies = game.moves.size() + (game.startPosition.sideToMove == kBlack ? 1 : 0);
  return std::to_string(firstMoveNumber + int(plies / 2)) + (plies % 2 == 0 ? "." : "...");
}

}  // namespace

void PlaySession::RavokMoves() {
  SearchParameters parameters = session_.LimitsForMove();
  parameters.mode = kModeThink;
  searchRoot_ = session_.game().currentPosition;
  engine_.LoadGame(session_.game());
  searchKind_ = SearchKind::kThink;
  FinishThinking(engine_.Think(parameters, *this));
}

// Ravok's search has ended: the person's draw offer is answered, Ravok
// resigns a long-lost game, or it plays its move and shows the board.
void PlaySession::FinishThinking(bool discard) {
  searchKind_ = SearchKind::kNone;
  output_.EndStatus(!discard && showThinking_);
  const SearchInfo& info = engine_.Info();
  if (discard || info.pvMoves.empty() || session_.GameOver()) return;
  // Ravok's own judgement weighs draws and resignation: at a level, the
  // score without the random bonus that chose its move.
  if (!AnswerDrawOffer(info.scoreWithoutNoise)) return;
  session_.CountEngineMove(info.scoreWithoutNoise, DrawMargin(searchRoot_));
  if (session_.WantsToResign()) {
    session_.SetResult(you_ == kWhite ? kWhiteWins : kBlackWins, kReasonResignation);
    return;
  }
  const Move move = info.pvMoves.front();
  const Game& game = session_.game();
  const std::string text = NextMoveNumber(game, firstMoveNumber_) + " " + SanMoveText(game.currentPosition, move);
  PlayMove(move);
  ponderMove_ = info.pvMoves.size() >= 2 ? info.pvMoves[1] : 0;
  output_.Line(EngineName() + " plays " + text);
  ShowPosition();
}

// False when Ravok takes the person's standing offer: the game ends drawn.
bool PlaySession::AnswerDrawOffer(int score) {
  if (!session_.DrawOffered(you_)) return true;
  session_.SetDrawOffer(you_, false);
  if (!session_.AcceptsDraw(score, DrawMargin(searchRoot_))) {
    output_.Line(EngineName() + " declines your draw offer.");
    return true;
  }
  output_.Line(EngineName() + " accepts your draw offer.");
  session_.SetResult(kGameDrawn, kReasonAgreement);
  return false;
}

std::optional<PlaySession::Suggestion> PlaySession::SuggestMove() {
  if (session_.GameOver()) return std::nullopt;
  SearchParameters parameters;
  parameters.style = session_.settings().search;
  parameters.evaluation = session_.settings().evaluation;
  parameters.maxNodes = kShortSearchNodes;
  parameters.hardLimit = kShortSearchTime;
  engine_.LoadGame(session_.game());
  searchKind_ = SearchKind::kShort;
  engine_.Think(parameters, *this);
  searchKind_ = SearchKind::kNone;
  const SearchInfo& info = engine_.Info();
  if (info.pvMoves.empty()) return std::nullopt;
  return Suggestion{info.pvMoves.front(), info.bestScore};
}

// Ravok ponders at full strength only: a weaker level plays by its node
// budget, which thinking ahead would exceed.
bool PlaySession::CanPonder() const {
  const SessionSettings& settings = session_.settings();
  return settings.ponder && !settings.limitStrength && ponderMove_ != 0 && !inputEnded_ && !RavokToMove() &&
         !session_.GameOver() && IsLegalMove(session_.game().currentPosition, ponderMove_);
}

// Searches the position after the expected reply until the person's line
// comes: the expected move turns the search into Ravok's think on it, any
// other line ends it and is handled as usual (ponderLine_).
void PlaySession::Ponder() {
  Game after = session_.game();
  after.PlayMove(ponderMove_);
  if (after.currentPosition.result != kGameRunning) return;
  engine_.LoadGame(after);
  SearchParameters parameters;
  parameters.style = session_.settings().search;
  parameters.evaluation = session_.settings().evaluation;
  parameters.mode = kModePonder;
  searchKind_ = SearchKind::kPonder;
  const bool discard = engine_.Think(parameters, *this);
  if (searchKind_ == SearchKind::kThink) return FinishThinking(discard);
  searchKind_ = SearchKind::kNone;
}

void PlaySession::PonderHit(Move move) {
  PlayMove(move);
  searchRoot_ = session_.game().currentPosition;
  searchKind_ = SearchKind::kThink;
  // The limits count from the ponder search's start: the time Ravok spent
  // on the person's clock is a gift, its own clock is never overstepped.
  const SearchParameters limits = session_.LimitsForMove();
  engine_.EndOpenEndedSearch(limits.hardLimit, limits.allotment);
}

void PlaySession::Poll() {
  switch (searchKind_) {
    case SearchKind::kThink: PollWhileThinking(); return;
    case SearchKind::kPonder: PollWhilePondering(); return;
    default: return;
  }
}

// Each line typed at a terminal while Ravok thinks is answered at once or
// kept (see the command table); at the end of the input the search still
// ends with a move. Lines from no terminal wait for the move. A fallen flag
// ends the game and the search.
void PlaySession::PollWhileThinking() {
  if (session_.FlagFalls()) throw search_aborted_exception(true);
  if (!display_.terminalInput) return;
  for (int handled = 0; handled < kMaxLinesPerPoll && !inputEnded_ && InputAvailable(); ++handled) {
    std::string line;
    try {
      line = ReadInputLine();
    } catch (const end_of_input&) {
      inputEnded_ = true;
      return;
    }
    Handle(TokenizeAtBlanksAndTabs(line), CommandState::kSearching);
  }
}

void PlaySession::PollWhilePondering() {
  if (session_.FlagFalls()) throw search_aborted_exception(true);
  if (!InputAvailable()) return;
  std::string line;
  try {
    line = ReadInputLine();
  } catch (const end_of_input&) {
    inputEnded_ = true;
    throw search_aborted_exception(true);
  }
  const WordList words = MoveWords(TokenizeAtBlanksAndTabs(line));
  if (words.size() == 1 && FindCommand(PlayCommands(), Lowered(words.front()), kPlayBit) == nullptr) {
    const TypedMove typed = ReadForgivingMove(session_.game().currentPosition, words.front());
    if (typed.problem == MoveProblem::kNone && MoveLow21(typed.move) == MoveLow21(ponderMove_))
      return PonderHit(typed.move);
  }
  ponderLine_ = line;
  throw search_aborted_exception(true);
}

void PlaySession::OnSearchEvent(SearchEvent event, const SearchInfo& info) {
  if (searchKind_ != SearchKind::kThink || !showThinking_) return;
  if (event == SearchEvent::kNewBestLine || event == SearchEvent::kIterationStarted) ReportThinking(info);
}

// "Ravok thinks: depth 9  -0.35  e5 Nf3 Nc6 Bb5": the score from the
// person's side, at a level without the random bonus of Ravok's choice.
void PlaySession::ReportThinking(const SearchInfo& info) {
  if (info.pvMoves.empty()) return;
  output_.Status(EngineName() + " thinks: depth " + std::to_string(info.displayDepth) + "  " +
                 PersonScoreText(-info.scoreWithoutNoise) + "  " + SanLine(searchRoot_, info.pvMoves));
}
