#pragma once

// The start-up probe's hook, shared by the program's probe and the bare
// window: linked into an executable, it watches every event from the moment
// the application object exists, and once the first top-level window has been
// painted and that paint flushed to the window system, it prints
//   startup_ms <milliseconds since exec>
// then runs workAfterFirstPaint() and prints
//   vmhwm_kb <peak resident set>
// and ends the program. The launcher passes the CLOCK_MONOTONIC time of the
// exec in NUMORIA_BENCH_EXEC_NS; without it the process start time from
// /proc/self/stat is used (10 ms steps).

class QWidget;

namespace numoria::bench {

// Defined once by each executable that links the hook: what it does between
// the start-up reading and the memory reading.
void workAfterFirstPaint(QWidget *window);

}  // namespace numoria::bench
