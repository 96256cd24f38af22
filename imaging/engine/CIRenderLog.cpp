#include "imaging/engine/CIRenderLog.h"

#include <atomic>
#include <mutex>

namespace {
std::atomic<bool> recording{false};
std::mutex recordsMutex;
std::vector<CIRenderRecord> records;
}  // namespace

void CIRenderLog::startRecording() {
    std::lock_guard lock(recordsMutex);
    records.clear();
    recording = true;
}

std::vector<CIRenderRecord> CIRenderLog::stopRecording() {
    std::lock_guard lock(recordsMutex);
    recording = false;
    return std::move(records);
}

bool CIRenderLog::isRecording() {
    return recording;
}

void CIRenderLog::add(CIRenderRecord record) {
    std::lock_guard lock(recordsMutex);
    if (recording) {
        records.push_back(std::move(record));
    }
}
