// The window procedures and the keyboard hook procedure are called by the
// system with no context of the program's own; they reach the one Program
// object through this pointer, set while the program runs.
#pragma once

namespace vorlane {
class Program;
}

namespace vorlane::win32 {

Program* runningProgram();
void setRunningProgram(Program*);

}  // namespace vorlane::win32
