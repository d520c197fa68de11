// The evaluation's parameter table: every weight of the evaluation by name
// and shape, and a set of values for all of them. The evaluation reads its
// weights from a set known at compile time (eval/eval_mode.h), so a weight
// folds into the code as a constant, as a number written in the code would.
//
// Shapes:
// - a scalar: one value;
// - a list: a few values, named in the weight's note;
// - a square table: 64 values by square, White's view; where the table is
//   mirrored, Black reads the square of the same file on the mirrored rank;
// - a phase table: three square tables, one for each value set the
//   preparation fills (opening, middlegame, endgame), mirrored for Black.
//
// Every weight is a bonus added to the side it concerns: penalties are
// negative values. Square tables hold kUnusedSquare on squares the
// evaluation never reads.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "eval/value_tables.h"

enum class WeightShape : uint8_t { kScalar, kList, kSquares, kPhaseSquares };

// The weights, in the order of kWeightInfos.
enum WeightId : int {
  // Material and imbalance.
  kMaterial,
  kExtraMinorWithPawns,
  kImbalance,
  kTempo,
  // Centre and pawn structure.
  kCentreOutOfReach,
  kHomeCentrePawns,
  kBlockedPawn,
  kUnstoppablePasser,
  kPasserAgainstBareKing,
  kPasserKingDistance,
  kPasserPath,
  kBackwardPawn,
  kTripledPawns,
  kDoubledIsolatedPawns,
  kDoubledPawns,
  kDoubledDefendedPawns,
  kIsolatedPawn,
  kIsolatedQueenPawn,
  // Knights.
  kKnightCentreControl,
  kKnightDefended,
  kKnightOutpost,
  kKnightNearKing,
  kKnightBlocksCentrePawn,
  kKnightBlocksCPawn,
  kKnightMobility,
  // Bishops.
  kBishopPair,
  kBishopCentreControl,
  kBishopMobility,
  kBishopOnKingDiagonal,
  kBishopPawnTargets,
  kBishopBlocksCentrePawn,
  kBishopHemmedIn,
  kBishopTrapped,
  kBishopCount,
  // Rooks.
  kRookCentreControl,
  kRookEndgameActivity,
  kRookMobility,
  kRookConnected,
  kRookNoOwnPawn,
  kRookFacesQueen,
  kRookOpenFile,
  kRookOnSeventh,
  kRookShutIn,
  kRookCutOff,
  // Queens.
  kQueenSortie,
  kQueenEarlyOut,
  kQueenKingDistance,
  kQueenOnSeventh,
  kQueenMobility,
  // King safety.
  kShelterEnemyMen,
  kShelterOpenFile,
  kShelterHomePawns,
  kShelterHole,
  kShelterFianchetto,
  kShelterKnight,
  kKingInCentre,
  kCastlingRightsKept,
  kKingZoneAttacks,
  kKingZoneAttackers,
  // Threats.
  kPawnThreats,
  kMinorThreats,
  kRookThreats,
  kHangingPieces,
  // The prepared value sets' tables.
  kKnightSquares,
  kBishopSquares,
  kRookSquares,
  kKingSquares,
  kPawnSquares,
  kPassedSquares,
  kPassedDefendedSquares,
  kDefendedSquares,
  kDuoSquares,
  kPassedDuoSquares,
  kBlackMiddlegameKing,
  kBlackEndgameDuo,
  // Endgames without pawns (never tuned: the game positions seldom reach
  // them, and their scores drive mates rather than judge chances).
  kPawnlessWin,
  kPawnlessKingDistance,
  kPawnlessManDistance,
  kPawnlessMatingKingDistance,
  kPawnlessEdgeNextToKing,
  kPawnlessFarAhead,
  kPawnlessModerateEdge,
  kPawnlessLevelEdge,
  kPawnlessManGuarded,
  kPawnlessTropism,
  kPawnlessKingCentre,
  kPawnlessStrongKing,
  kPawnlessLightCorner,
  kPawnlessDarkCorner,
  kPawnlessRunner,
  kWeightCount
};

