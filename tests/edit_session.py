"""The edit dialogue driven through the command loop, in both modes."""

import sys

from session_driver import INITIAL_PLACEMENT, board_text, edit_position, run_tests


def test_console_edit_end_to_end(start):
    s = start()
    s.expect("white 1> ")
    s.send("edit")
    s.expect(board_text(INITIAL_PLACEMENT) + "edit(white): ")
    s.send("#")
    s.expect(board_text("8/8/8/8/8/8/8/8") + "edit(white): ")
    s.send("Ke1")
    s.expect(board_text("8/8/8/8/8/8/8/4K3") + "edit(white): ")
    s.send("Ze4")
    s.expect("Error (invalid command): Ze4\nedit(white): ")
    s.send("verify")
    s.expect("current position is not correct.\nedit(white): ")
    s.send("c")
    s.expect("edit(black): ")
    s.send("ke8")
    s.expect(board_text("4k3/8/8/8/8/8/8/4K3") + "edit(black): ")
    s.send("Rh8")
    s.expect(board_text("4k2r/8/8/8/8/8/8/4K3") + "edit(black): ")
    s.send(".")
    # The game restarts from the edited position; the board is shown and
    # the engine keeps playing Black.
    s.expect(board_text("4k2r/8/8/8/8/8/8/4K3") + "white 1> ")
    s.send("display")
    s.expect(board_text("4k2r/8/8/8/8/8/8/4K3") + "white 1> ")
    s.send("tb")
    s.expect("Cannot take back last move, since the startposition is already reached.\nwhite 1> ")


def test_failed_edit_leaves_the_game(start):
    s = start()
    s.expect("white 1> ")
    s.send("force")
    s.expect("white 1> ")
    s.send("e2e4")
    s.expect("black 1> ")
    s.send("edit")
    s.send("#")
    s.send(".")
    text = ""
    while "Error" not in text:
        text += s.read_line() + "\n"
    if not text.endswith("edit(white): Error (position not legal): edit\n"):
        raise AssertionError("unexpected end of the dialogue: %r" % text[-200:])
    s.expect("black 1> ")
    s.send("tb")   # the move is still there
    s.expect("white 1> ")


def test_xboard_edit_is_silent(start):
    s = start("xboard")
    s.send("force")
    edit_position(s, ["Ke1", "Qd1"], console=False, black_pieces=["Ke8"])
    s.send("display")
    s.expect(board_text("4k3/8/8/8/8/8/8/3QK3"))
    s.send("edit")
    s.send("#")
    s.send("end")
    s.expect("Error (position not legal): edit\n")
    s.send("display")
    s.expect(board_text("4k3/8/8/8/8/8/8/3QK3"))


def test_edited_game_over_positions(start):
    s = start("xboard")
    s.send("force")
    # King and knight against a bare king: no mating material.
    edit_position(s, ["Ke1", "Nb1"], console=False, black_pieces=["Ke8"])
    s.send("go")
    s.expect("1/2-1/2 {insufficient material}\n")
    # Black to move and stalemated: the side to move stays Black.
    s.send("new")
    s.send("force")
    s.send("e2e4")
    edit_position(s, ["Kf7", "Qg6"], console=False, black_pieces=["Kh8"])
    s.send("go")
    s.expect("1/2-1/2 {stalemate}\n")
    s.send("h8g8")
    s.expect("Illegal move: h8g8\n")


if __name__ == "__main__":
    sys.exit(run_tests(globals()))
