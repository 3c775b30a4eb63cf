#pragma once
// The engine entry and its run sequence.

#include "zrv/izorvin.h"

namespace zrv {

struct RunState;

// Runs one whole engine call in the current folder: reads names.dat there,
// the deck it names, writes the report and the plot data, keeps TAPE7 and
// TAPE8. Every call works on a fresh RunState. Exceptions raised inside the
// run are reported in the report when it is open and end the run with 3
// (4 for file-system errors); none leaves this function except a failure to
// allocate the state itself.
int run_engine(int value);

// Opens the scratch files and names.dat, reads the names and opens the deck,
// report, plot-data and mass files. Returns 0, or 4 after writing which file
// could not be used (to the report when it is open, else to standard error).
int OPNFIL(RunState& s);

// Closes units 7, 8, 2, 4, 16, 6, 9 in this order, keeping every file.
// Returns false when an output file could not be written in full.
bool CLSFIL(RunState& s);

// Sets the run defaults: unit roles, flags, the default title.
void INIDEF(RunState& s, int& status);

// Completeness check after RUN; sets the fatal-input flag with its message.
void CHKDAT(RunState& s);

// The report frames that end a run.
void write_fatal_frame(RunState& s);
void write_stop_frame(RunState& s);

}  // namespace zrv
