// The tuned weights, written by tools/tune: do not edit by hand. No tuning run yet: a copy of the
// classic weights.
// tune --out eval/tuned_weights.h
#pragma once

#include "eval/eval_weights.h"

namespace tuned_weights {

// A square the evaluation never reads.
constexpr int32_t M = kUnusedSquare;

inline constexpr EvalWeights kWeights = MakeWeights({
    // pawn, knight, bishop, rook, queen
    {kMaterial, {100, 300, 320, 475, 980}},
    // a minor piece up with equal majors, for a side that has pawns
    {kExtraMinorWithPawns, {50}},
    // White's bonus for minors traded against majors: minor units -3 up, -3, 6, -6, 9, -9, each for major
    // units -1, 1, -2, 2
    {kImbalance, {50, -50, 100, -100, 50, -50, 100, -100, 50, -50, 100, -100,
        0, -50, 100, -100, 0, 0, 100, -100, 0, 0, 0, -100}},
    // an empty centre square no own pawn can ever guard: on the own fourth rank, the fifth
    {kCentreOutOfReach, {-6, -4}},
    // d- and e-pawn both on their home squares
    {kHomeCentrePawns, {-20}},
    // a pawn whose step ahead is occupied
    {kBlockedPawn, {-4}},
    // a passer that a king without pieces cannot stop
    {kUnstoppablePasser, {660}},
    // passers the bare king can still catch, the side having pieces or two pawns
    {kPasserAgainstBareKing, {100}},
    // backward pawn: nothing ahead on its file, else by the ranks to the first enemy pawn or own defended
    // pawn ahead, 1 to 5
    {kBackwardPawn, {-30, 0, -15, -18, -21, -22}},
    // three or more on a file: isolated, not isolated
    {kTripledPawns, {-80, -60}},
    // two isolated pawns on a file
    {kDoubledIsolatedPawns, {-45}},
    // two pawns on a file, the front one undefended: no enemy pawn ahead, else by the free squares
    // between, 0 to 3
    {kDoubledPawns, {-20, -14, -15, -16, -18}},
    // two pawns on a file, the front one defended by a pawn: as kDoubledPawns
    {kDoubledDefendedPawns, {-10, -7, -7, -8, -9}},
    // an isolated pawn: no enemy pawn ahead, else by the free squares between, 0 to 4
    {kIsolatedPawn, {-16, -8, -9, -10, -11, -12}},
    // an isolated pawn on d4 (d5) with more than 32 piece units on the board
    {kIsolatedQueenPawn, {-10}},
    // knight attacks on a centre square, on a square around it (not in the endgame)
    {kKnightCentreControl, {4, 2}},
    // a knight defended by a pawn
    {kKnightDefended, {6}},
    // per defending pawn of a knight on the fifth rank or beyond that no enemy pawn can chase
    {kKnightOutpost, {12}},
    // a knight at distance 1, 2, 3 from the enemy king (not in the endgame)
    {kKnightNearKing, {8, 6, 4}},
    // a knight on d3 or e3 in front of its pawn on the home square
    {kKnightBlocksCentrePawn, {-25}},
    // a knight on c3 in front of the c2 pawn: centre locked by d4 against d5, else
    {kKnightBlocksCPawn, {-14, -4}},
    // two bishops or more
    {kBishopPair, {18}},
    // bishop attacks on a centre square, on a square around it (not in the endgame)
    {kBishopCentreControl, {6, 2}},
    // per square a bishop attacks that no own man holds
    {kBishopMobility, {1}},
    // a bishop on a diagonal of the enemy king
    {kBishopOnKingDiagonal, {8}},
    // per enemy pawn on the bishop's colour (endgame)
    {kBishopPawnTargets, {4}},
    // a bishop on d3 or e3 in front of its pawn on the home square
    {kBishopBlocksCentrePawn, {-30}},
    // a bishop on c1/d2 (f1/e2) shut in: by the own pawn on e3 (d3), by a man on d2 (e2)
    {kBishopHemmedIn, {-20, -14}},
    // a bishop on a7 (h7) behind a defended pawn on b6 (g6)
    {kBishopTrapped, {-100}},
    // endgame, per bishop more than the opponent: pawns on both wings, else
    {kBishopCount, {16, 8}},
    // rook attacks on a centre square, on a square around it (not in the endgame)
    {kRookCentreControl, {4, 2}},
    // a rook in the endgame
    {kRookEndgameActivity, {30}},
    // per square a rook attacks
    {kRookMobility, {1}},
    // a rook guarding another not yet counted: both on the seventh, else
    {kRookConnected, {24, 8}},
    // a rook on a file without own pawns: the enemy king on it, else
    {kRookNoOwnPawn, {40, 15}},
    // a rook on a file without own pawns and the enemy queen
    {kRookFacesQueen, {10}},
    // a rook on a file without pawns: another rook behind it on the file, else
    {kRookOpenFile, {26, 10}},
    // a rook on the seventh with the enemy king on the eighth
    {kRookOnSeventh, {50}},
    // a rook shut in a corner by its own king and pawns
    {kRookShutIn, {-35}},
    // an advanced rook that cannot get back to its first two ranks: opening tables, middlegame
    {kRookCutOff, {-16, -8}},
    // a queen beyond the second rank cut off from the first: opening tables with the second rank in reach,
    // without; middlegame with, without
    {kQueenSortie, {-20, -40, -4, -12}},
    // opening tables, a queen beyond the second rank: in or around the centre, elsewhere
    {kQueenEarlyOut, {-20, -12}},
    // per square between a queen and an enemy king that can no longer castle
    {kQueenKingDistance, {-2}},
    // a queen on the seventh with the enemy king on the eighth
    {kQueenOnSeventh, {25}},
    // per enemy man in the nine squares of the shelter
    {kShelterEnemyMen, {-16}},
    // a shelter file without own pawns; without enemy pawns too; without enemy pawns only
    {kShelterOpenFile, {-25, -20, -10}},
    // shelter pawns on their home squares: all three, all but one, all but one with a pawn on h3 (king's
    // side), one
    {kShelterHomePawns, {60, 50, 55, 20}},
    // a hole on the shelter's third rank
    {kShelterHole, {-10}},
    // a bishop on b2 (g2) in front of the king
    {kShelterFianchetto, {10}},
    // a knight on c3 (f3) beside the king
    {kShelterKnight, {2}},
    // a king that can no longer castle: on the d- or e-file, on the c- or f-file
    {kKingInCentre, {-70, -17}},
    // a king that has not yet castled
    {kCastlingRightsKept, {-25}},
    // knight placement
    {kKnightSquares, {
        // opening
          -10,    10,    12,    14,    14,    12,    10,   -10,
           20,    28,    34,    38,    38,    34,    28,    20,
           22,    30,    36,    44,    44,    36,    30,    22,
           22,    28,    34,    40,    40,    34,    28,    22,
           18,    24,    30,    36,    36,    30,    24,    18,
           12,    18,    24,    30,    30,    24,    18,    12,
            6,    12,    18,    24,    24,    18,    12,     6,
          -15,     0,    18,    18,    18,    18,     0,   -15,
        // middlegame
          -10,    10,    12,    14,    14,    12,    10,   -10,
           20,    28,    34,    38,    38,    34,    28,    20,
           22,    30,    36,    44,    44,    36,    30,    22,
           22,    28,    34,    40,    40,    34,    28,    22,
           18,    24,    30,    36,    36,    30,    24,    18,
           12,    18,    24,    30,    30,    24,    18,    12,
            6,    12,    18,    24,    24,    18,    12,     6,
          -15,     0,    18,    18,    18,    18,     0,   -15,
        // endgame
            4,     0,     8,    12,    12,     8,     0,     4,
            4,     8,    12,    16,    16,    12,     8,     4,
            8,    12,    16,    20,    20,    16,    12,     8,
           12,    16,    20,    24,    24,    20,    16,    12,
           12,    16,    20,    24,    24,    20,    16,    12,
            8,    12,    16,    20,    20,    16,    12,     8,
            4,     8,    12,    16,    16,    12,     8,     4,
            4,     0,     8,    12,    12,     8,     0,     4,
    }},
    // bishop placement
    {kBishopSquares, {
        // opening
            4,     0,     8,    12,    12,     8,     0,     4,
            4,     8,    12,    16,    16,    12,     8,     4,
            8,    12,    16,    20,    20,    16,    12,     8,
           12,    16,    20,    24,    24,    20,    16,    12,
           12,    16,    20,    24,    24,    20,    16,    12,
            8,    12,    16,    20,    20,    16,    12,     8,
            4,    22,    12,    16,    16,    12,    22,     4,
            4,     4,     8,    12,    12,     8,     4,     4,
        // middlegame
            4,     0,     8,    12,    12,     8,     0,     4,
            4,     8,    12,    16,    16,    12,     8,     4,
            8,    12,    16,    20,    20,    16,    12,     8,
           12,    16,    20,    24,    24,    20,    16,    12,
           12,    16,    20,    24,    24,    20,    16,    12,
            8,    12,    16,    20,    20,    16,    12,     8,
            4,    22,    12,    16,    16,    12,    22,     4,
            4,     4,     8,    12,    12,     8,     4,     4,
        // endgame
            4,     0,     8,    12,    12,     8,     0,     4,
            4,     8,    12,    16,    16,    12,     8,     4,
            8,    12,    16,    20,    20,    16,    12,     8,
           12,    16,    20,    24,    24,    20,    16,    12,
           12,    16,    20,    24,    24,    20,    16,    12,
            8,    12,    16,    20,    20,    16,    12,     8,
            4,     8,    12,    16,    16,    12,     8,     4,
            4,     0,     8,    12,    12,     8,     0,     4,
    }},
    // rook placement
    {kRookSquares, {
        // opening
            2,     2,     2,     2,     2,     2,     2,     2,
            4,     4,     4,     4,     4,     4,     4,     4,
           -4,    -1,    -2,    -3,    -3,    -2,    -1,    -4,
           -4,    -1,    -2,    -3,    -3,    -2,    -1,    -4,
           -4,    -1,    -1,    -2,    -2,    -1,    -1,    -4,
           -4,     0,     0,     2,     2,     0,     0,    -4,
           -3,     2,     3,     5,     5,     3,     2,    -3,
           -2,     2,     3,     5,     5,     3,     2,    -2,
        // middlegame
            2,     2,     2,     2,     2,     2,     2,     2,
            4,     4,     4,     4,     4,     4,     4,     4,
           -4,    -1,    -2,    -3,    -3,    -2,    -1,    -4,
           -4,    -1,    -2,    -3,    -3,    -2,    -1,    -4,
           -4,    -1,    -1,    -2,    -2,    -1,    -1,    -4,
           -4,     0,     0,     2,     2,     0,     0,    -4,
           -3,     2,     3,     5,     5,     3,     2,    -3,
           -2,     2,     3,     5,     5,     3,     2,    -2,
        // endgame
            2,     2,     2,     2,     2,     2,     2,     2,
            4,     4,     4,     4,     4,     4,     4,     4,
           -4,    -1,    -2,    -3,    -3,    -2,    -1,    -4,
           -4,    -1,    -2,    -3,    -3,    -2,    -1,    -4,
           -4,    -1,    -1,    -2,    -2,    -1,    -1,    -4,
           -4,     0,     0,     2,     2,     0,     0,    -4,
           -3,     2,     3,     5,     5,     3,     2,    -3,
           -2,     2,     3,     5,     5,     3,     2,    -2,
    }},
    // king placement
    {kKingSquares, {
        // opening
         -400,  -430,  -470,  -500,  -500,  -470,  -430,  -400,
         -400,  -430,  -470,  -500,  -500,  -470,  -430,  -400,
         -400,  -430,  -470,  -500,  -500,  -470,  -430,  -400,
         -400,  -410,  -430,  -470,  -470,  -430,  -410,  -400,
         -300,  -350,  -400,  -400,  -400,  -400,  -370,  -340,
         -100,  -120,  -140,  -140,  -140,  -140,  -120,  -100,
           -4,    -8,   -12,   -54,   -54,   -24,    -4,    -4,
           12,    14,     0,   -32,   -32,   -18,    14,    12,
        // middlegame
         -200,  -215,  -235,  -250,  -250,  -235,  -215,  -200,
         -200,  -215,  -235,  -250,  -250,  -235,  -215,  -200,
         -200,  -215,  -235,  -250,  -250,  -235,  -215,  -200,
         -200,  -205,  -215,  -235,  -235,  -215,  -205,  -200,
         -150,  -175,  -200,  -200,  -200,  -200,  -175,  -170,
          -50,   -60,   -70,   -70,   -70,   -70,   -70,   -70,
           -4,    -8,   -12,   -34,   -34,   -24,    -4,    -4,
           12,    14,     0,   -82,   -18,   -14,    14,    12,
        // endgame
            4,     0,     8,    12,    12,     8,     0,     4,
            4,     8,    12,    16,    16,    12,     8,     4,
            8,    12,    16,    20,    20,    16,    12,     8,
           12,    16,    20,    24,    24,    20,    16,    12,
           12,    16,    20,    24,    24,    20,    16,    12,
            8,    12,    16,    20,    20,    16,    12,     8,
            4,     8,    12,    16,    16,    12,     8,     4,
            4,     0,     8,    12,    12,     8,     0,     4,
    }},
    // a pawn that is not passed
    {kPawnSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
          -20,   -20,   -12,    14,    14,   -12,   -20,   -20,
          -25,   -25,   -10,    12,    12,   -10,   -25,   -25,
          -27,   -29,   -12,    20,    20,   -16,   -29,   -27,
          -28,   -29,   -22,    -6,    -6,   -22,   -29,   -28,
          -30,   -27,   -20,   -20,   -20,   -16,   -27,   -30,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
          -10,   -10,    -2,    10,    10,    -2,   -10,   -10,
          -15,   -15,    -8,     8,     8,    -8,   -15,   -15,
          -17,   -19,    -2,    14,    14,    -6,   -19,   -17,
          -18,   -19,   -12,     8,     8,   -12,   -19,   -18,
          -20,   -17,   -10,   -15,   -15,   -10,   -17,   -10,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           16,    16,    16,    16,    16,    16,    16,    16,
           12,    12,    12,    12,    12,    12,    12,    12,
            8,     8,     8,     8,     8,     8,     8,     8,
            4,     4,     4,     4,     4,     4,     4,     4,
            0,     0,     0,     0,     0,     0,     0,     0,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a passed pawn
    {kPassedSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
          100,   100,   100,   100,   100,   100,   100,   100,
           75,    75,    75,    65,    65,    75,    75,    75,
           25,    25,    25,    20,    20,    25,    25,    25,
            5,     5,     5,    14,    14,     5,     5,     5,
           -5,    -5,    -5,     8,     8,    -5,    -5,    -5,
          -10,   -10,   -10,   -10,   -10,   -10,   -10,   -10,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
          120,   120,   120,   120,   120,   120,   120,   120,
           75,    75,    75,    65,    65,    75,    75,    75,
           30,    30,    30,    30,    30,    30,    30,    30,
           17,    17,    17,    24,    24,    17,    17,    17,
           15,    15,    15,    18,    18,    15,    15,    15,
           10,    10,    10,    10,    10,    10,    10,    10,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
          160,   160,   160,   160,   160,   160,   160,   160,
          120,   120,   120,   120,   120,   120,   120,   120,
           75,    75,    75,    75,    75,    75,    75,    75,
           40,    40,    40,    40,    40,    40,    40,    40,
           30,    30,    30,    30,    30,    30,    30,    30,
           20,    20,    20,    20,    20,    20,    20,    20,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a passed pawn defended by a pawn
    {kPassedDefendedSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
          120,   120,   120,   120,   120,   120,   120,   120,
           95,    95,    95,    90,    90,    95,    95,    95,
           35,    35,    35,    30,    30,    35,    35,    35,
            8,     8,     8,    16,    16,     8,     8,     8,
           -5,    -5,    -5,    10,    10,    -5,    -5,    -5,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
          140,   140,   140,   140,   140,   140,   140,   140,
           95,    95,    95,    95,    95,    95,    95,    95,
           45,    45,    45,    45,    45,    45,    45,    45,
           20,    20,    20,    28,    28,    28,    28,    28,
           15,    15,    15,    20,    20,    15,    15,    15,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
          170,   170,   170,   170,   170,   170,   170,   170,
          135,   135,   135,   135,   135,   135,   135,   135,
           85,    85,    85,    85,    85,    85,    85,    85,
           55,    55,    55,    55,    55,    55,    55,    55,
           40,    40,    40,    40,    40,    40,    40,    40,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a pawn that is not passed, defended by a pawn
    {kDefendedSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
            6,     6,     8,     8,     8,     8,     6,     6,
            4,     4,     6,     6,     6,     6,     4,     4,
            4,     4,     4,     4,     4,     4,     4,     4,
            4,     4,     4,     4,     4,     4,     4,     4,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
            6,     6,     8,     8,     8,     8,     6,     6,
            4,     4,     6,     6,     6,     6,     4,     4,
            4,     4,     4,     4,     4,     4,     4,     4,
            4,     4,     4,     4,     4,     4,     4,     4,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
            8,     8,     8,     8,     8,     8,     8,     8,
            4,     4,     4,     4,     4,     4,     4,     4,
            4,     4,     4,     4,     4,     4,     4,     4,
            4,     4,     4,     4,     4,     4,     4,     4,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a pawn with an own pawn beside it toward the h-file
    {kDuoSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           20,    25,    35,    45,    35,    25,    20,     M,
           10,    15,    27,    33,    27,    18,    10,     M,
            5,     8,    20,    25,    20,    10,     8,     M,
            0,     0,    10,    15,     5,     0,     0,     M,
            0,     0,     0,     5,     5,     0,     0,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           20,    25,    35,    45,    35,    25,    20,     M,
           10,    15,    27,    33,    27,    18,    10,     M,
            5,     8,    18,    25,    20,    10,     8,     M,
            0,     0,    10,    15,     5,     0,     0,     M,
            0,     0,     0,     5,     5,     0,     0,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           20,    20,    20,    20,    20,    20,    20,     M,
           15,    15,    15,    15,    15,    15,    15,     M,
            8,     8,     8,     8,     8,     8,     8,     M,
            7,     7,     7,     7,     7,     7,     7,     M,
            4,     5,     5,     5,     5,     5,     5,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a passer with a passer beside it toward the h-file, against enemy pieces
    {kPassedDuoSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
           50,    50,    50,    50,    50,    50,    50,     M,
           40,    40,    40,    60,    60,    40,    40,     M,
           21,    21,    25,    40,    40,    25,    21,     M,
           14,    14,    14,    20,    20,    10,     8,     M,
            8,     8,     8,     8,     8,     8,     8,     M,
            6,     6,     6,     6,     6,     6,     6,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
           50,    50,    50,    50,    50,    50,    50,     M,
           40,    40,    40,    60,    60,    40,    40,     M,
           21,    21,    25,    40,    40,    25,    21,     M,
           14,    14,    14,    20,    20,    10,     8,     M,
            8,     8,     8,     8,     8,     8,     8,     M,
            6,     6,     6,     6,     6,     6,     6,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
           30,    30,    30,    30,    30,    30,    30,     M,
           27,    27,    27,    27,    27,    27,    27,     M,
           23,    23,    23,    23,    23,    23,    23,     M,
           20,    20,    20,    20,    20,    20,    20,     M,
           17,    17,    17,    17,    17,    17,    17,     M,
           10,    10,    10,    10,    10,    10,    10,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // Black's own middlegame king values on d8, e8, f8 (not White's mirrored)
    {kBlackMiddlegameKing, {-12, -12, -10}},
    // Black's own endgame duo values on a7-g7, a6-g6 (not White's mirrored)
    {kBlackEndgameDuo, {4, 6}},
    // a won ending against a bare king, or king, bishop and knight against it
    {kPawnlessWin, {1500}},
    // far ahead: per square of Manhattan distance between the kings
    {kPawnlessKingDistance, {-4}},
    // far ahead: per square between a man of the strong side and the weak king
    {kPawnlessManDistance, {-1}},
    // king, bishop and knight: by the distance between the kings, 0 to 7
    {kPawnlessMatingKingDistance, {60, 40, -2, -18, -40, -70, -110, -120}},
    // far ahead: the weak king on the edge next to the strong one
    {kPawnlessEdgeNextToKing, {200}},
    // far ahead, the weak king elsewhere
    {kPawnlessFarAhead, {150}},
    // moderately ahead: the weak king on the edge next to the strong one
    {kPawnlessModerateEdge, {100}},
    // level material: the own king on the edge next to the enemy king
    {kPawnlessLevelEdge, {-50}},
    // a man that the enemy attacks (moderately ahead) or the own side defends (level)
    {kPawnlessManGuarded, {10}},
    // a man by its distance 1 to 7 to its own king: knight, then bishop, rook or queen
    {kPawnlessTropism, {10, 8, 4, -10, -20, -40, -70, 6, 4, 2, -4, -6,
        -12, -16}},
    // a king's place without pawns
    {kPawnlessKingCentre, {
          -80,   -68,   -56,   -44,   -44,   -56,   -68,   -80,
          -68,   -12,    -4,     4,     4,    -4,   -12,   -68,
          -56,    -4,    14,    24,    24,    14,    -4,   -56,
          -44,     4,    24,    44,    44,    24,     4,   -44,
          -44,     4,    24,    44,    44,    24,     4,   -44,
          -56,    -4,    14,    24,    24,    14,    -4,   -56,
          -68,   -12,    -4,     4,     4,    -4,   -12,   -68,
          -80,   -68,   -36,   -44,   -44,   -56,   -68,   -80,
    }},
    // the stronger king, moderately ahead (halved)
    {kPawnlessStrongKing, {
            4,     0,     8,    12,    12,     8,     0,     4,
            4,     8,    12,    16,    16,    12,     8,     4,
            8,    12,    16,    20,    20,    16,    12,     8,
           12,    16,    20,    24,    24,    20,    16,    12,
           12,    16,    20,    24,    24,    20,    16,    12,
            8,    12,    16,    20,    20,    16,    12,     8,
            4,     8,    12,    16,    16,    12,     8,     4,
            4,     0,     8,    12,    12,     8,     0,     4,
    }},
    // king, bishop and knight: the lone king's place for a light-squared bishop
    {kPawnlessLightCorner, {
          120,   110,    70,    40,    18,     2,   -40,   -60,
          110,    90,    50,    34,    12,   -10,   -34,   -40,
           70,    50,    36,   -10,   -20,   -30,   -10,     2,
           40,    34,   -10,   -52,   -52,   -20,    12,    18,
           18,    12,   -20,   -52,   -52,   -10,    34,    40,
            2,   -10,   -30,   -20,   -10,    36,    50,    70,
          -40,   -34,   -10,    12,    34,    50,    90,   110,
          -60,   -40,     2,    18,    40,    70,   110,   120,
    }},
    // king, bishop and knight: the lone king's place for a dark-squared bishop
    {kPawnlessDarkCorner, {
          -60,   -40,     2,    18,    40,    70,   110,   120,
          -40,   -34,   -10,    12,    34,    50,    90,   110,
            2,   -10,   -30,   -30,   -10,    36,    50,    70,
           18,    12,   -30,   -52,   -52,   -10,    34,    40,
           40,    34,   -10,   -52,   -52,   -30,    12,    18,
           70,    50,    36,   -10,   -30,   -30,   -10,     2,
          110,    90,    50,    34,    12,   -10,   -34,   -40,
          120,   110,    70,    40,    18,     2,   -40,   -60,
    }},
    // a pawn of the side far behind, besides twice its passer value
    {kPawnlessRunner, {100}},
});

}  // namespace tuned_weights

inline constexpr EvalWeights kTunedWeights = tuned_weights::kWeights;
