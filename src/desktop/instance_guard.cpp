// Only one copy runs in a logon session; a second one ends silently.
#include "ui/program.h"

namespace vorlane {
namespace {

constexpr const char* kMutexName = "tavolu_Single";
constexpr std::uint32_t kMutexAllAccess = 0xF0000 | 0x100000 | 1;
constexpr std::uint32_t kWaitTimeout = 0x102;

}  // namespace

bool Program::guardSingleInstance() {
    const Handle probe = ports_.kernel.openMutex(kMutexAllAccess, kMutexName);
    // Another copy holds the name. The destruction is only posted, so start-up
    // goes on to the ownership test below, which decides.
    if (probe != 0) {
        ports_.window.postDestroy();
        ports_.kernel.closeHandle(probe);
    }
    const Handle handle = ports_.kernel.createMutex(true, kMutexName);
    if (ports_.kernel.waitForSingleObject(handle, 100) == kWaitTimeout) {
        ports_.kernel.closeHandle(handle);
        ports_.kernel.endProgram(0);
        return false;
    }
    instanceMutex_ = handle;
    return true;
}

}  // namespace vorlane