struct WeightInfo {
  WeightId id;
  std::string_view identifier;  // the enumerator's name, as the generated source writes it
  WeightShape shape;
  int count;      // values: 1, the list's length, 64 or 192
  bool tuned;     // the tuner may change it
  bool mirrored;  // square tables: Black reads the mirrored square
  std::string_view note;
};

namespace eval_weights {
constexpr WeightInfo Scalar(WeightId id, std::string_view identifier, std::string_view note, bool tuned = true) {
  return {id, identifier, WeightShape::kScalar, 1, tuned, false, note};
}
constexpr WeightInfo List(WeightId id, std::string_view identifier, int count, std::string_view note,
                          bool tuned = true) {
  return {id, identifier, WeightShape::kList, count, tuned, false, note};
}
constexpr WeightInfo Phases(WeightId id, std::string_view identifier, std::string_view note) {
  return {id, identifier, WeightShape::kPhaseSquares, 192, true, true, note};
}
constexpr WeightInfo Squares(WeightId id, std::string_view identifier, std::string_view note) {
  return {id, identifier, WeightShape::kSquares, 64, false, false, note};
}
}  // namespace eval_weights

inline constexpr WeightInfo kWeightInfos[kWeightCount] = {
    eval_weights::List(kMaterial, "kMaterial", 5, "pawn, knight, bishop, rook, queen"),
    eval_weights::Scalar(kExtraMinorWithPawns, "kExtraMinorWithPawns",
                         "a minor piece up with equal majors, for a side that has pawns"),
    eval_weights::List(kImbalance, "kImbalance", 24,
                       "White's bonus for minors traded against majors: minor units -3 up, -3, 6, -6, 9, -9, each for "
                       "major units -1, 1, -2, 2"),
    eval_weights::Scalar(kTempo, "kTempo", "the side to move"),
    eval_weights::List(kCentreOutOfReach, "kCentreOutOfReach", 2,
                       "an empty centre square no own pawn can ever guard: on the own fourth rank, the fifth"),
    eval_weights::Scalar(kHomeCentrePawns, "kHomeCentrePawns", "d- and e-pawn both on their home squares"),
    eval_weights::Scalar(kBlockedPawn, "kBlockedPawn", "a pawn whose step ahead is occupied"),
    eval_weights::Scalar(kUnstoppablePasser, "kUnstoppablePasser",
                         "a passer that a king without pieces cannot stop"),
    eval_weights::Scalar(kPasserAgainstBareKing, "kPasserAgainstBareKing",
                         "passers the bare king can still catch, the side having pieces or two pawns"),
    eval_weights::List(kPasserKingDistance, "kPasserKingDistance", 2,
                       "endgame, per step between a king and the square ahead of a passer, times the passer's ranks "
                       "beyond the fourth (1 on the fifth to 3 on the seventh): the own king, the enemy king"),
    eval_weights::List(kPasserPath, "kPasserPath", 2,
                       "per rank of a passer beyond the fourth, as kPasserKingDistance: an enemy man on the square "
                       "ahead; no man on any square ahead"),
    eval_weights::List(kBackwardPawn, "kBackwardPawn", 6,
                       "backward pawn: nothing ahead on its file, else by the ranks to the first enemy pawn or own "
                       "defended pawn ahead, 1 to 5"),
    eval_weights::List(kTripledPawns, "kTripledPawns", 2, "three or more on a file: isolated, not isolated"),
    eval_weights::Scalar(kDoubledIsolatedPawns, "kDoubledIsolatedPawns", "two isolated pawns on a file"),
    eval_weights::List(kDoubledPawns, "kDoubledPawns", 5,
                       "two pawns on a file, the front one undefended: no enemy pawn ahead, else by the free squares "
                       "between, 0 to 3"),
    eval_weights::List(kDoubledDefendedPawns, "kDoubledDefendedPawns", 5,
                       "two pawns on a file, the front one defended by a pawn: as kDoubledPawns"),
    eval_weights::List(kIsolatedPawn, "kIsolatedPawn", 6,
                       "an isolated pawn: no enemy pawn ahead, else by the free squares between, 0 to 4"),
    eval_weights::Scalar(kIsolatedQueenPawn, "kIsolatedQueenPawn",
                         "an isolated pawn on d4 (d5) with more than 32 piece units on the board"),
    eval_weights::List(kKnightCentreControl, "kKnightCentreControl", 2,
                       "knight attacks on a centre square, on a square around it (not in the endgame)"),
    eval_weights::Scalar(kKnightDefended, "kKnightDefended", "a knight defended by a pawn"),
    eval_weights::Scalar(kKnightOutpost, "kKnightOutpost",
                         "per defending pawn of a knight on the fifth rank or beyond that no enemy pawn can chase"),
    eval_weights::List(kKnightNearKing, "kKnightNearKing", 3,
                       "a knight at distance 1, 2, 3 from the enemy king (not in the endgame)"),
    eval_weights::Scalar(kKnightBlocksCentrePawn, "kKnightBlocksCentrePawn",
                         "a knight on d3 or e3 in front of its pawn on the home square"),
    eval_weights::List(kKnightBlocksCPawn, "kKnightBlocksCPawn", 2,
                       "a knight on c3 in front of the c2 pawn: centre locked by d4 against d5, else"),
    eval_weights::Scalar(kKnightMobility, "kKnightMobility",
                         "per square a knight attacks that no own man holds and no enemy pawn attacks"),
    eval_weights::Scalar(kBishopPair, "kBishopPair", "two bishops or more"),
    eval_weights::List(kBishopCentreControl, "kBishopCentreControl", 2,
                       "bishop attacks on a centre square, on a square around it (not in the endgame)"),
    eval_weights::Scalar(kBishopMobility, "kBishopMobility", "per square a bishop attacks that no own man holds"),
    eval_weights::Scalar(kBishopOnKingDiagonal, "kBishopOnKingDiagonal", "a bishop on a diagonal of the enemy king"),
    eval_weights::Scalar(kBishopPawnTargets, "kBishopPawnTargets",
                         "per enemy pawn on the bishop's colour (endgame)"),
    eval_weights::Scalar(kBishopBlocksCentrePawn, "kBishopBlocksCentrePawn",
                         "a bishop on d3 or e3 in front of its pawn on the home square"),
    eval_weights::List(kBishopHemmedIn, "kBishopHemmedIn", 2,
                       "a bishop on c1/d2 (f1/e2) shut in: by the own pawn on e3 (d3), by a man on d2 (e2)"),
    eval_weights::Scalar(kBishopTrapped, "kBishopTrapped", "a bishop on a7 (h7) behind a defended pawn on b6 (g6)"),
    eval_weights::List(kBishopCount, "kBishopCount", 2,
                       "endgame, per bishop more than the opponent: pawns on both wings, else"),
    eval_weights::List(kRookCentreControl, "kRookCentreControl", 2,
                       "rook attacks on a centre square, on a square around it (not in the endgame)"),
    eval_weights::Scalar(kRookEndgameActivity, "kRookEndgameActivity", "a rook in the endgame"),
    eval_weights::Scalar(kRookMobility, "kRookMobility", "per square a rook attacks"),
    eval_weights::List(kRookConnected, "kRookConnected", 2,
                       "a rook guarding another not yet counted: both on the seventh, else"),
    eval_weights::List(kRookNoOwnPawn, "kRookNoOwnPawn", 2,
                       "a rook on a file without own pawns: the enemy king on it, else"),
    eval_weights::Scalar(kRookFacesQueen, "kRookFacesQueen", "a rook on a file without own pawns and the enemy queen"),
    eval_weights::List(kRookOpenFile, "kRookOpenFile", 2,
                       "a rook on a file without pawns: another rook behind it on the file, else"),
    eval_weights::Scalar(kRookOnSeventh, "kRookOnSeventh", "a rook on the seventh with the enemy king on the eighth"),
    eval_weights::Scalar(kRookShutIn, "kRookShutIn", "a rook shut in a corner by its own king and pawns"),
    eval_weights::List(kRookCutOff, "kRookCutOff", 2,
                       "an advanced rook that cannot get back to its first two ranks: opening tables, middlegame"),
    eval_weights::List(kQueenSortie, "kQueenSortie", 4,
                       "a queen beyond the second rank cut off from the first: opening tables with the second rank in "
                       "reach, without; middlegame with, without"),
    eval_weights::List(kQueenEarlyOut, "kQueenEarlyOut", 2,
                       "opening tables, a queen beyond the second rank: in or around the centre, elsewhere"),
    eval_weights::Scalar(kQueenKingDistance, "kQueenKingDistance",
                         "per square between a queen and an enemy king that can no longer castle"),
    eval_weights::Scalar(kQueenOnSeventh, "kQueenOnSeventh",
                         "a queen on the seventh with the enemy king on the eighth"),
    eval_weights::Scalar(kQueenMobility, "kQueenMobility", "per square a queen attacks that no own man holds"),
    eval_weights::Scalar(kShelterEnemyMen, "kShelterEnemyMen", "per enemy man in the nine squares of the shelter"),
    eval_weights::List(kShelterOpenFile, "kShelterOpenFile", 3,
                       "a shelter file without own pawns; without enemy pawns too; without enemy pawns only"),
    eval_weights::List(kShelterHomePawns, "kShelterHomePawns", 4,
                       "shelter pawns on their home squares: all three, all but one, all but one with a pawn on h3 "
                       "(king's side), one"),
    eval_weights::Scalar(kShelterHole, "kShelterHole", "a hole on the shelter's third rank"),
    eval_weights::Scalar(kShelterFianchetto, "kShelterFianchetto", "a bishop on b2 (g2) in front of the king"),
    eval_weights::Scalar(kShelterKnight, "kShelterKnight", "a knight on c3 (f3) beside the king"),
    eval_weights::List(kKingInCentre, "kKingInCentre", 2,
                       "a king that can no longer castle: on the d- or e-file, on the c- or f-file"),
    eval_weights::Scalar(kCastlingRightsKept, "kCastlingRightsKept", "a king that has not yet castled"),
    eval_weights::List(kKingZoneAttacks, "kKingZoneAttacks", 4,
                       "per attack on the enemy king's zone (its square and those around it), not in the endgame: "
                       "by a knight, bishop, rook, queen"),
    eval_weights::List(kKingZoneAttackers, "kKingZoneAttackers", 8,
                       "pieces attacking the enemy king's zone, not in the endgame: 1, 2, 3, 4 or more with the "
                       "own queen on the board, then the same without"),
    eval_weights::List(kPawnThreats, "kPawnThreats", 8,
                       "an enemy knight, bishop, rook, queen that own pawns attack, the enemy to move; then the same "
                       "with the own side to move"),
    eval_weights::List(kMinorThreats, "kMinorThreats", 4,
                       "an enemy rook, queen that own knights or bishops attack, the enemy to move; then the same with "
                       "the own side to move"),
    eval_weights::List(kRookThreats, "kRookThreats", 2,
                       "an enemy queen that own rooks attack: the enemy to move, the own side to move"),
    eval_weights::List(kHangingPieces, "kHangingPieces", 4,
                       "an enemy minor piece, rook or queen that the own side attacks and no enemy man defends, the "
                       "enemy to move; then the same with the own side to move"),
    eval_weights::Phases(kKnightSquares, "kKnightSquares", "knight placement"),
    eval_weights::Phases(kBishopSquares, "kBishopSquares", "bishop placement"),
    eval_weights::Phases(kRookSquares, "kRookSquares", "rook placement"),
    eval_weights::Phases(kKingSquares, "kKingSquares", "king placement"),
    eval_weights::Phases(kPawnSquares, "kPawnSquares", "a pawn that is not passed"),
    eval_weights::Phases(kPassedSquares, "kPassedSquares", "a passed pawn"),
    eval_weights::Phases(kPassedDefendedSquares, "kPassedDefendedSquares", "a passed pawn defended by a pawn"),
    eval_weights::Phases(kDefendedSquares, "kDefendedSquares", "a pawn that is not passed, defended by a pawn"),
    eval_weights::Phases(kDuoSquares, "kDuoSquares", "a pawn with an own pawn beside it toward the h-file"),
    eval_weights::Phases(kPassedDuoSquares, "kPassedDuoSquares",
                         "a passer with a passer beside it toward the h-file, against enemy pieces"),
    eval_weights::List(kBlackMiddlegameKing, "kBlackMiddlegameKing", 3,
                       "Black's own middlegame king values on d8, e8, f8 (not White's mirrored)"),
    eval_weights::List(kBlackEndgameDuo, "kBlackEndgameDuo", 2,
                       "Black's own endgame duo values on a7-g7, a6-g6 (not White's mirrored)"),
    eval_weights::Scalar(kPawnlessWin, "kPawnlessWin",
                         "a won ending against a bare king, or king, bishop and knight against it", false),
    eval_weights::Scalar(kPawnlessKingDistance, "kPawnlessKingDistance",
                         "far ahead: per square of Manhattan distance between the kings", false),
    eval_weights::Scalar(kPawnlessManDistance, "kPawnlessManDistance",
                         "far ahead: per square between a man of the strong side and the weak king", false),
    eval_weights::List(kPawnlessMatingKingDistance, "kPawnlessMatingKingDistance", 8,
                       "king, bishop and knight: by the distance between the kings, 0 to 7", false),
    eval_weights::Scalar(kPawnlessEdgeNextToKing, "kPawnlessEdgeNextToKing",
                         "far ahead: the weak king on the edge next to the strong one", false),
    eval_weights::Scalar(kPawnlessFarAhead, "kPawnlessFarAhead", "far ahead, the weak king elsewhere", false),
    eval_weights::Scalar(kPawnlessModerateEdge, "kPawnlessModerateEdge",
                         "moderately ahead: the weak king on the edge next to the strong one", false),
    eval_weights::Scalar(kPawnlessLevelEdge, "kPawnlessLevelEdge",
                         "level material: the own king on the edge next to the enemy king", false),
    eval_weights::Scalar(kPawnlessManGuarded, "kPawnlessManGuarded",
                         "a man that the enemy attacks (moderately ahead) or the own side defends (level)", false),
    eval_weights::List(kPawnlessTropism, "kPawnlessTropism", 14,
                       "a man by its distance 1 to 7 to its own king: knight, then bishop, rook or queen", false),
    eval_weights::Squares(kPawnlessKingCentre, "kPawnlessKingCentre", "a king's place without pawns"),
    eval_weights::Squares(kPawnlessStrongKing, "kPawnlessStrongKing", "the stronger king, moderately ahead (halved)"),
    eval_weights::Squares(kPawnlessLightCorner, "kPawnlessLightCorner",
                          "king, bishop and knight: the lone king's place for a light-squared bishop"),
    eval_weights::Squares(kPawnlessDarkCorner, "kPawnlessDarkCorner",
                          "king, bishop and knight: the lone king's place for a dark-squared bishop"),
    eval_weights::Scalar(kPawnlessRunner, "kPawnlessRunner",
                         "a pawn of the side far behind, besides twice its passer value", false),
};

