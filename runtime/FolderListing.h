// Lists the files a file slider can choose from.
#pragma once

#include <string>

#include "runtime/SliderRecord.h"

// Appends the names of the regular, non-hidden files of a folder to the record's texts, in the order
// the system lists them. A folder that cannot be opened adds nothing.
void ListFolder(const std::string& folderPath, SliderRecord& record);
