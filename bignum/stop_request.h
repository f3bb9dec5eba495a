// Stopping an evaluation from outside: the window's stop button runs on
// another thread than the arithmetic, so the request is an atomic flag that
// the long loops poll. A stop unwinds like any failure (errorFlag, empty
// records) but reports nothing: whoever asked for it says so.
#pragma once

// Asks the running evaluation to stop; safe from any thread.
void requestStop();
// Withdraws a request (before a new run, after a stopped one).
void clearStopRequest();
// True while a stop is requested and not yet cleared.
bool stopRequested();

// For the arithmetic: when a stop is requested, sets errorFlag to -1 and
// returns true, so the caller returns the empty record and every routine
// above it short-circuits.
bool stopHere();