// Where each weight's values start in a set, and the number of values.
inline constexpr std::array<int, kWeightCount + 1> kWeightOffsets = [] {
  std::array<int, kWeightCount + 1> offsets{};
  for (int i = 0; i < kWeightCount; ++i) offsets[i + 1] = offsets[i] + kWeightInfos[i].count;
  return offsets;
}();
inline constexpr int kWeightValueCount = kWeightOffsets[kWeightCount];

constexpr int WeightIndex(WeightId id, int entry = 0) { return kWeightOffsets[id] + entry; }

constexpr bool InfoInOrder() {
  for (int i = 0; i < kWeightCount; ++i)
    if (kWeightInfos[i].id != i) return false;
  return true;
}
static_assert(InfoInOrder(), "kWeightInfos lists the weights in the order of WeightId");

// One set of values for every weight.
struct EvalWeights {
  std::array<int32_t, kWeightValueCount> value{};

  constexpr int32_t At(WeightId id, int entry = 0) const { return value[WeightIndex(id, entry)]; }
};

// The weight whose values contain the value at `index`.
constexpr WeightId WeightOfIndex(int index) {
  int id = 0;
  while (kWeightOffsets[id + 1] <= index) ++id;
  return WeightId(id);
}

// The prepared value sets' tables and the weights they are filled from.
inline constexpr WeightId kTableWeights[kSideTableCount] = {
    kKnightSquares, kBishopSquares, kRookSquares, kKingSquares,     kPawnSquares,
    kPassedSquares, kPassedDefendedSquares, kDefendedSquares, kDuoSquares, kPassedDuoSquares,
};

