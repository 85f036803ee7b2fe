#include "plugin/bridge/AdapterKit.h"

#include "plugin/bridge/EditorLink.h"

float CAdapterKit::hostSampleRate() {
    return static_cast<float>(sampleRate_.load(std::memory_order_relaxed));
}

int32_t CAdapterKit::hostBlockSize() {
    return blockSize_.load(std::memory_order_relaxed);
}

void CAdapterKit::setProcessing(double sampleRate, int32_t blockSize) {
    sampleRate_.store(sampleRate, std::memory_order_relaxed);
    if (blockSize > 0) blockSize_.store(blockSize, std::memory_order_relaxed);
}

int32_t CAdapterKit::createEditor(int32_t width, int32_t height) {
    if (hasEditor_) return 0;
    hasEditor_ = true;
    editorWidth_ = width;
    editorHeight_ = height;
    return 1;
}

bool CAdapterKit::editorSize(int32_t& width, int32_t& height) {
    if (!hasEditor_) return false;
    width = editorWidth_;
    height = editorHeight_;
    return true;
}

int32_t CAdapterKit::redrawEditor() {
    return window_ != nullptr ? window_->redraw() : 0;
}
