#include "platform/runtime/Runtime.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QGuiApplication>
#include <cstdlib>
#include <memory>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

void chooseOffscreenWithoutDisplay() {
    const bool hasDisplay =
        std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (!hasDisplay && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        const QString runtimeDir = QDir::tempPath() + "/photoeditor-runtime";
        QDir().mkpath(runtimeDir);
        QFile::setPermissions(
            runtimeDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit().constData(), 0);
    }
}

#if defined(__x86_64__)
__attribute__((target("avx"))) void clearUpperVectorHalves() {
    _mm256_zeroupper();
}
#endif

// Qt's start-up leaves the upper halves of the AVX registers in use, and on processors
// that then make every SSE instruction wait on them, all code built for SSE crawls on
// this thread and on the threads it starts (sampling an exposure curve took 15 times as
// long: 1 ms of a 12 MP render).
void clearVectorStateAfterStartUp() {
#if defined(__x86_64__)
    if (__builtin_cpu_supports("avx")) {
        clearUpperVectorHalves();
    }
#endif
}

}  // namespace

Runtime::Runtime(int& argc, char** argv) {
    chooseOffscreenWithoutDisplay();
    application_ = std::make_unique<QGuiApplication>(argc, argv);
    clearVectorStateAfterStartUp();
}

Runtime::~Runtime() = default;

bool Runtime::isOffscreen() {
    return QGuiApplication::platformName() == QLatin1String("offscreen") ||
           QGuiApplication::platformName() == QLatin1String("minimal");
}

int Runtime::exec() {
    return QGuiApplication::exec();
}
