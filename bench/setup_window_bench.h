/*
 * The setup window's benchmark, run at the end of launcher_bench: opening
 * a level (all 37 rows) and repainting after the highlighted row followed
 * the pointer.  HKEY_CURRENT_USER must already be a scratch key.
 */
#ifndef TAV_BENCH_SETUP_WINDOW_BENCH_H
#define TAV_BENCH_SETUP_WINDOW_BENCH_H

// Prints the figures, and how many runs did not paint or land, if any.
void RunSetupWindowBench();

#endif
