// Typed moves: the word is read for what it names (piece, squares,
// promotion), the pseudo-legal moves that fit it are collected, and the
// board's legality test sorts them: one legal move is the move, several are
// ambiguous, none but some pseudo-legal ones leave the king attacked, and no
// fitting move at all means no piece can go there.
#include "board/move_advice.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "board/moves.h"
#include "board/san.h"
#include "position/movegen.h"

namespace {

constexpr const char* kPieceNames[] = {"", "pawn", "knight", "bishop", "rook", "queen", "king"};

TypedMove Problem(MoveProblem problem, std::string message) { return {0, problem, std::move(message)}; }

std::string SquareName(Square s) { return {char('a' + FileOf(s)), char('1' + RankOf(s))}; }

// "a", "a or b", "a, b or c".
std::string Alternatives(const std::vector<std::string>& texts) {
  std::string joined;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) joined += i + 1 == texts.size() ? " or " : ", ";
    joined += texts[i];
  }
  return joined;
}

bool IsLastRank(const GamePosition& p, Square s) { return RankOf(s) == (p.sideToMove == kWhite ? 7 : 0); }

bool IsCastling(Move m) { return MovePiece(m) == kKing && MoveSpecial(m) != 0; }

// Two square names and an optional promotion letter, either case.
bool ReadCoordinates(const std::string& word, Square& from, Square& to, int& promotion) {
  if (word.size() != 4 && word.size() != 5) return false;
  if (!ReadSquareName(word[0], word[1], from) || !ReadSquareName(word[2], word[3], to)) return false;
  promotion = 0;
  if (word.size() == 4) return true;
  static const std::string kLetters = "nbrqNBRQ";
  const size_t i = kLetters.find(word[4]);
  if (i == std::string::npos) return false;
  promotion = kKnight + int(i % 4);
  return true;
}

TypedMove CastlingAdvice(const GamePosition& p, bool kingSide) {
  const bool white = p.sideToMove == kWhite;
  const Move m = CastlingMove(p, kingSide ? 0 : 1);
  if (IsLegalMove(p, m)) return {m, MoveProblem::kNone, ""};
  // A castling right implies king and rook on their squares (the board
  // drops it when either moves or the rook is taken).
  const int rights = white ? p.whiteCastling : p.blackCastling;
  const Square king = MoveFrom(m);
  const Square rook = (white ? A1 : A8) + p.castlingRookFile[p.sideToMove][kingSide ? 0 : 1];
  bool empty = true;
  for (Bitboard must = CastlingEmptySquares(p.sideToMove, king, rook); must;) empty &= p.squares[PopLowest(must)] == 0;
  std::string why = "your king would cross or land on an attacked square";
  if (!(rights & (kingSide ? kCastleKingSide : kCastleQueenSide)))
    why = "your king or that rook has moved";
  else if (IsSquareAttacked(p.squares, king, 1 - p.sideToMove))
    why = "your king is in check";
  else if (!empty)
    why = "pieces stand between your king and rook";
  return Problem(MoveProblem::kCastlingNotAllowed, "castling is not allowed now: " + why);
}

// Sorts the pseudo-legal moves that fit a word: see the file comment.
// Promotions of one pawn to one square, when the word named no piece, are
// a missing promotion piece rather than an ambiguity; the candidates are
// offered in SAN, or in coordinates when the person wrote those.
TypedMove Judge(const GamePosition& p, const std::vector<Move>& fits, bool promotionMissing, bool coordinates,
                const std::string& noSuchMove) {
  std::vector<Move> legal;
  for (Move m : fits)
    if (IsLegalMove(p, m)) legal.push_back(m);
  if (legal.size() == 1 && !promotionMissing) return {legal[0], MoveProblem::kNone, ""};
  if (legal.empty())
    return !fits.empty() ? Problem(MoveProblem::kLeavesKingInCheck, "your king would be in check")
                         : Problem(MoveProblem::kNoSuchMove, noSuchMove);
  // Queen, rook, bishop, knight.
  std::sort(legal.begin(), legal.end(), [](Move a, Move b) { return MoveSpecial(a) > MoveSpecial(b); });
  std::vector<std::string> texts;
  for (Move m : legal) texts.push_back(coordinates ? CoordinateMoveText(m) : SanMoveText(p, m));
  if (promotionMissing)
    return Problem(MoveProblem::kPromotionPieceMissing, "say which piece the pawn becomes: " + Alternatives(texts));
  std::sort(texts.begin(), texts.end());
  return Problem(MoveProblem::kAmbiguous, Alternatives(texts) + "?");
}

