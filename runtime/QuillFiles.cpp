#include "runtime/QuillFiles.h"

CQuillFiles::~CQuillFiles() {
    for (FileRecord& record : files) {
        if (record.mode == FileRecord::kWriting && !record.fileName.empty()) FileFlush(record);
    }
}
