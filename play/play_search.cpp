// Ravok's searches in the play mode: its move under the level and the
// clock, the silent ponder search while the person thinks, the short
// searches behind hint and draw, and what the person types meanwhile.
#include "board/move_advice.h"
#include "board/moves.h"
#include "board/san.h"
#include "play/play_commands.h"
#include "play/play_session.h"
#include "play/play_texts.h"
#include "session/options.h"
#include "session/string_utils.h"

namespace {

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
  const SearchParameters parameters = session_.LimitsForMove();
  searchRoot_ = session_.game().currentPosition;
  searchKind_ = SearchKind::kThink;
  FinishThinking(runner_.Run(session_.game(), parameters) == SearchEnd::kDiscarded);
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
  const std::vector<Suggestion> suggestions = SuggestMoves(1);
  if (suggestions.empty()) return std::nullopt;
  return suggestions.front();
}

std::vector<PlaySession::Suggestion> PlaySession::SuggestMoves(int count) {
  if (session_.GameOver()) return {};
  SearchParameters parameters =
      session_.Limits({.moveTime = kShortSearchTime, .nodes = kShortSearchNodes, .fullStrength = true});
  parameters.lines = count;
  searchKind_ = SearchKind::kShort;
  runner_.Run(session_.game(), parameters);
  searchKind_ = SearchKind::kNone;
  const SearchInfo& info = engine_.Info();
  std::vector<Suggestion> suggestions;
  if (count > 1 && !info.lines.empty()) {
    for (const SearchInfo::Line& line : info.lines) suggestions.push_back(Suggestion{line.moves.front(), line.score});
  } else if (!info.pvMoves.empty()) {
    suggestions.push_back(Suggestion{info.pvMoves.front(), info.bestScore});
  }
  return suggestions;
}

// Ravok ponders at full strength only: a weaker level plays by its node
// budget, which thinking ahead would exceed.
bool PlaySession::CanPonder() const {
  const SessionSettings& settings = session_.settings();
  return settings.ponder && !settings.limitStrength && ponderMove_ != 0 && !runner_.InputEnded() && !RavokToMove() &&
         !session_.GameOver() && IsLegalMove(session_.game().currentPosition, ponderMove_);
}

// Searches the position after the expected reply until the person's line
// comes: the expected move turns the search into Ravok's think on it, any
// other line ends it and is kept to be handled first.
void PlaySession::Ponder() {
  Game after = session_.game();
  after.PlayMove(ponderMove_);
  if (after.currentPosition.result != kGameRunning) return;
  const SearchParameters parameters = session_.Limits({.mode = kModePonder});
  searchKind_ = SearchKind::kPonder;
  const SearchEnd end = runner_.Run(session_.game(), parameters, ponderMove_);
  if (searchKind_ == SearchKind::kThink) return FinishThinking(end == SearchEnd::kDiscarded);
  searchKind_ = SearchKind::kNone;
}

void PlaySession::PonderHit(Move move) {
  PlayMove(move);
  searchRoot_ = session_.game().currentPosition;
  searchKind_ = SearchKind::kThink;
  // The limits count from the ponder search's start: the time Ravok spent
  // on the person's clock is a gift, its own clock is never overstepped.
  const SearchParameters limits = session_.LimitsForMove();
  runner_.PonderHit(limits.hardLimit, limits.allotment);
}

// A fallen flag ends the game and the search (the short searches are the
// person's, on no clock).
void PlaySession::OnPoll() {
  if (searchKind_ != SearchKind::kShort && session_.FlagFalls()) runner_.Stop(false);
}

// Lines are read while Ravok ponders, and while it thinks on its move when
// they are typed at a terminal: lines from no terminal wait for the move.
bool PlaySession::Listens() const {
  return searchKind_ == SearchKind::kPonder || (searchKind_ == SearchKind::kThink && display_.terminalInput);
}

void PlaySession::AnswerDuringSearch(const std::string& line) {
  const WordList words = TokenizeAtBlanksAndTabs(line);
  if (searchKind_ == SearchKind::kThink) return Handle(words, CommandState::kSearching);
  const WordList move = MoveWords(words);
  if (move.size() == 1 && FindCommand(PlayCommands(), Lowered(move.front())) == nullptr) {
    const TypedMove typed = ReadForgivingMove(session_.game().currentPosition, move.front());
    if (typed.problem == MoveProblem::kNone && MoveLow21(typed.move) == MoveLow21(ponderMove_))
      return PonderHit(typed.move);
  }
  runner_.Keep(words, KeptKind::kFirst);
  runner_.Stop(false);
}

void PlaySession::Report(SearchEvent event, const SearchInfo& info) {
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
