// A file record: the channel through which the serialize section saves and restores values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/SharedValue.h"

struct FileRecord {
    enum Mode : int32_t { kClosed = 0, kReading = 1, kWriting = 2 };

    std::string fileName;  // relative to the plug-in's folder; empty when unbound
    int32_t position = 0;  // reading: next value to read; writing: values written
    std::vector<float> data;
    bool textMode = false;
    bool valid = true;
    int32_t mode = kClosed;
    int32_t counterA = 0;
    int32_t counterB = 0;
};

// Writes or reads one value, depending on the record's mode.
void FileValue(FileRecord& record, double& variable);
// The same for a variable other threads share: read and written whole.
void FileValue(FileRecord& record, SharedDouble& variable);

// Writes a write-mode record's values to its file, one byte each.
void FileFlush(const FileRecord& record);

// Flushes a bound write-mode record, then empties it and puts it in the given mode.
void ResetFileRecord(FileRecord& record, int32_t mode);
