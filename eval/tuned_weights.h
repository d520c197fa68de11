// The tuned weights, written by tools/tune: do not edit by hand. Texel's method on the quiet positions
// of Ravok's own games (see the README).
// Data /work/data/d8k.txt: datagen --out d8k.txt --games 8000 --nodes 10000 --seed 5 --openings
// ../shared/match/openings-balanced.txt --random-plies 2 --search selective --evaluation tuned
// --hash 16 (threads 2; adjudicated: won after 4 plies at 1000 or more for one side, drawn after 12
// plies within 10 from ply 80 on, drawn at 400 plies; given up when the first search scores
// beyond 300)
// tune /work/data/d8k.txt --start tuned --epochs 100 --lambda 0.5 --report 100 --only
// kTempo,kKnightMobility,kQueenMobility,kKingZoneAttacks,kKingZoneAttackers,kPasserKingDistance,kPasserPath
// --out eval/tuned_weights.h
// Only the weights named after --only were fitted; every other weight is the start set's, from the
// runs before this one.
// 241890 training positions of 3351 games, 24318 held-out positions of 353 games.
// Scale k 0.006430; training error 0.037472 before, 0.037069 after; held-out error 0.122235
// before, 0.121020 after.
#pragma once

#include "eval/eval_weights.h"

namespace tuned_weights {

// A square the evaluation never reads.
constexpr int32_t M = kUnusedSquare;

inline constexpr EvalWeights kWeights = MakeWeights({
    // pawn, knight, bishop, rook, queen
    {kMaterial, {97, 278, 294, 461, 1039}},
    // a minor piece up with equal majors, for a side that has pawns
    {kExtraMinorWithPawns, {74}},
    // White's bonus for minors traded against majors: minor units -3 up, -3, 6, -6, 9, -9, each for major
    // units -1, 1, -2, 2
    {kImbalance, {8, 17, 54, -100, -5, -17, 86, -37, 61, -49, 67, -100,
        -1, -56, 100, -140, 60, 0, 162, -100, 0, -65, 0, -93}},
    // the side to move
    {kTempo, {-1}},
    // an empty centre square no own pawn can ever guard: on the own fourth rank, the fifth
    {kCentreOutOfReach, {-10, -3}},
    // d- and e-pawn both on their home squares
    {kHomeCentrePawns, {-6}},
    // a pawn whose step ahead is occupied
    {kBlockedPawn, {-7}},
    // a passer that a king without pieces cannot stop
    {kUnstoppablePasser, {624}},
    // passers the bare king can still catch, the side having pieces or two pawns
    {kPasserAgainstBareKing, {92}},
    // endgame, per step between a king and the square ahead of a passer, times the passer's ranks beyond
    // the fourth (1 on the fifth to 3 on the seventh): the own king, the enemy king
    {kPasserKingDistance, {-6, 8}},
    // per rank of a passer beyond the fourth, as kPasserKingDistance: an enemy man on the square ahead; no
    // man on any square ahead
    {kPasserPath, {-9, 6}},
    // backward pawn: nothing ahead on its file, else by the ranks to the first enemy pawn or own defended
    // pawn ahead, 1 to 5
    {kBackwardPawn, {-12, -2, -12, -10, -12, -6}},
    // three or more on a file: isolated, not isolated
    {kTripledPawns, {-82, -106}},
    // two isolated pawns on a file
    {kDoubledIsolatedPawns, {-39}},
    // two pawns on a file, the front one undefended: no enemy pawn ahead, else by the free squares
    // between, 0 to 3
    {kDoubledPawns, {-17, -3, -15, -1, -17}},
    // two pawns on a file, the front one defended by a pawn: as kDoubledPawns
    {kDoubledDefendedPawns, {-5, -12, 12, -2, -23}},
    // an isolated pawn: no enemy pawn ahead, else by the free squares between, 0 to 4
    {kIsolatedPawn, {-13, 0, -4, -5, -2, -1}},
    // an isolated pawn on d4 (d5) with more than 32 piece units on the board
    {kIsolatedQueenPawn, {-22}},
    // knight attacks on a centre square, on a square around it (not in the endgame)
    {kKnightCentreControl, {2, -3}},
    // a knight defended by a pawn
    {kKnightDefended, {6}},
    // per defending pawn of a knight on the fifth rank or beyond that no enemy pawn can chase
    {kKnightOutpost, {14}},
    // a knight at distance 1, 2, 3 from the enemy king (not in the endgame)
    {kKnightNearKing, {7, 11, 13}},
    // a knight on d3 or e3 in front of its pawn on the home square
    {kKnightBlocksCentrePawn, {-20}},
    // a knight on c3 in front of the c2 pawn: centre locked by d4 against d5, else
    {kKnightBlocksCPawn, {-15, -9}},
    // per square a knight attacks that no own man holds and no enemy pawn attacks
    {kKnightMobility, {0}},
    // two bishops or more
    {kBishopPair, {26}},
    // bishop attacks on a centre square, on a square around it (not in the endgame)
    {kBishopCentreControl, {6, 0}},
    // per square a bishop attacks that no own man holds
    {kBishopMobility, {2}},
    // a bishop on a diagonal of the enemy king
    {kBishopOnKingDiagonal, {12}},
    // per enemy pawn on the bishop's colour (endgame)
    {kBishopPawnTargets, {1}},
    // a bishop on d3 or e3 in front of its pawn on the home square
    {kBishopBlocksCentrePawn, {-13}},
    // a bishop on c1/d2 (f1/e2) shut in: by the own pawn on e3 (d3), by a man on d2 (e2)
    {kBishopHemmedIn, {-12, -7}},
    // a bishop on a7 (h7) behind a defended pawn on b6 (g6)
    {kBishopTrapped, {-94}},
    // endgame, per bishop more than the opponent: pawns on both wings, else
    {kBishopCount, {18, -6}},
    // rook attacks on a centre square, on a square around it (not in the endgame)
    {kRookCentreControl, {2, 3}},
    // a rook in the endgame
    {kRookEndgameActivity, {38}},
    // per square a rook attacks
    {kRookMobility, {2}},
    // a rook guarding another not yet counted: both on the seventh, else
    {kRookConnected, {10, 1}},
    // a rook on a file without own pawns: the enemy king on it, else
    {kRookNoOwnPawn, {34, 15}},
    // a rook on a file without own pawns and the enemy queen
    {kRookFacesQueen, {15}},
    // a rook on a file without pawns: another rook behind it on the file, else
    {kRookOpenFile, {15, 3}},
    // a rook on the seventh with the enemy king on the eighth
    {kRookOnSeventh, {24}},
    // a rook shut in a corner by its own king and pawns
    {kRookShutIn, {-59}},
    // an advanced rook that cannot get back to its first two ranks: opening tables, middlegame
    {kRookCutOff, {9, 12}},
    // a queen beyond the second rank cut off from the first: opening tables with the second rank in reach,
    // without; middlegame with, without
    {kQueenSortie, {-6, -17, 1, 0}},
    // opening tables, a queen beyond the second rank: in or around the centre, elsewhere
    {kQueenEarlyOut, {-8, -9}},
    // per square between a queen and an enemy king that can no longer castle
    {kQueenKingDistance, {-5}},
    // a queen on the seventh with the enemy king on the eighth
    {kQueenOnSeventh, {14}},
    // per square a queen attacks that no own man holds
    {kQueenMobility, {1}},
    // per enemy man in the nine squares of the shelter
    {kShelterEnemyMen, {-13}},
    // a shelter file without own pawns; without enemy pawns too; without enemy pawns only
    {kShelterOpenFile, {-15, -16, -8}},
    // shelter pawns on their home squares: all three, all but one, all but one with a pawn on h3 (king's
    // side), one
    {kShelterHomePawns, {46, 38, 45, 20}},
    // a hole on the shelter's third rank
    {kShelterHole, {-4}},
    // a bishop on b2 (g2) in front of the king
    {kShelterFianchetto, {18}},
    // a knight on c3 (f3) beside the king
    {kShelterKnight, {10}},
    // a king that can no longer castle: on the d- or e-file, on the c- or f-file
    {kKingInCentre, {-62, -25}},
    // a king that has not yet castled
    {kCastlingRightsKept, {-3}},
    // per attack on the enemy king's zone (its square and those around it), not in the endgame: by a
    // knight, bishop, rook, queen
    {kKingZoneAttacks, {2, 7, 6, 0}},
    // pieces attacking the enemy king's zone, not in the endgame: 1, 2, 3, 4 or more with the own queen on
    // the board, then the same without
    {kKingZoneAttackers, {-7, 0, 13, 56, -16, -21, 50, 6}},
    {kPawnThreats, {0, 0, 0, 0, 0, 0, 0, 0}},
    {kMinorThreats, {0, 0, 0, 0}},
    {kRookThreats, {0, 0}},
    {kHangingPieces, {0, 0, 0, 0}},
    // knight placement
    {kKnightSquares, {
        // opening
          -63,    -2,     8,    17,    17,   -38,    11,   -97,
            5,   -34,    61,    22,   -22,    55,    43,   -41,
           24,    71,    46,    55,    67,    48,    -9,     6,
           60,    22,    44,    43,    21,    35,    15,    44,
           14,     1,    47,    36,    51,    29,    13,     9,
            7,    28,    18,    25,    54,    12,    39,    -3,
           11,    16,     6,    19,    23,    25,   -11,    11,
           -5,    -7,   -13,     8,    -6,    -5,   -15,    47,
        // middlegame
            3,   -52,   -12,   -22,    71,   -30,   -14,   -78,
          -11,   -15,    78,    28,    34,    78,    37,   -42,
           28,    39,    70,    43,    69,    24,    35,    19,
           53,    27,    51,    64,    34,    52,    29,    23,
           10,    -4,    45,    35,    55,    39,    21,    13,
           -5,    22,    22,    33,    48,    16,    33,     9,
           14,    13,    12,    22,    25,    26,   -12,   -13,
            8,     4,    -9,    32,    11,    24,    -8,    43,
        // endgame
          -77,   -17,    -2,   -33,    -5,   -14,   -11,   -46,
          -16,    14,    21,    22,    22,    19,    29,   -28,
          -24,    24,    30,    36,    39,    31,    26,   -12,
            1,    18,    22,    37,    39,    42,    20,     6,
           -6,    14,    34,    37,    36,    31,     8,     3,
            8,    18,    21,    19,    34,    25,    24,    -7,
          -29,     9,     4,     8,    19,     2,   -16,    -9,
          -30,   -18,   -26,    18,    -2,     2,    -4,   -40,
    }},
    // bishop placement
    {kBishopSquares, {
        // opening
          -27,   -44,    -6,    33,   -38,     4,   -57,   -17,
          -35,    -8,    12,   -29,    59,   -23,     6,     6,
          -15,    14,   -10,    32,    26,    -3,    54,    20,
           23,     0,    -1,    19,    14,    43,    11,   -17,
            7,     5,     2,     5,    20,    12,     6,    14,
           25,    10,    14,     9,     6,    14,    27,    12,
           37,    21,   -11,     4,    16,    18,     4,    44,
           -3,    35,     3,    17,    14,   -12,    26,     6,
        // middlegame
          -26,   -41,     7,   -12,   -16,    -3,   -14,    60,
          -21,   -25,     9,    11,    11,    -7,   -37,   -19,
            9,    12,    33,    13,    23,    40,     1,     3,
           15,    19,    20,    28,    11,    44,    18,     8,
          -26,    41,    15,    18,    30,     8,    24,    -1,
           19,    20,     9,    14,    14,    15,    -9,    42,
           -6,    15,    -5,    11,    17,     3,     5,    22,
          -18,   -13,     3,    -6,    10,    23,   -43,    53,
        // endgame
            5,     9,    10,     9,    27,    16,    -8,    -6,
            1,     6,    23,    22,     9,    33,    24,    12,
           11,    17,    16,    12,    33,    24,    30,    -2,
           10,    16,    15,    23,    32,    20,    15,    11,
           10,    21,    17,    28,    25,    17,    25,     7,
            9,     8,    20,    11,    16,    18,     5,     0,
           -5,    10,    11,    15,    14,     4,    12,   -38,
           15,     0,    -4,    10,    -2,     0,     8,    12,
    }},
    // rook placement
    {kRookSquares, {
        // opening
           24,    36,    23,    54,    51,    49,    -9,     3,
            2,   -10,     4,    61,   -11,    45,    48,    -4,
           -6,    13,   -23,    -5,    -8,   -46,    27,   -32,
          -23,     0,   -13,     5,    -3,     2,    -7,    -4,
          -42,   -33,   -18,   -32,   -42,   -22,   -44,    10,
          -38,   -39,   -31,   -31,   -21,   -30,    -1,    11,
          -22,   -46,   -34,   -20,   -25,     6,    24,   -22,
          -21,    -9,   -18,    -3,     4,    -3,   -11,    -7,
        // middlegame
           17,    32,    13,    63,    30,    62,    50,   -45,
           37,    10,    15,    33,    12,    49,   -34,   -24,
           11,    -2,   -16,     9,    61,    16,    17,    11,
           -8,   -15,     8,    11,     8,     1,     8,    16,
           -4,   -30,    -8,   -18,    -3,     7,    -1,    -7,
          -39,    -6,   -26,   -17,   -12,    -9,    -9,   -19,
          -18,    -6,    -6,    -7,   -13,     9,     3,   -10,
           -3,    -2,    -6,     1,     5,     9,    10,    -6,
        // endgame
           15,    17,    13,     7,     8,    22,    30,    13,
           15,    17,    14,    15,     8,     8,    21,     9,
           21,    17,    12,     8,    13,    16,    24,    16,
           15,    19,    15,     1,     9,    16,    12,     5,
            7,     4,     0,    -3,    -8,    -6,     7,    -7,
           -3,    -5,    -1,    -2,    -6,   -14,     0,   -13,
          -15,   -10,    -8,    -8,     1,   -14,   -16,   -25,
           -5,    -4,    -5,    -4,    -4,   -12,   -20,   -21,
    }},
    // king placement
    {kKingSquares, {
        // opening
         -400,  -430,  -470,  -500,  -500,  -470,  -430,  -400,
         -400,  -430,  -470,  -500,  -500,  -470,  -430,  -400,
         -400,  -430,  -470,  -500,  -500,  -470,  -430,  -400,
         -407,  -411,  -430,  -470,  -470,  -430,  -407,  -400,
         -310,  -356,  -398,  -407,  -378,  -398,  -348,  -284,
          -99,  -129,  -106,  -149,   -93,   -93,  -128,  -149,
           31,   -55,   -43,   -19,   -29,   -31,   -28,   -14,
          -10,    10,    21,     0,   -19,   -33,    -5,    -4,
        // middlegame
         -201,  -215,  -234,  -250,  -250,  -235,  -215,  -200,
         -210,  -216,  -235,  -244,  -250,  -232,  -215,  -200,
         -200,  -219,  -221,  -235,  -241,  -235,  -199,  -159,
         -187,  -215,  -182,  -222,  -254,  -203,  -194,  -200,
         -175,  -162,  -207,  -200,  -177,  -206,  -136,  -110,
          -16,   -48,   -22,   -49,  -114,   -56,   -35,   -81,
           36,     9,   -10,    21,   -27,   -10,   -12,   -11,
            3,    24,    21,   -24,   -23,   -33,    -5,   -13,
        // endgame
          -61,    49,    43,    32,    47,    46,    22,   -15,
           -8,    46,    63,    33,    39,    73,    58,    35,
           20,    43,    40,    40,    60,    60,    64,    44,
           13,    31,    23,    28,    39,    32,    45,    17,
            8,    10,    14,    19,    24,    26,    21,    12,
          -17,    -2,    15,    13,    17,    11,     7,    -4,
          -23,    -1,     6,     2,     3,     6,    -4,    -3,
          -31,   -10,     0,   -19,   -12,   -12,    -6,   -24,
    }},
    // a pawn that is not passed
    {kPawnSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
            7,    11,   -14,    47,     5,    19,    -3,     4,
          -18,     3,   -21,     4,     6,   -12,   -10,   -24,
          -20,   -26,   -10,     3,     1,    -9,   -14,   -21,
          -22,   -19,   -24,    -4,    -1,   -21,    -7,   -30,
          -31,   -24,   -36,   -30,   -26,    -1,   -15,   -26,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           40,     9,   -19,    10,    16,    31,    11,    29,
           -6,   -10,    -7,     9,    13,   -13,    -4,   -15,
           -3,   -17,   -10,    -5,     9,    -5,   -15,   -11,
           -9,    -8,   -21,    -1,    -1,    -2,    15,    -7,
          -13,   -15,   -26,   -20,   -14,     3,     9,   -20,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           26,   -10,    12,    82,     8,    33,    30,    32,
           13,     4,     4,     4,    13,   -11,    17,     5,
            7,    -1,     1,   -15,     1,     4,     7,     3,
            7,     1,   -12,   -10,     6,     7,     1,     2,
            2,    11,    -3,    -2,    15,    13,    17,     1,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a passed pawn
    {kPassedSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
           37,   130,    51,   125,   109,    32,    55,   117,
           18,    77,    41,    34,    38,    71,   119,    97,
           -2,    21,     7,    25,    25,    36,    58,    34,
            2,    24,   -10,    20,    35,    -9,    38,   -26,
          -17,     3,   -71,   -32,    -4,    15,    48,     2,
          -37,    -4,   -11,   -55,    -7,   -13,    17,   -43,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
          147,   159,   143,   123,   175,    61,    80,    48,
          110,    90,    60,    64,    48,    61,    11,    31,
           50,    43,    18,    38,    42,    -5,   -13,    13,
           16,    31,    27,    21,    21,    -5,    14,     8,
            2,   -16,   -27,     9,    27,   -46,     6,     7,
          -31,    21,    17,   -49,     6,     6,    38,    19,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
          202,   195,   168,   167,   161,   149,   192,   157,
          138,   142,   123,    91,    79,   104,   106,   128,
           90,    76,    59,    44,    48,    50,    61,    66,
           44,    53,    36,    19,    29,    34,    42,    44,
           20,    31,    26,    13,     9,    26,    26,    22,
           10,    33,    27,   -15,    13,    27,    33,    17,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a passed pawn defended by a pawn
    {kPassedDefendedSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
           98,   148,   113,   148,   114,   118,   129,   120,
           42,   115,   113,    77,   142,    77,   120,   103,
            4,    23,    66,    38,    15,    59,    -7,    -1,
          -54,   -13,    38,    23,    22,   -31,   -42,    36,
            3,   -55,   -34,    59,   -14,   -16,    67,     4,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
          186,   132,   165,   147,   128,   136,   125,   147,
          155,    83,   101,    99,   143,    73,   115,   113,
           85,    -2,    62,    67,    84,    59,    -8,    39,
            3,     4,    39,    35,    39,   -25,    36,     3,
            7,    61,   -30,    -2,    38,    23,    27,    18,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
          244,   243,   172,   155,   202,   215,   231,   224,
          172,   158,   124,   118,   116,   102,   151,   171,
           92,   111,    66,    66,    82,    60,    71,    72,
           17,    44,    29,    53,    55,    59,    34,    51,
           24,    35,    27,    27,    28,     8,    50,    35,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a pawn that is not passed, defended by a pawn
    {kDefendedSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
          -20,    31,    34,    30,    53,   -24,    44,    21,
           35,    -3,    32,    27,    16,    21,   -10,    64,
           -4,     9,     3,     2,     5,     1,    19,     5,
            5,     4,     9,     7,     1,    15,    10,    26,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           28,    -6,    28,     1,    51,    31,    27,    24,
           28,    12,    14,    17,     8,    35,     0,    11,
            8,    12,    15,    10,     4,     2,    -1,     3,
            9,     7,     2,    31,     1,   -11,    -5,     7,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           47,    37,    53,    -8,    43,    64,    50,   -22,
           21,    33,    22,    -1,    14,    39,     1,    21,
            3,    19,    12,    22,     6,    11,     8,    12,
            6,    13,    25,    32,    11,     5,    17,     8,
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a pawn with an own pawn beside it toward the h-file
    {kDuoSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
            1,    31,    35,    56,    43,    25,    24,     M,
            4,    16,   -10,    31,    60,    84,    63,     M,
           -7,     6,     2,    14,    17,    13,    30,     M,
           -3,    -8,     0,    -2,    -4,    18,    15,     M,
            1,     6,     4,    17,     2,     2,     5,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           20,    23,    42,    52,    46,    25,    19,     M,
           70,    42,    37,    80,    93,    51,   -12,     M,
          -13,     8,    16,     6,    22,    23,     4,     M,
           -9,    -7,     7,    -6,     5,    -6,    -5,     M,
            1,    -3,    20,    45,    16,    -1,     0,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
           31,    40,    28,    23,    29,    34,    56,     M,
           62,    39,    73,    35,    47,    78,    41,     M,
           28,    -1,    40,    47,    26,    10,    10,     M,
           -8,    18,    -4,   -19,     4,    21,    15,     M,
           -7,    -4,    77,    54,     1,    -6,    11,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // a passer with a passer beside it toward the h-file, against enemy pieces
    {kPassedDuoSquares, {
        // opening
            M,     M,     M,     M,     M,     M,     M,     M,
           50,    50,    50,    50,    50,    50,    50,     M,
           41,    55,    71,    81,    90,    37,    42,     M,
           52,     1,    70,    76,    41,    32,    35,     M,
          -24,    23,    14,    20,    35,   -20,    -9,     M,
          -45,    29,    15,   -10,   -21,    51,   -45,     M,
            0,    -2,    -7,    13,   -59,    31,    18,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // middlegame
            M,     M,     M,     M,     M,     M,     M,     M,
           49,    51,    53,    46,    50,    50,    50,     M,
           64,    47,    68,    78,    55,    40,    40,     M,
           71,    81,    76,    63,    67,    34,    80,     M,
          -11,    36,    59,    -6,     2,    28,    44,     M,
           -5,     2,     1,    25,   -13,    24,   -43,     M,
           22,   -52,     9,     6,   -34,   -45,   -36,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
        // endgame
            M,     M,     M,     M,     M,     M,     M,     M,
           85,    67,    88,    48,    49,    75,    90,     M,
           92,     6,    71,    60,    94,   -12,   103,     M,
           39,    24,    81,    74,    66,    52,    92,     M,
            4,    44,    41,    86,    29,     1,    23,     M,
          -35,    63,   -23,    69,     2,   -34,   -38,     M,
          -36,   -26,    10,   -35,    -2,    23,    14,     M,
            M,     M,     M,     M,     M,     M,     M,     M,
    }},
    // Black's own middlegame king values on d8, e8, f8 (not White's mirrored)
    {kBlackMiddlegameKing, {-20, -23, -38}},
    // Black's own endgame duo values on a7-g7, a6-g6 (not White's mirrored)
    {kBlackEndgameDuo, {-2, 13}},
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
