// Ravok's PGN read by chess.js, the match harness's referee: every game the
// sample program writes must load in chess.js's strict mode with the same
// moves in SAN, the same final position and the same result, and the games
// together must hold what the sample program promises.
// Usage: node pgn_chessjs_test.mjs PGN_SAMPLES CHESS_JS_DIR (exit 77: skipped)
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [program, chessDir] = process.argv.slice(2);
const entry = path.join(chessDir ?? '', 'dist', 'esm', 'chess.js');
if (!fs.existsSync(entry)) {
  console.log(`skipped: no chess.js at ${entry}`);
  process.exit(77);
}
const { Chess } = await import(pathToFileURL(entry).href);

const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'ravok-chessjs-'));
const failures = [];
const seen = { enPassant: false, kingSide: false, queenSide: false, promotionCheck: false, setUp: false, mate: false };
try {
  execFileSync(program, [folder], { stdio: 'inherit' });
  const games = fs.readdirSync(folder).filter((f) => f.endsWith('.pgn')).sort();
  if (games.length === 0) failures.push('the sample program wrote no game');
  for (const file of games) {
    const pgn = fs.readFileSync(path.join(folder, file), 'utf8');
    const ravokFen = fs.readFileSync(path.join(folder, file.replace(/\.pgn$/, '.fen')), 'utf8').trim();
    const movetext = pgn.slice(pgn.indexOf('\n\n') + 2).trim().split(/\s+/);
    const result = movetext.pop();
    const ravokMoves = movetext.filter((token) => !/^\d+\.(\.\.)?$/.test(token));

    const chess = new Chess();
    try {
      chess.loadPgn(pgn, { strict: true });
    } catch (error) {
      failures.push(`${file}: chess.js refuses it: ${error.message}`);
      continue;
    }
    const moves = chess.history({ verbose: true });
    const sans = moves.map((m) => m.san);
    if (JSON.stringify(sans) !== JSON.stringify(ravokMoves))
      failures.push(`${file}: chess.js reads ${sans.join(' ')}\n  Ravok wrote ${ravokMoves.join(' ')}`);
    if (chess.fen() !== ravokFen) failures.push(`${file}: chess.js ends at ${chess.fen()}, Ravok at ${ravokFen}`);
    if (chess.getHeaders().Result !== result)
      failures.push(`${file}: Result tag ${chess.getHeaders().Result}, movetext ends ${result}`);

    seen.enPassant ||= moves.some((m) => m.isEnPassant());
    seen.kingSide ||= moves.some((m) => m.isKingsideCastle());
    seen.queenSide ||= moves.some((m) => m.isQueensideCastle());
    seen.promotionCheck ||= moves.some((m) => m.isPromotion() && m.san.endsWith('+'));
    seen.setUp ||= chess.getHeaders().SetUp === '1' && moves.length > 0 && moves[0].color === 'b';
    seen.mate ||= chess.isCheckmate() && result !== '*';
  }
} finally {
  fs.rmSync(folder, { recursive: true, force: true });
}
for (const [feature, found] of Object.entries(seen)) if (!found) failures.push(`no game has ${feature}`);
if (failures.length > 0) {
  console.log(failures.join('\n'));
  process.exit(1);
}
console.log('chess.js reads every Ravok PGN sample as Ravok wrote it');
