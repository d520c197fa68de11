// The root analysis objects: one CPiece object per occupied square of the
// root, built before every search. Each object studies its own piece in the
// root position (pawn structure features, pins of minor pieces, bishop
// placement, knight outposts). The per-node evaluation does not read them.
#pragma once

#include <cstdint>

#include "position/tree_position.h"

namespace eval_pieces {

class CPiece {
 public:
  CPiece(Square at, int pieceCode) : square(at), code(pieceCode) {}
  virtual ~CPiece() = default;
  // Fills the object's features from the root position `p`.
  virtual void Analyse(const TreePosition& p) = 0;

  int32_t square;
  int32_t code;  // signed piece code
};

class CPawn : public CPiece {
 public:
  using CPiece::CPiece;
  void Analyse(const TreePosition& p) override;

  virtual bool IsPassed(const TreePosition& p) = 0;
  virtual bool IsDefended(const TreePosition& p) = 0;
  virtual bool IsBackward(const TreePosition& p) = 0;
  // The first enemy pawn ahead on the file: its square and the number of
  // squares between the two pawns; false and -1, -1 when there is none.
  virtual bool FindOpposingPawn(const TreePosition& p, int32_t& distance, int32_t& opposingSquare) = 0;
  virtual bool IsIsolated(const TreePosition& p) = 0;
  virtual bool IsDetached(const TreePosition& p) = 0;
  virtual bool IsDoubled(const TreePosition& p) = 0;

  uint8_t passed = 0, defended = 0, backward = 0, opposed = 0;
  int32_t opposingDistance = -1, opposingSquare = -1;
  uint8_t isolated = 0, detached = 0, doubled = 0;
};

// The pawn tests written once for both colours; "ahead" is toward rank 8
// for White and toward rank 1 for Black.
template <int S>
class CSidePawn : public CPawn {
 public:
  using CPawn::CPawn;
  bool IsPassed(const TreePosition& p) override;
  bool IsDefended(const TreePosition& p) override;
  bool IsBackward(const TreePosition& p) override;
  bool FindOpposingPawn(const TreePosition& p, int32_t& distance, int32_t& opposing) override;
  bool IsIsolated(const TreePosition& p) override;
  bool IsDetached(const TreePosition& p) override;
  bool IsDoubled(const TreePosition& p) override;
};

class CWhitePawn final : public CSidePawn<kWhite> {
 public:
  using CSidePawn::CSidePawn;
};
class CBlackPawn final : public CSidePawn<kBlack> {
 public:
  using CSidePawn::CSidePawn;
};

class CMinorPiece : public CPiece {
 public:
  using CPiece::CPiece;
  // Looks for a pin against the own king, then queens, then rooks.
  void FindPin(const TreePosition& p);

  uint8_t pinned = 0;
  int32_t pinnerSquare = -1;
  int32_t shieldedSquare = -1;
};

class CKnight final : public CMinorPiece {
 public:
  using CMinorPiece::CMinorPiece;
  void Analyse(const TreePosition& p) override;

  uint8_t knightFlag = 1;
  int32_t firstTarget = -1;  // lowest square the knight attacks
  int32_t pawnThreat = 0;    // 2 when an enemy pawn can attack the square
};

class CBishop final : public CMinorPiece {
 public:
  using CMinorPiece::CMinorPiece;
  void Analyse(const TreePosition& p) override;

  uint8_t cornerFlag = 0;  // in a corner or fianchetto square with material on
};

class CMajorPiece : public CPiece {
 public:
  using CPiece::CPiece;
};

class CRook final : public CMajorPiece {
 public:
  using CMajorPiece::CMajorPiece;
  void Analyse(const TreePosition&) override {}
};

class CQueen final : public CMajorPiece {
 public:
  using CMajorPiece::CMajorPiece;
  void Analyse(const TreePosition&) override {}
};

class CKing final : public CPiece {
 public:
  using CPiece::CPiece;
  void Analyse(const TreePosition&) override {}
};

}  // namespace eval_pieces
