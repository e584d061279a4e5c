#include "win32/program_link.h"

namespace vorlane::win32 {
namespace {

Program* program = nullptr;

}  // namespace

Program* runningProgram() { return program; }

void setRunningProgram(Program* p) { program = p; }

}  // namespace vorlane::win32
