// The action sheet's visual-format parser: any format string gives constraints or
// nothing.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/actionsheet/VisualFormat.h"
#include "fuzz/FuzzRuntime.h"
#include "platform/ui/view/UIView.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    startFuzzRuntime(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const VisualFormat::Views views = [] {
        VisualFormat::Views named;
        for (const char* name : {"bg", "panel", "title", "subtitle", "top", "a", "b"}) {
            named[name] = std::make_shared<UIView>();
        }
        return named;
    }();
    VisualFormat::parse(std::string(reinterpret_cast<const char*>(data), size), views);
    return 0;
}
