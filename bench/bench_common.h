#pragma once

#include <QString>

#include <benchmark/benchmark.h>

namespace vw {
class MainWindow;
}

namespace vwbench {

// The generated data: $VW_BENCH_DATA, or bench-data in the build folder.
QString dataDir();
QString scriptPath();    // ai.obj
QString cataloguePath(); // Wareroll.mdb
// The large script: $VW_BENCH_LARGE, or bench-data-large/ai.obj in the build folder.
QString largeScriptPath();
QString accessCataloguePath(); // access/catalogue-jet4.mdb: the same catalogue as a Jet 4 file
// False, with the benchmark marked as skipped, when the generated data is missing.
bool haveData(benchmark::State& state);

// One main window over a program folder holding the generated data, started and loaded on first
// use and shared by the window benchmarks; null (benchmark skipped) when it cannot start.
vw::MainWindow* window(benchmark::State& state);
// Runs a command of the window by its tool ID, as its menu entry does.
void trigger(vw::MainWindow& window, const char* id);
// Resident memory of the process in MB, and what it was right after the window's first read.
double residentMb();
double residentAfterFirstLoadMb();
// The process's peak resident memory in MB since the last resetPeakResident() (or its start).
double peakResidentMb();
void resetPeakResident();
void closeWindow();

// Lets the window finish the repaints a command queued: flushEvents() during set-up, settle()
// inside a benchmark loop, outside the measured time; settle() returns the milliseconds it took.
void flushEvents();
double settle(benchmark::State& state);

// Reports a benchmark in milliseconds, with the best of its repetitions as one more statistic.
void timed(benchmark::internal::Benchmark* benchmark);

} // namespace vwbench
