#include "base/tables.h"

#include <cstdlib>

Bitboard SquareMask[64];
int32_t Rotate45[64];
int32_t Rotate90[64];
int32_t Rotate315[64];
int32_t Shift45[64];
int32_t Mask45[64];
int32_t Shift315[64];
int32_t Mask315[64];
OccupancyBits SquareOccupancyBits[64];
Bitboard RankAttacks[64][64];
Bitboard FileAttacks[64][64];
Bitboard DiagA1H8Attacks[64][64];
Bitboard DiagH1A8Attacks[64][64];
Bitboard KnightAttacks[64];
Bitboard KingAttacks[64];
Bitboard WhitePawnAttacks[64];
Bitboard BlackPawnAttacks[64];
int32_t Direction[64][64];
Bitboard Between[64][64];
Bitboard Rays[9][64];
int32_t KingDistance[64][64];
int32_t ManhattanDistance[64][64];
Bitboard DiagonalA1H8Through[64];
Bitboard DiagonalH1A8Through[64];
Bitboard EnPassantSources[64];
uint64_t PieceKeysByCode[13][64];
uint32_t WhitePawnKeys[64];
uint32_t BlackPawnKeys[64];

// Fixed keys for Black to move and the four castling rights.
const uint64_t SideKey = 0xB5A3C9E1D2F40719ULL;
const uint64_t CastlingKeys[2][2] = {
    {0x6C8E9CF570932BD5ULL, 0x3A1F5E27B94D08C3ULL},
    {0xD94E7B2A05C1F386ULL, 0x8F2B6D41E7A3C95EULL},
};

