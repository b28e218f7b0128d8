/*
 * The options dialog's preview, timed (bench/preview_bench.cpp): called at
 * the end of launcher_bench's main, with HKEY_CURRENT_USER still redirected.
 */
#ifndef TAV_BENCH_PREVIEW_BENCH_H
#define TAV_BENCH_PREVIEW_BENCH_H

// Opens the real options dialog, times the preview's repaints and prints
// the figures.
void RunPreviewBenchmark();

#endif
