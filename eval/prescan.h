// Preparation of the evaluation before every search.
#pragma once

// Decides the root's phase and fills the value tables the evaluation reads
// during the search. Works on the current ply (the root).
void PrescanRoot();
