#pragma once
// Named points before every change a program makes to the file system
// (create, write, fsync, rename, remove), so that a test can end the
// program at each of them as a power cut or kill -9 would:
//
//   QV530_KILL_AT=N       the process kills itself (SIGKILL) at the Nth point
//   QV530_FAULT_POINTS=1  every point is written to stderr: "fault point N: WHAT PATH"
//   QV530_FAIL_PATH=TEXT  every point whose path holds TEXT fails with ENOSPC
//                         (a full disk), so a failed write can be tried anywhere
//
// Without either variable a point costs one relaxed atomic load.
#include <string>

namespace qv530 {

// Returns 0, or the errno the step must fail with.
int FaultPoint(const char* what, const std::string& path);
// Tests: from now on the process kills itself at the killAt-th point
// counted from here (0: never), as QV530_KILL_AT would.
void ArmFaultPoints(long killAt);
// Tests: every point whose path holds pathPart fails with error ("" : none).
void ArmFaultFailure(const std::string& pathPart, int error);

} // namespace qv530
