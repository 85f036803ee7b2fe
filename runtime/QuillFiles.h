// File records; record 0 carries the saved state.
#pragma once

#include <vector>

#include "runtime/FileRecord.h"
#include "runtime/QuillStrings.h"

class CQuillFiles : public CQuillStrings {
  public:
    CQuillFiles() : files(1) {}
    ~CQuillFiles() override;

    std::vector<FileRecord> files;
};
