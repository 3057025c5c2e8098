#pragma once

// The rules of a game that are rules, not control work. They know no widgets.

// A door drawn as Int(r x N): r in [0, 1) and N in single precision, rounded down.
// Every door 0..N-1 is equally likely.
int drawDoor(float r, int doorCount);