namespace {

bool OnBoard(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

// Length of the diagonal of constant file - rank = d, and of file + rank = t.
int DiagonalLength(int d) { return 8 - (d < 0 ? -d : d); }

// Mask of the inner squares of a line of `length` squares, at bit 0.
int32_t InnerMask(int length) { return length > 2 ? (1 << (length - 2)) - 1 : 0; }

// The generator of the GNU C library's rand(), written out so that the keys
// are the same on every system (other C libraries have other generators,
// Windows' one of 15 bits): an additive lagged-Fibonacci generator, draw i
// the sum of draws i - 3 and i - 31 modulo 2^32 without its lowest bit, its
// first 31 words spread from the seed by the Park-Miller generator and its
// first 310 draws thrown away.
class CLibraryGenerator {
 public:
  explicit CLibraryGenerator(uint32_t seed) {
    int32_t word = seed == 0 ? 1 : int32_t(seed);
    ring_[0] = uint32_t(word);
    for (int i = 1; i < kLag; ++i) {
      // 16807 * word modulo 2^31 - 1, without overflow (Schrage's method).
      const int32_t high = word / 127773, low = word % 127773;
      word = 16807 * low - 2836 * high;
      if (word < 0) word += 2147483647;
      ring_[i] = uint32_t(word);
    }
    for (int i = 0; i < 10 * kLag; ++i) Next();
  }

  uint32_t Next() {
    uint32_t& word = ring_[next_ % kLag];
    word += ring_[(next_ - 3) % kLag];
    ++next_;
    return word >> 1;
  }

 private:
  static constexpr int kLag = 31;
  uint32_t ring_[kLag];
  // Words 31 to 33 are words 0 to 2 again; the sums start with word 34.
  uint64_t next_ = kLag + 3;
};

// The keys are drawn square by square, code -6 to 6 within a square, from
// the C library's generator seeded with 0, 16 bits at a time; a key equal to
// one drawn before is drawn again.
void InitHashKeys() {
  constexpr int kKeys = 64 * 13;
  uint64_t drawn[kKeys];
  CLibraryGenerator generator(0);
  for (int i = 0; i < kKeys; ++i) {
    for (;;) {
      uint64_t r1 = generator.Next() & 0xFFFF;
      uint64_t r2 = generator.Next() & 0xFFFF;
      uint64_t r3 = generator.Next() & 0xFFFF;
      uint64_t r4 = generator.Next() & 0xFFFF;
      uint64_t key = r4 << 48 | r3 << 32 | r2 << 16 | r1;
      bool unique = true;
      for (int j = 0; j < i && unique; ++j) unique = drawn[j] != key;
      if (unique) {
        drawn[i] = key;
        break;
      }
    }
  }
  for (int s = 0; s < 64; ++s)
    for (int code = -6; code <= 6; ++code) PieceKeysByCode[code + 6][s] = drawn[s * 13 + code + 6];
  // The pawn keys read the drawn keys as 32-bit words in memory order.
  auto word = [&drawn](int w) -> uint32_t {
    uint64_t key = drawn[w / 2];
    return (w & 1) ? uint32_t(key >> 32) : uint32_t(key);
  };
  for (int s = 0; s < 64; ++s) {
    WhitePawnKeys[s] = word(s);
    BlackPawnKeys[s] = word(64 + s);
  }
}

void InitRotations() {
  for (int s = 0; s < 64; ++s) {
    SquareMask[s] = Bitboard(1) << s;
    int f = FileOf(s), r = RankOf(s);
    Rotate90[s] = (7 - f) * 8 + r;

    // The 45-degree set: diagonals of constant file - rank, from d = 7 (h1) down to d = -7 (a8).
    int d = f - r, start45 = 0;
    for (int e = 7; e > d; --e) start45 += DiagonalLength(e);
    Rotate45[s] = start45 + (f < r ? f : r);
    Shift45[s] = start45 + 1 < 64 ? start45 + 1 : 63;  // a one-square diagonal has no inner square
    Mask45[s] = InnerMask(DiagonalLength(d));

    // The 315-degree set: diagonals of constant file + rank, from t = 0 (a1) up to t = 14 (h8).
    int t = f + r, start315 = 0;
    for (int u = 0; u < t; ++u) start315 += DiagonalLength(u - 7);
    Rotate315[s] = start315 + f - (t - 7 > 0 ? t - 7 : 0);
    Shift315[s] = start315 + 1 < 64 ? start315 + 1 : 63;
    Mask315[s] = InnerMask(DiagonalLength(t - 7));
  }
  for (int s = 0; s < 64; ++s)
    SquareOccupancyBits[s] = {SquareMask[s], SquareMask[Rotate45[s]], SquareMask[Rotate90[s]], SquareMask[Rotate315[s]]};
}

void InitEnPassantSources() {
  for (int s = 0; s < 64; ++s) {
    EnPassantSources[s] = 0;
    int f = FileOf(s), r = RankOf(s);
    int sourceRank = r == 2 ? 3 : r == 5 ? 4 : -1;
    if (sourceRank < 0) continue;
    if (f > 0) EnPassantSources[s] |= SquareMask[MakeSquare(f - 1, sourceRank)];
    if (f < 7) EnPassantSources[s] |= SquareMask[MakeSquare(f + 1, sourceRank)];
  }
}

void InitPawnAttacks() {
  for (int s = 0; s < 64; ++s) {
    int f = FileOf(s), r = RankOf(s);
    WhitePawnAttacks[s] = BlackPawnAttacks[s] = 0;
    if (r < 7) {
      if (f > 0) WhitePawnAttacks[s] |= SquareMask[s + 7];
      if (f < 7) WhitePawnAttacks[s] |= SquareMask[s + 9];
    }
    if (r > 0) {
      if (f > 0) BlackPawnAttacks[s] |= SquareMask[s - 9];
      if (f < 7) BlackPawnAttacks[s] |= SquareMask[s - 7];
    }
  }
}

// Attacks from position p on a line of `length` squares with the given
// occupancy pattern: every square up to and including the first blocker.
unsigned LineAttackPattern(int p, int length, unsigned pattern) {
  unsigned result = 0;
  for (int q = p - 1; q >= 0; --q) {
    result |= 1u << q;
    if (pattern & (1u << q)) break;
  }
  for (int q = p + 1; q < length; ++q) {
    result |= 1u << q;
    if (pattern & (1u << q)) break;
  }
  return result;
}

void InitLineAndLeaperTables() {
  static const int knightSteps[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
  static const int kingSteps[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
  for (int s = 0; s < 64; ++s) {
    int f = FileOf(s), r = RankOf(s);
    // The squares of the diagonals through s, in rotated order.
    int d = f - r, t = f + r;
    Square diag45[8], diag315[8];
    int len45 = DiagonalLength(d), len315 = DiagonalLength(t - 7);
    Square start45 = d >= 0 ? MakeSquare(d, 0) : MakeSquare(0, -d);
    for (int k = 0; k < len45; ++k) diag45[k] = start45 + 9 * k;
    Square start315 = t <= 7 ? MakeSquare(0, t) : MakeSquare(t - 7, 7);
    for (int k = 0; k < len315; ++k) diag315[k] = start315 - 7 * k;
    int pos45 = f < r ? f : r;
    int pos315 = f - (t - 7 > 0 ? t - 7 : 0);

    // `inner` is the occupancy of the inner squares; the end squares stay empty.
    for (unsigned inner = 0; inner < 64; ++inner) {
      const unsigned pattern = inner << 1;
      Bitboard rank = 0, file = 0, a1h8 = 0, h1a8 = 0;
      unsigned bits = LineAttackPattern(f, 8, pattern);
      for (int k = 0; k < 8; ++k)
        if (bits & (1u << k)) rank |= SquareMask[MakeSquare(k, r)];
      bits = LineAttackPattern(r, 8, pattern);
      for (int k = 0; k < 8; ++k)
        if (bits & (1u << k)) file |= SquareMask[MakeSquare(f, k)];
      bits = LineAttackPattern(pos45, len45, pattern & ((1u << len45) - 1));
      for (int k = 0; k < len45; ++k)
        if (bits & (1u << k)) a1h8 |= SquareMask[diag45[k]];
      bits = LineAttackPattern(pos315, len315, pattern & ((1u << len315) - 1));
      for (int k = 0; k < len315; ++k)
        if (bits & (1u << k)) h1a8 |= SquareMask[diag315[k]];
      RankAttacks[s][inner] = rank;
      FileAttacks[s][inner] = file;
      DiagA1H8Attacks[s][inner] = a1h8;
      DiagH1A8Attacks[s][inner] = h1a8;
    }

    KnightAttacks[s] = KingAttacks[s] = 0;
    for (auto& step : knightSteps)
      if (OnBoard(f + step[0], r + step[1])) KnightAttacks[s] |= SquareMask[MakeSquare(f + step[0], r + step[1])];
    for (auto& step : kingSteps)
      if (OnBoard(f + step[0], r + step[1])) KingAttacks[s] |= SquareMask[MakeSquare(f + step[0], r + step[1])];
  }
}

// File and rank steps of the eight direction codes.
const int kDirectionStep[9][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, 1}, {0, -1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}};

int DirectionBetween(Square s, Square t) {
  if (s == t) return kNoDirection;
  int df = FileOf(t) - FileOf(s), dr = RankOf(t) - RankOf(s);
  if (dr == 0) return df < 0 ? kWest : kEast;
  if (df == 0) return dr > 0 ? kNorth : kSouth;
  if (df == dr) return df > 0 ? kNorthEast : kSouthWest;
  if (df == -dr) return df < 0 ? kNorthWest : kSouthEast;
  return kNoDirection;
}

void InitDirectionAndBetween() {
  for (Square s = 0; s < 64; ++s) {
    for (Square t = 0; t < 64; ++t) {
      int dir = DirectionBetween(s, t);
      Direction[s][t] = dir;
      Between[s][t] = 0;
      if (dir == kNoDirection) continue;
      int f = FileOf(s) + kDirectionStep[dir][0], r = RankOf(s) + kDirectionStep[dir][1];
      while (MakeSquare(f, r) != t) {
        Between[s][t] |= SquareMask[MakeSquare(f, r)];
        f += kDirectionStep[dir][0];
        r += kDirectionStep[dir][1];
      }
    }
  }
}

void InitDistances() {
  for (Square s = 0; s < 64; ++s)
    for (Square t = 0; t < 64; ++t) {
      int df = std::abs(FileOf(s) - FileOf(t)), dr = std::abs(RankOf(s) - RankOf(t));
      KingDistance[s][t] = df > dr ? df : dr;
      ManhattanDistance[s][t] = df + dr;
    }
}

void InitRaysAndDiagonals() {
  for (Square s = 0; s < 64; ++s) {
    Rays[0][s] = 0;
    for (int dir = 1; dir <= 8; ++dir) {
      Rays[dir][s] = 0;
      int f = FileOf(s) + kDirectionStep[dir][0], r = RankOf(s) + kDirectionStep[dir][1];
      while (OnBoard(f, r)) {
        Rays[dir][s] |= SquareMask[MakeSquare(f, r)];
        f += kDirectionStep[dir][0];
        r += kDirectionStep[dir][1];
      }
    }
    DiagonalA1H8Through[s] = Rays[kNorthEast][s] | Rays[kSouthWest][s] | SquareMask[s];
    DiagonalH1A8Through[s] = Rays[kNorthWest][s] | Rays[kSouthEast][s] | SquareMask[s];
  }
}

}  // namespace

void InitStaticTables() {
  InitHashKeys();
  InitRotations();
  InitEnPassantSources();
  InitPawnAttacks();
  InitLineAndLeaperTables();
  InitDirectionAndBetween();
  InitDistances();
  InitRaysAndDiagonals();
}
