// The tuned weights, written by tools/tune: do not edit by hand. Texel's method on the quiet positions
// of Ravok's own games (see the README).
// Data d8k.txt: datagen --out d8k.txt --games 8000 --nodes 10000 --seed 5 --openings
// ../shared/match/openings-balanced.txt --random-plies 2 --search selective --evaluation tuned
// --hash 16 (threads 2; adjudicated: won after 4 plies at 1000 or more for one side, drawn after 12
// plies within 10 from ply 80 on, drawn at 400 plies; given up when the first search scores
// beyond 300)
// Data d9.txt: datagen --out d9.txt --games 14600 --nodes 10000 --seed 9 --openings
// ../shared/match/openings-balanced.txt --random-plies 2 --search selective --evaluation tuned
// --hash 16 (threads 2; adjudicated: won after 4 plies at 1000 or more for one side, drawn after 12
// plies within 10 from ply 80 on, drawn at 400 plies; given up when the first search scores
// beyond 300)
// tune d8k.txt d9.txt --start tuned --epochs 50 --lambda 0.5 --out /work/tmp/tw_full50.h
// 738716 training positions of 10226 games, 88814 held-out positions of 1204 games.
// Scale k 0.006451; training error 0.036680 before, 0.034391 after; held-out error 0.119692
// before, 0.118814 after.
#pragma once

#include "eval/eval_weights.h"