std::string PromotionRefused() { return "only a pawn reaching the last rank promotes"; }

// "no knight can go to f5", "no knight on the b-file can go to d2", "no
// pawn on the e-file can take on d5".
std::string NoPieceCanGo(const SanText& san) {
  std::string text = std::string("no ") + kPieceNames[san.piece];
  const bool pawnCapture = san.piece == kPawn && san.fromFile != FileOf(san.to);
  if (san.fromFile >= 0 && san.fromRank >= 0)
    text += std::string(" on ") + char('a' + san.fromFile) + char('1' + san.fromRank);
  else if (san.fromFile >= 0 && (san.piece != kPawn || pawnCapture))
    text += std::string(" on the ") + char('a' + san.fromFile) + "-file";
  else if (san.fromRank >= 0)
    text += " on rank " + std::to_string(san.fromRank + 1);
  return text + (san.captureMark || pawnCapture ? " can take on " : " can go to ") + SquareName(san.to);
}

TypedMove ReadSan(const GamePosition& p, const SanText& san) {
  if (san.castling) return CastlingAdvice(p, san.kingSide);
  const bool promotes = san.piece == kPawn && IsLastRank(p, san.to);
  if (san.promotion != 0 && !promotes) return Problem(MoveProblem::kNoSuchMove, PromotionRefused());
  std::vector<Move> fits, captures;
  for (Move m : PseudoLegalMoves(p))
    if (FitsSanText(san, m) && !IsCastling(m) && (san.promotion == 0 || MoveSpecial(m) == san.promotion))
      fits.push_back(m);
  if (san.captureMark) {
    for (Move m : fits)
      if (MoveCaptured(m) != 0) captures.push_back(m);
    if (captures.empty() && !fits.empty())
      return Problem(MoveProblem::kNoSuchMove, "there is nothing to take on " + SquareName(san.to));
    fits = captures;
  }
  return Judge(p, fits, promotes && san.promotion == 0, false, NoPieceCanGo(san));
}

TypedMove ReadCoordinateMove(const GamePosition& p, Square from, Square to, int promotion) {
  const int code = p.squares[from] * (p.sideToMove == kWhite ? 1 : -1);
  const std::string piece = std::string(kPieceNames[code < 0 ? -code : code]) + " on " + SquareName(from);
  if (code == 0) return Problem(MoveProblem::kNoSuchMove, "there is no piece on " + SquareName(from));
  if (code < 0) return Problem(MoveProblem::kNoSuchMove, "the " + piece + " is not yours");
  if (IsCastling(BuildMoveWord(p, from, to, kQueen))) return CastlingAdvice(p, to > from);
  const bool promotes = code == kPawn && IsLastRank(p, to);
  if (promotion != 0 && !promotes) return Problem(MoveProblem::kNoSuchMove, PromotionRefused());
  std::vector<Move> fits;
  for (Move m : PseudoLegalMoves(p))
    if (MoveFrom(m) == from && MoveTo(m) == to && (promotion == 0 || MoveSpecial(m) == promotion)) fits.push_back(m);
  return Judge(p, fits, promotes && promotion == 0, true, "the " + piece + " cannot go to " + SquareName(to));
}

}  // namespace

TypedMove ReadTypedMove(const GamePosition& p, const std::string& word) {
  Square from = 0, to = 0;
  int promotion = 0;
  SanText san;
  // SAN first: "B1e2" is a bishop's move, not b1-e2.
  const bool isSan = ReadSanText(word, san);
  const bool coordinates = !isSan && ReadCoordinates(word, from, to, promotion);
  if (!isSan && !coordinates) return Problem(MoveProblem::kNotAMove, "not a move");
  if (p.result != kGameRunning) return Problem(MoveProblem::kGameOver, "the game is over");
  return coordinates ? ReadCoordinateMove(p, from, to, promotion) : ReadSan(p, san);
}

