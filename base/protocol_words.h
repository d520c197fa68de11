// The protocol vocabulary: the command words that the dialogues queue or
// answer with, and most fixed replies, spelled exactly as the protocol and
// the users know them. The command tables name their own words.
#pragma once

#include <string>

enum ProtocolWord : int {
  kWordCommandNotLegalNow = 0,
  kWordCannotTakeBack = 1,
  kWordKingWouldBeInCheck = 2,
  kWordNotYourTurn = 3,
  kWordPositionNotLegal = 4,
  kWordAnalyze = 5,
  kWordDepth = 6,
  kWordEdit = 7,
  kWordForce = 8,
  kWordMoveNow = 9,
  kWordGo = 10,
  kWordHard = 11,
  kWordPondering = 12,
  kWordVartime = 13,
  kWordAcceptsRemisOffer = 14,
  kWordAnalyzeComplete = 15,
  kWordDeclinesRemisOffer = 16,
  kWordExpectedMove = 17,
  kWordGameOver = 18,
  kWordHasLostOnTime = 19,
  kWordHasOfferedADraw = 20,
  kWordHasResigned = 21,
  kWordOfferDraw = 22,
  kWordPlayed = 23,
  kWordPonderingComplete = 24,
  kWordPredictedMoveMade = 25,
  kWordRestartingAnalyze = 26,
  kWordSearchAborted = 27,
  kWordTimeUsed = 28,
  kWordTotal = 29,
  kWordMoveWord = 30,
  kWordPost = 31,
  kWordResign = 32,
  kWordError = 33,
  kWordIllegalMove = 34,
  kWordSt = 35,
  kWordCorrect = 36,
  kWordEngineName = 37,
  kWordNot = 38,
  kWordOk = 39,
  kWordGuest = 40,
  kWordTrue = 41,
  kWordFalse = 42,
  kWordOn = 43,
  kWordOff = 44,
  kWordEnabled = 45,
  kWordDisabled = 46,
  kWordWhite = 47,
  kWordBlack = 48,
  kWordCurrentPositionIs = 49,
  kWordDrawByAgreement = 50,
  kWordDrawByRepetition = 51,
  kWordInsufficientMaterial = 52,
  kWordInvalidMove = 53,
  kWordInvalidCommand = 54,
  kWordDrawByFiftyMoveRule = 55,
  kWordMates = 56,
  kWordResigned = 57,
  kWordStalemate = 58,
  kWordUnfinished = 59,
  kWordUnknownReason = 60,
  kProtocolWordCount = 61,
};

extern const char* const ProtocolWords[kProtocolWordCount];

inline const char* Word(ProtocolWord w) { return ProtocolWords[w]; }
inline bool IsWord(const std::string& text, ProtocolWord w) { return text == ProtocolWords[w]; }

