#include "runtime/FileRecord.h"

#include <cstdio>

#include "runtime/PluginPaths.h"
#include "runtime/ScriptNumbers.h"

void FileValue(FileRecord& record, double& variable) {
    if (record.position < 0) return;
    const size_t at = static_cast<size_t>(record.position);
    if (record.mode == FileRecord::kWriting) {
        if (record.data.size() < at + 1) record.data.resize(at + 1, 0.0f);
        record.data[at] = static_cast<float>(variable);
        ++record.position;
    } else if (record.mode == FileRecord::kReading) {
        if (at < record.data.size()) {
            variable = record.data[at];
            ++record.position;
        }
    }
}

void FileValue(FileRecord& record, SharedDouble& variable) {
    double value = variable;
    const int32_t before = record.position;
    FileValue(record, value);
    // A save stores nothing back: it would undo another thread's change made meanwhile.
    if (record.mode == FileRecord::kReading && record.position != before) variable = value;
}

void FileFlush(const FileRecord& record) {
    FILE* file = std::fopen(PluginPath(record.fileName).c_str(), "wb");
    if (file == nullptr) return;
    for (float v : record.data) {
        const unsigned char byte = static_cast<unsigned char>(quill::toIndex(v) & 0xFF);
        std::fputc(byte, file);
    }
    std::fclose(file);
}

void ResetFileRecord(FileRecord& record, int32_t mode) {
    if (record.mode == FileRecord::kWriting && !record.fileName.empty()) FileFlush(record);
    record.fileName.clear();
    record.position = 0;
    record.data.clear();
    record.textMode = false;
    record.counterA = 0;
    record.counterB = 0;
    record.mode = mode;
}