bool IsEnPassantMark(const std::string& word) {
  std::string lowered;
  for (const char c : word) lowered += char(std::tolower(static_cast<unsigned char>(c)));
  return lowered == "e.p." || lowered == "ep" || lowered == "e.p";
}

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The word less a trailing en-passant mark, where a capture stands before
// it ("exf6e.p." gives "exf6").
std::string WithoutEnPassantMark(const std::string& word) {
  for (const size_t length : {4, 3, 2}) {
    if (word.size() < length + 3) continue;
    const std::string mark = word.substr(word.size() - length);
    if (IsEnPassantMark(mark) && std::isdigit(static_cast<unsigned char>(word[word.size() - length - 1])))
      return word.substr(0, word.size() - length);
  }
  return word;
}

// Other readings of a word typed in the wrong case, each in SAN's case:
// castling, a piece's move, a pawn's move with its promotion letter.
std::vector<std::string> OtherCaseReadings(const std::string& word) {
  std::vector<std::string> readings;
  const size_t end = word.find_last_not_of("+#!?") + 1;
  const std::string body = Lower(word.substr(0, end)), marks = word.substr(end);
  if (body == "o-o" || body == "o-o-o") readings.push_back(body == "o-o" ? "O-O" + marks : "O-O-O" + marks);
  if (!body.empty() && std::string("nbrqk").find(body.front()) != std::string::npos)
    readings.push_back(char(std::toupper(static_cast<unsigned char>(body.front()))) + body.substr(1) + marks);
  std::string pawn = body;
  const bool promotes = pawn.size() >= 3 && std::string("nbrq").find(pawn.back()) != std::string::npos &&
                        std::string("=18").find(pawn[pawn.size() - 2]) != std::string::npos;
  if (promotes) pawn.back() = char(std::toupper(static_cast<unsigned char>(pawn.back())));
  readings.push_back(pawn + marks);
  return readings;
}

// "the pawn's capture (type b2c3)", "the bishop's (type Bxc3)".
std::string Reading(const GamePosition& p, Move m) {
  if (MovePiece(m) == kPawn)
    return std::string("the pawn's ") + (MoveCaptured(m) != 0 ? "capture" : "move") + " (type " +
           CoordinateMoveText(m) + ")";
  return std::string("the ") + kPieceNames[MovePiece(m)] + "'s (type " + SanMoveText(p, m) + ")";
}

}  // namespace

TypedMove ReadForgivingMove(const GamePosition& p, const std::string& typed) {
  const std::string word = WithoutEnPassantMark(typed);
  const TypedMove asTyped = ReadTypedMove(p, word);
  if (asTyped.problem == MoveProblem::kGameOver) return asTyped;
  // Coordinates are read in either case already; a move read as typed
  // stands, but for a small b that a bishop's move may have meant.
  Square from = 0, to = 0;
  int promotion = 0;
  if (ReadCoordinates(word, from, to, promotion)) return asTyped;
  if (asTyped.problem == MoveProblem::kNone && word.front() != 'b') return asTyped;
  std::vector<TypedMove> readings = {asTyped};
  for (const std::string& other : OtherCaseReadings(word))
    if (other != word) readings.push_back(ReadTypedMove(p, other));
  std::vector<Move> legal;
  for (const TypedMove& reading : readings)
    if (reading.problem == MoveProblem::kNone && std::find(legal.begin(), legal.end(), reading.move) == legal.end())
      legal.push_back(reading.move);
  if (legal.size() == 1) return {legal.front(), MoveProblem::kNone, ""};
  if (legal.size() > 1) {
    std::sort(legal.begin(), legal.end(), [](Move a, Move b) { return MovePiece(a) < MovePiece(b); });
    std::vector<std::string> texts;
    for (const Move m : legal) texts.push_back(Reading(p, m));
    return Problem(MoveProblem::kAmbiguous, Alternatives(texts) + "?");
  }
  for (const TypedMove& reading : readings)
    if (reading.problem != MoveProblem::kNotAMove) return reading;
  return asTyped;
}

std::string ShownWord(const std::string& word) {
  constexpr size_t kMost = 40;
  std::string shown;
  for (size_t i = 0; i < word.size() && i < kMost; ++i) shown += word[i] >= 0x20 && word[i] < 0x7f ? word[i] : '?';
  return word.size() > kMost ? shown + "..." : shown;
}
