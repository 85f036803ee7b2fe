#include "runtime/FolderListing.h"

#include <filesystem>
#include <system_error>

void ListFolder(const std::string& folderPath, SliderRecord& record) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator entries(fs::path(folderPath), error);
    if (error) return;
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code statusError;
        const fs::file_status status = entry.status(statusError);
        if (statusError || fs::is_directory(status)) continue;
        record.texts.push_back(name);
    }
}