// The index in a weight set of the value that `side`'s table `table` holds
// on `square` in the value set of `phase`: White's square, Black's mirrored,
// except for Black's own middlegame king values on d8-f8 and endgame duo
// values on its second and third ranks.
constexpr int TableValueIndex(SideTable table, int phase, int side, Square square) {
  if (side == kBlack) {
    if (table == kKingTable && phase == kMiddlegamePhase && square >= D8 && square <= F8)
      return WeightIndex(kBlackMiddlegameKing, square - D8);
    const bool secondOrThirdRank = RankOf(square) == 6 || RankOf(square) == 5;
    if (table == kDuoTable && phase == kEndgamePhase && FileOf(square) < 7 && secondOrThirdRank)
      return WeightIndex(kBlackEndgameDuo, RankOf(square) == 6 ? 0 : 1);
  }
  return WeightIndex(kTableWeights[table], 64 * phase + (side == kWhite ? square : square ^ 56));
}

// One weight's values as a source writes them: square tables as diagrams,
// rank 8 on top (a phase table as three diagrams: opening, middlegame,
// endgame), other weights in the order of their note.
struct WeightValues {
  WeightId id;
  std::initializer_list<int32_t> values;
};

// Sets weight `id` from its values as a source writes them; false when
// their number is not the weight's.
constexpr bool SetWrittenValues(EvalWeights& weights, WeightId id, std::span<const int32_t> values) {
  const WeightInfo& info = kWeightInfos[id];
  if (int(values.size()) != info.count) return false;
  const bool squares = info.shape == WeightShape::kSquares || info.shape == WeightShape::kPhaseSquares;
  for (int i = 0; i < info.count; ++i) {
    // Diagram entry d of a table is square d ^ 56.
    const int entry = squares ? (i & ~63) | ((i & 63) ^ 56) : i;
    weights.value[WeightIndex(id, entry)] = values[i];
  }
  return true;
}

// A weight set from every weight's values, each weight exactly once (a
// missing, repeated or wrongly sized weight stops the compilation).
constexpr EvalWeights MakeWeights(std::initializer_list<WeightValues> all) {
  EvalWeights weights{};
  std::array<bool, kWeightCount> seen{};
  for (const WeightValues& w : all) {
    if (seen[w.id] || !SetWrittenValues(weights, w.id, std::span<const int32_t>(w.values.begin(), w.values.size())))
      throw "a weight repeated or of the wrong size";
    seen[w.id] = true;
  }
  for (bool s : seen)
    if (!s) throw "a weight without values";
  return weights;
}