namespace tuned_weights {

// A square the evaluation never reads.
constexpr int32_t M = kUnusedSquare;

inline constexpr EvalWeights kWeights = MakeWeights({
    // pawn, knight, bishop, rook, queen
    {kMaterial, {98, 267, 290, 454, 1071}},
    // a minor piece up with equal majors, for a side that has pawns
    {kExtraMinorWithPawns, {73}},
    // White's bonus for minors traded against majors: minor units -3 up, -3, 6, -6, 9, -9, each for major
    // units -1, 1, -2, 2
    {kImbalance, {-6, -3, 37, -100, -31, -4, 86, -42, 54, -50, 41, -100,
        -2, -49, 100, -106, 68, 0, 189, -100, 0, -32, 0, -136}},
    // the side to move
    {kTempo, {5}},
    // an empty centre square no own pawn can ever guard: on the own fourth rank, the fifth
    {kCentreOutOfReach, {-6, 0}},
    // d- and e-pawn both on their home squares
    {kHomeCentrePawns, {-7}},
    // a pawn whose step ahead is occupied
    {kBlockedPawn, {-5}},
    // a passer that a king without pieces cannot stop
    {kUnstoppablePasser, {587}},
    // passers the bare king can still catch, the side having pieces or two pawns
    {kPasserAgainstBareKing, {48}},
    // endgame, per step between a king and the square ahead of a passer, times the passer's ranks beyond
    // the fourth (1 on the fifth to 3 on the seventh): the own king, the enemy king
    {kPasserKingDistance, {-7, 11}},
    // per rank of a passer beyond the fourth, as kPasserKingDistance: an enemy man on the square ahead; no
    // man on any square ahead
    {kPasserPath, {-11, 8}},
    // backward pawn: nothing ahead on its file, else by the ranks to the first enemy pawn or own defended
    // pawn ahead, 1 to 5
    {kBackwardPawn, {-10, 8, -12, -6, -6, -2}},
    // three or more on a file: isolated, not isolated
    {kTripledPawns, {-62, -91}},
    // two isolated pawns on a file
    {kDoubledIsolatedPawns, {-39}},
    // two pawns on a file, the front one undefended: no enemy pawn ahead, else by the free squares
    // between, 0 to 3
    {kDoubledPawns, {-20, -24, -6, -29, -13}},
    // two pawns on a file, the front one defended by a pawn: as kDoubledPawns
    {kDoubledDefendedPawns, {-17, -7, -4, -13, -53}},
    // an isolated pawn: no enemy pawn ahead, else by the free squares between, 0 to 4
    {kIsolatedPawn, {-15, 1, -7, -6, -8, -1}},
    // an isolated pawn on d4 (d5) with more than 32 piece units on the board
    {kIsolatedQueenPawn, {-26}},
    // knight attacks on a centre square, on a square around it (not in the endgame)
    {kKnightCentreControl, {1, -3}},
    // a knight defended by a pawn
    {kKnightDefended, {6}},
    // per defending pawn of a knight on the fifth rank or beyond that no enemy pawn can chase
    {kKnightOutpost, {8}},
    // a knight at distance 1, 2, 3 from the enemy king (not in the endgame)
    {kKnightNearKing, {-2, 16, 13}},
    // a knight on d3 or e3 in front of its pawn on the home square
    {kKnightBlocksCentrePawn, {-32}},
    // a knight on c3 in front of the c2 pawn: centre locked by d4 against d5, else
    {kKnightBlocksCPawn, {-13, -11}},
    // per square a knight attacks that no own man holds and no enemy pawn attacks
    {kKnightMobility, {3}},
    // two bishops or more
    {kBishopPair, {30}},
    // bishop attacks on a centre square, on a square around it (not in the endgame)
    {kBishopCentreControl, {5, -1}},
    // per square a bishop attacks that no own man holds
    {kBishopMobility, {3}},
    // a bishop on a diagonal of the enemy king
    {kBishopOnKingDiagonal, {12}},
    // per enemy pawn on the bishop's colour (endgame)
    {kBishopPawnTargets, {-2}},
    // a bishop on d3 or e3 in front of its pawn on the home square
    {kBishopBlocksCentrePawn, {-26}},
    // a bishop on c1/d2 (f1/e2) shut in: by the own pawn on e3 (d3), by a man on d2 (e2)
    {kBishopHemmedIn, {-5, -5}},
    // a bishop on a7 (h7) behind a defended pawn on b6 (g6)
    {kBishopTrapped, {-84}},
    // endgame, per bishop more than the opponent: pawns on both wings, else
    {kBishopCount, {18, -8}},
    // rook attacks on a centre square, on a square around it (not in the endgame)
    {kRookCentreControl, {-2, 2}},
    // a rook in the endgame
    {kRookEndgameActivity, {53}},
    // per square a rook attacks
    {kRookMobility, {3}},
    // a rook guarding another not yet counted: both on the seventh, else
    {kRookConnected, {-6, -2}},
    // a rook on a file without own pawns: the enemy king on it, else
    {kRookNoOwnPawn, {33, 15}},
    // a rook on a file without own pawns and the enemy queen
    {kRookFacesQueen, {12}},
    // a rook on a file without pawns: another rook behind it on the file, else
    {kRookOpenFile, {15, -1}},
    // a rook on the seventh with the enemy king on the eighth
    {kRookOnSeventh, {21}},
    // a rook shut in a corner by its own king and pawns
    {kRookShutIn, {-43}},
    // an advanced rook that cannot get back to its first two ranks: opening tables, middlegame
    {kRookCutOff, {8, 3}},
    // a queen beyond the second rank cut off from the first: opening tables with the second rank in reach,
    // without; middlegame with, without
    {kQueenSortie, {-1, -8, -1, -2}},
    // opening tables, a queen beyond the second rank: in or around the centre, elsewhere
    {kQueenEarlyOut, {-15, -9}},
    // per square between a queen and an enemy king that can no longer castle
    {kQueenKingDistance, {-4}},
    // a queen on the seventh with the enemy king on the eighth
    {kQueenOnSeventh, {0}},
    // per square a queen attacks that no own man holds
    {kQueenMobility, {2}},
    // per enemy man in the nine squares of the shelter
    {kShelterEnemyMen, {-11}},
    // a shelter file without own pawns; without enemy pawns too; without enemy pawns only
    {kShelterOpenFile, {-12, -19, -11}},
    // shelter pawns on their home squares: all three, all but one, all but one with a pawn on h3 (king's
    // side), one
    {kShelterHomePawns, {40, 34, 41, 20}},
    // a hole on the shelter's third rank
    {kShelterHole, {-2}},
    // a bishop on b2 (g2) in front of the king
    {kShelterFianchetto, {13}},
    // a knight on c3 (f3) beside the king
    {kShelterKnight, {9}},
    // a king that can no longer castle: on the d- or e-file, on the c- or f-file
    {kKingInCentre, {-57, -25}},
    // a king that has not yet castled
    {kCastlingRightsKept, {-1}},
    // per attack on the enemy king's zone (its square and those around it), not in the endgame: by a
    // knight, bishop, rook, queen
    {kKingZoneAttacks, {8, 11, 11, 8}},
    // pieces attacking the enemy king's zone, not in the endgame: 1, 2, 3, 4 or more with the own queen on
    // the board, then the same without
    {kKingZoneAttackers, {-15, -15, 9, 82, -13, -6, 28, 2}},
    // an enemy knight, bishop, rook, queen that own pawns attack, the enemy to move; then the same with
    // the own side to move
    {kPawnThreats, {38, 37, 37, 33, 36, 22, 24, 27}},
    // an enemy rook, queen that own knights or bishops attack, the enemy to move; then the same with the
    // own side to move
    {kMinorThreats, {35, 29, 14, -1}},
    // an enemy queen that own rooks attack: the enemy to move, the own side to move
    {kRookThreats, {34, 22}},
    // an enemy minor piece, rook or queen that the own side attacks and no enemy man defends, the enemy to
    // move; then the same with the own side to move
    {kHangingPieces, {28, 19, -3, 1}},
    // knight placement
    {kKnightSquares, {
        // opening
          -79,   -15,   -22,    -3,    37,   -62,    12,  -117,
           -6,   -26,    28,    52,   -13,    75,     5,   -39,
            8,    50,    37,    36,    50,    17,   -15,   -26,
           25,    19,    24,    47,    16,    38,    18,    36,
           23,     9,    45,    32,    53,    13,     7,    10,
            2,    18,    20,     2,    48,    14,    35,   -17,
           -2,   -17,    28,    28,    23,    21,     3,    36,
           31,    -2,    20,    11,     5,   -11,    -4,    31,
        // middlegame
          -28,   -50,   -23,    -3,    79,   -56,   -15,   -70,
            6,     6,    37,    51,    26,    45,     4,   -15,
           47,    35,    51,    56,    40,    60,    -4,   -16,
           33,    14,    50,    71,    30,    82,    17,    56,
            5,    35,    45,    47,    63,    33,    50,     9,
           -9,    18,    24,    37,    54,    16,    40,   -13,
          -11,    -9,     8,    35,    18,    50,     5,    22,
           -6,    24,    -9,    40,    24,    13,    19,     3,
        // endgame
          -58,   -24,    32,   -17,    10,   -33,   -24,   -78,
          -18,    24,    23,    27,    27,    17,    21,     4,
           -2,    43,    33,    43,    33,    42,    21,    20,
           12,    19,    29,    47,    40,    30,    26,    27,
           25,    12,    36,    39,    38,    38,    22,     0,
          -15,    17,    22,    22,    30,    10,    28,    -6,
          -44,   -16,    -4,    17,    22,   -17,    -9,    -8,
           -3,   -28,   -24,    11,    -2,     5,   -11,   -69,
    }},
    // bishop placement
    {kBishopSquares, {
        // opening
           -6,   -33,   -23,    31,   -15,    -8,   -43,   -16,
           -4,     1,    10,    -9,    24,     6,     6,   -21,
           23,    -1,    19,    21,    54,    18,    24,    27,
           -7,     7,    13,     9,    18,    36,     2,    -9,
            3,    38,    -3,     7,    19,     5,    -3,    -1,
           13,    13,    24,     7,    14,    18,    19,    17,
            9,     9,     3,    12,    15,    31,    10,    30,
           23,     5,     1,     9,     7,    -9,    -7,    29,
        // middlegame
            3,   -29,   -21,   -32,    -1,   -38,    10,    20,
           10,    12,    23,    31,    31,   -31,   -63,    -2,
           40,     8,    22,    27,    39,    35,    27,    -4,
           13,    45,    29,    46,    23,    52,    18,    24,
           -4,    31,    10,    33,    45,    11,    24,     8,
           17,    10,    21,    29,    25,    23,    21,    43,
          -24,    12,    -7,    19,    18,    12,    13,    -8,
           17,   -11,    13,    16,    15,    26,    -8,    25,
        // endgame
           15,    -7,    27,     1,    14,    -5,    24,    13,
           -4,    17,    27,    18,     6,    27,    -6,     4,
            7,    18,    11,    24,    27,    35,    22,    15,
           19,    27,    27,    23,    26,    27,    13,     2,
           13,    28,    24,    22,    25,    21,    21,     0,
            7,    21,    18,    12,    34,    21,    -1,    25,
           -6,    11,     8,    14,    12,    16,    14,   -15,
           19,     4,    -7,    10,    14,     2,   -27,   -20,
    }},
    // rook placement
    {kRookSquares, {
        // opening
           53,     2,    22,    46,    22,    33,    28,    15,
          -17,   -28,     3,    29,    17,    79,    15,    26,
          -28,    20,   -38,    -4,    19,   -22,    44,     5,
           -1,    -4,   -32,   -14,   -19,    -2,   -17,    -3,
          -12,   -27,    13,   -19,   -30,   -46,   -32,    -5,
          -12,   -30,   -28,   -28,   -36,    -5,   -19,   -27,
          -26,    -8,   -23,    -3,   -19,   -20,    -9,   -48,
          -20,   -10,    -4,    -7,    -1,   -12,   -23,   -10,
        // middlegame
            2,    36,    21,    23,    -3,    40,    59,   -21,
            8,    -9,    21,    35,    16,    48,   -51,   -44,
           10,    28,    -8,     2,    27,    42,    10,    -7,
           -8,    11,    12,    29,     4,     0,    43,    12,
           -4,     6,     0,    -6,   -30,    16,    11,     4,
           -3,   -12,   -16,   -22,    -6,    -8,    -4,   -20,
           -1,    17,   -15,    -4,   -23,    12,    -1,   -22,
          -14,    -9,    -8,     1,    -3,    -4,   -10,   -28,
        // endgame
           22,    13,    24,     9,    22,    28,    25,    28,
           24,    22,    30,    15,    21,    17,    20,    14,
           24,    24,    42,    23,    15,    17,    20,    22,
           20,    26,    13,    11,    13,     8,     8,    12,
           -3,     6,     9,     1,    -5,    12,     2,   -13,
          -11,   -13,    -7,   -11,    -8,   -18,   -22,   -31,
          -10,    -9,     4,    -9,    -2,   -27,   -18,   -29,
          -10,    -8,     0,    -6,    -6,   -10,   -20,   -34,
    }},
    // king placement
    {kKingSquares, {
        // opening
         -400,  -430,  -470,  -500,  -500,  -470,  -430,  -400,
         -400,  -430,  -470,  -500,  -500,  -470,  -430,  -400,
         -400,  -426,  -470,  -500,  -500,  -470,  -430,  -400,
         -407,  -411,  -430,  -470,  -470,  -430,  -407,  -377,
         -311,  -356,  -404,  -402,  -360,  -398,  -328,  -261,
          -92,  -146,   -87,  -117,  -124,   -70,   -91,  -124,
           -3,   -55,   -34,   -23,   -37,   -24,    -9,   -28,
          -44,    -5,    22,   -14,   -19,   -44,     1,   -20,
        // middlegame
         -201,  -215,  -234,  -249,  -245,  -235,  -215,  -200,
         -198,  -215,  -235,  -240,  -247,  -232,  -198,  -192,
         -192,  -220,  -223,  -210,  -230,  -235,  -197,  -139,
         -187,  -205,  -202,  -231,  -253,  -191,  -210,  -186,
         -171,  -167,  -216,  -184,  -179,  -223,  -141,   -77,
           11,   -77,   -48,   -22,   -76,   -25,   -27,   -45,
           -1,   -25,    25,   -10,   -22,     7,    -1,   -11,
           12,    15,    15,     8,   -25,   -21,    -6,   -23,
        // endgame
          -82,    33,     5,     9,    30,    19,    24,   -21,
           -6,    31,    28,    19,    47,    39,    63,    34,
           30,    38,    39,    38,    41,    62,    57,    51,
           23,    23,    35,    31,    39,    44,    50,    32,
           -6,    16,    24,    27,    33,    33,    17,     6,
           -4,     4,     9,     4,    16,    17,    21,    -4,
           12,   -11,     2,     1,     0,    10,     8,     6,
           -5,     0,    -3,   -31,   -11,   -17,    -6,   -31,
    }},
    // a pawn that is not passed
    {kPawnSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
          -19,     2,    12,    63,    35,     1,    -5,    37,
           -1,   -12,    -7,    -1,     4,   -20,     0,   -35,
          -10,   -26,   -12,    -3,   -10,    -7,   -13,   -33,
          -16,   -34,   -24,   -11,    -6,   -16,     2,   -40,
          -28,   -31,   -21,   -26,    -6,    -3,   -10,   -42,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           30,   -29,   -36,    46,    50,     3,     1,    52,
           -3,   -11,   -16,     8,     7,   -17,     7,    -5,
          -11,   -21,    -9,     5,    -7,    13,     4,    -6,
          -14,   -19,   -25,    -3,    -4,     9,    29,    -2,
          -21,   -17,   -21,    -9,   -12,    17,    24,   -36,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           64,   -12,    29,   113,    18,    24,    53,    59,
           14,    -4,    22,     1,    25,    -1,    18,     8,
           -1,    -6,     6,     4,     8,     6,     5,     5,
            1,     2,     2,     1,    18,     8,     5,    -5,
            6,     5,     5,     3,    16,    23,    21,     5,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a passed pawn
    {kPassedSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
           55,   112,    80,    93,   119,     5,    67,    84,
           52,    91,     1,    31,    56,    43,   126,    55,
           -3,    49,     7,    16,     5,    51,    17,    15,
          -12,   -13,    11,     7,    16,    25,    31,   -34,
          -16,    12,   -34,     3,    -7,   -15,    10,   -14,
          -15,   -28,   -15,   -52,     1,     4,    57,   -38,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
          141,   161,   154,   158,   201,    96,    70,    19,
           95,    87,    96,    87,    60,    94,    30,    39,
           44,    34,    36,    14,    13,    14,     8,    -2,
           27,    -4,     4,     1,    -4,    31,   -17,   -11,
           12,   -28,     0,   -18,   -13,    -7,    33,   -15,
           -5,   -16,     3,   -77,    -9,    13,    76,    24,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
          168,   161,   182,   204,   161,   165,   170,   116,
          110,   117,   105,   111,    90,    88,    98,   100,
           71,    66,    54,    38,    46,    43,    68,    61,
           61,    50,    44,    14,    18,    37,    51,    42,
           23,    24,    27,    10,    -1,    34,    23,    16,
            6,    35,    24,    15,    41,    22,    14,     8,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a passed pawn defended by a pawn
    {kPassedDefendedSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
          106,   146,   127,   144,   114,   118,   129,   108,
           58,   108,    76,    54,   174,   110,   123,   107,
           30,    50,    54,    68,   -10,    88,   -17,    20,
          -40,    19,    62,     6,    21,   -19,   -19,     0,
          -16,   -26,     8,    20,   -43,   -55,    40,   -35,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
          153,   143,   183,   169,   136,   138,   125,   145,
          136,   118,    81,   131,   126,    80,    94,   137,
          107,    36,    44,    65,    51,    29,    20,     9,
           40,    -3,    21,    17,    28,    -2,     7,    35,
           -8,    29,    10,   -37,    -1,    38,    -9,    -6,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
          207,   236,   183,   187,   158,   203,   267,   195,
          152,   132,   103,   115,   104,   134,   122,   154,
          106,    91,    71,    59,    47,    92,    89,    61,
           55,    49,    13,    40,    31,    42,    17,    45,
           -2,    32,     0,    -6,     6,    46,    41,    24,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a pawn that is not passed, defended by a pawn
    {kDefendedSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
          -35,    34,    73,    -4,    76,     0,    31,    17,
            7,    13,    12,    29,    19,    36,    17,    31,
          -14,    13,    11,     6,    16,     6,    24,    -4,
            4,    16,    20,     9,     7,     7,    18,    24,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           -9,    34,     0,    11,    25,    30,     2,    41,
           -7,    29,    22,    21,    11,    46,    -4,    35,
           11,    23,    14,    23,    13,     8,    -3,    -7,
           12,    28,    18,    25,     2,    -1,     6,    -4,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           88,    55,    89,    21,    77,    24,    79,    -5,
            6,    31,    22,    31,    10,    31,     5,    19,
            5,    28,    18,     9,    -4,    14,    15,     4,
            7,     6,    22,    51,     8,    10,    16,    10,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a pawn with an own pawn beside it toward the h-file
    {kDuoSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
            1,    31,    38,    60,    45,    24,    33,     M,
           35,    22,    16,    63,    70,    59,    65,     M,
           -7,     1,    14,    13,    17,     3,     5,     M,
            7,     0,     4,    -2,    12,   -13,    12,     M,
            4,     0,     5,    28,   -13,     3,    15,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           25,    21,    42,    60,    31,    25,    19,     M,
           26,    11,    57,    90,    57,    22,     1,     M,
           13,     3,    13,     8,     9,   -10,    13,     M,
           -1,    -5,    20,     3,     8,    -3,   -21,     M,
           12,     9,    35,     4,     2,    -9,    11,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           32,    60,    30,    36,    39,    56,    58,     M,
           88,    62,    55,    60,    42,    74,    22,     M,
           15,    10,    27,    51,    18,    24,     2,     M,
           14,   -16,     4,    -4,    -1,     0,    10,     M,
            0,    -6,    43,    94,   -14,    -3,    -2,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a passer with a passer beside it toward the h-file, against enemy pieces
    {kPassedDuoSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
           59,    50,    50,    50,    50,    50,    50,     M,
           44,    57,    71,    81,    95,    37,    42,     M,
           74,    -8,    59,    77,    48,    38,    37,     M,
           -3,    11,     0,    18,    11,   -12,   -24,     M,
          -54,    19,     6,    -4,   -47,    22,   -40,     M,
          -25,    24,   -19,    12,   -37,    25,    48,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
           49,    51,    68,    46,    50,    50,    50,     M,
           74,    45,    81,    84,    55,    44,    54,     M,
           55,    79,    83,    45,    71,    50,    80,     M,
           -9,    47,    22,    -8,     8,    41,     7,     M,
           -5,   -23,   -14,    -3,   -23,    23,   -57,     M,
            1,   -20,    -9,     6,    -9,   -72,   -66,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
          106,    73,    95,    70,    68,    78,   119,     M,
          112,    22,    97,    95,    81,    21,   106,     M,
           50,    57,    76,   104,    60,    84,    58,     M,
            5,     3,    24,    49,     9,    33,    -8,     M,
          -26,    66,    -8,    36,    27,    -1,   -14,     M,
          -27,   -60,    10,   -15,   -19,    23,    42,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // Black's own middlegame king values on d8, e8, f8 (not White's mirrored)
    {kBlackMiddlegameKing, {-22, -22, -42}},
    // Black's own endgame duo values on a7-g7, a6-g6 (not White's mirrored)
    {kBlackEndgameDuo, {-1, 11}},
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
