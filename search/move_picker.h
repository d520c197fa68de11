// The order in which an interior node that is not in check tries its moves
// after the hash move: one stage at a time, each generated only when the
// stages before it have not produced a cut-off.
//   - captures and queen promotions that do not lose material, by key:
//     the captured piece's value minus the mover's plus 50, or the static
//     exchange when that difference is -50 or less (a queen promotion
//     without capture: 100);
//   - the two killers, when playable here and not already among the
//     captures;
//   - the captures that lose material and the quiet moves together, by
//     history, then by the move word (specials, captures, bigger pieces
//     first).
// The hash move and the killers tried are never given twice. The keys are
// the picker's parameter: the classic history count for the quiet moves, or
// the selective search's histories, which also move a capture within its
// stage.
#pragma once

#include <algorithm>
#include <cstdint>

#include "position/movegen.h"
#include "search/move_ordering.h"
#include "search/search_state.h"

// The classic keys: a quiet move's is the side's history count in a few
// steps (none, a little, then by 64s); a capture keeps its material key.
class ClassicKeys {
 public:
  ClassicKeys(const uint16_t* history) : history_(history) {}  // NOLINT: a history is its keys
  int Quiet(Move move) const {
    const uint16_t h = history_[HistoryIndex(move)];
    return h == 0 ? 0 : h < 64 ? 1 : h / 64;
  }
  int Capture(Move, int materialKey) const { return materialKey; }

 private:
  const uint16_t* history_;
};

template <int S, class Keys = ClassicKeys>
class MovePicker {
 public:
  // `list` is the node's region of the move stack (after its status word) in
  // the position `pos`;
  // the killers and the keys are the node's ply's and side's, read as the
  // stages come; a key lies in 0 to 2047.
  MovePicker(const TreePosition& pos, Move* list, Move hashMove, const Move* killers, Keys keys)
      : pos_(pos), list_(list), hashMove_(hashMove), killers_{killers[0], killers[1]}, keys_(keys) {}

  // The next move to try, 0 when none is left.
  Move Next() {
    switch (stage_) {
      case kCaptures:
        GenerateGoodCaptures();
        stage_ = kGoodCaptures;
        [[fallthrough]];
      case kGoodCaptures:
        if (cursor_ != goodEnd_) return MoveLow21(*cursor_++);
        stage_ = kFirstKiller;
        [[fallthrough]];
      case kFirstKiller:
        stage_ = kSecondKiller;
        if (KillerPlayable(0)) return killers_[0];
        [[fallthrough]];
      case kSecondKiller:
        stage_ = kQuiets;
        if (killers_[1] != killers_[0] && KillerPlayable(1)) return killers_[1];
        [[fallthrough]];
      case kQuiets:
        GenerateRest();
        stage_ = kRest;
        [[fallthrough]];
      case kRest:
        if (cursor_ != restEnd_) return MoveLow21(*cursor_++);
        stage_ = kDone;
        [[fallthrough]];
      case kDone:
        return 0;
    }
    return 0;
  }

  // Where the region of the move stack for the child of the move just
  // given begins: after every move this node has listed so far.
  Move* ChildStack() const { return restEnd_; }

 private:
  enum Stage { kCaptures, kGoodCaptures, kFirstKiller, kSecondKiller, kQuiets, kRest, kDone };

  // Stage 1: the captures are keyed in place; those that lose material are
  // set aside behind them, for stage 4.
  void GenerateGoodCaptures() {
    Move losing[kMaxMovesPerPosition];
    int losingCount = 0;
    Move* const captureEnd = GenerateCaptures<S>(pos_, list_);
    goodEnd_ = list_;
    for (Move* m = list_; m != captureEnd; ++m) {
      const Move move = *m;
      if (move == hashMove_) continue;
      if (move == killers_[0]) killerListed_[0] = true;
      if (move == killers_[1]) killerListed_[1] = true;
      const int difference = kPieceValue[MoveCaptured(move)] - kPieceValue[MovePiece(move)];
      int key = difference + 50;
      if (difference <= -50) {
        if (MoveCaptured(move) == 0) {
          key = kQueenPromotionKey;
        } else {
          key = ExchangeForMover<S>(pos_, move);
          if (key < 0) {
            losing[losingCount++] = move;
            continue;
          }
        }
      }
      *goodEnd_++ = PackKey(keys_.Capture(move, key), move);
    }
    SortDescending(list_, goodEnd_);
    restBegin_ = goodEnd_;
    restEnd_ = std::copy(losing, losing + losingCount, restBegin_);
    cursor_ = list_;
  }

  // Stages 2-3: a killer is tried when it is no capture already listed and
  // can be played here.
  bool KillerPlayable(int k) {
    const Move killer = killers_[k];
    if (killer == 0 || killer == hashMove_ || killerListed_[k] || !IsPlayable<S>(pos_, killer)) return false;
    killerTried_[k] = true;
    return true;
  }

  // Stages 4-5: the quiet moves join the losing captures, all keyed by the
  // quiet key as it stands now.
  void GenerateRest() {
    Move* end = GenerateQuiets<S>(pos_, restEnd_);
    Move* keep = restBegin_;
    for (Move* m = restBegin_; m != end; ++m) {
      const Move move = *m;
      if (move == hashMove_ || (killerTried_[0] && move == killers_[0]) || (killerTried_[1] && move == killers_[1]))
        continue;
      *keep++ = PackKey(keys_.Quiet(move), move);
    }
    restEnd_ = keep;
    SortDescending(restBegin_, restEnd_);
    cursor_ = restBegin_;
  }

  static constexpr int kQueenPromotionKey = 100;

  const TreePosition& pos_;
  Move* const list_;
  const Move hashMove_;
  const Move killers_[2];
  const Keys keys_;
  Stage stage_ = kCaptures;
  Move* cursor_ = nullptr;
  Move* goodEnd_ = nullptr;
  Move* restBegin_ = nullptr;
  Move* restEnd_ = nullptr;
  bool killerListed_[2] = {false, false};
  bool killerTried_[2] = {false, false};
};
