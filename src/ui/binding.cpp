#include "ui/binding.h"

namespace vorlane {

std::string missingFunctionText(const std::string& dll, const std::string& function) {
    return "无法在 " + dll + " 中找到函数 " + function + ",程序无法继续运行.";
}

void* Binder::resolve(const std::string& dll, const std::string& function) {
    auto found = libraries_.find(dll);
    if (found == libraries_.end()) found = libraries_.emplace(dll, library_.loadSystemLibrary(dll)).first;
    void* address = found->second != 0 ? library_.procAddress(found->second, function) : nullptr;
    if (address == nullptr) {
        library_.errorBox(missingFunctionText(dll, function), "错误");
        library_.exitProcess(-1);
    }
    return address;
}

bool acceptsIntegerChar(char32_t typed) {
    return typed < 0x20 || typed == 0x7F || typed == '-' || (typed >= '0' && typed <= '9');
}

}  // namespace vorlane
