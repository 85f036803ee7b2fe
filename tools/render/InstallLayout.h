// Where the renderer finds the files it works with: the module and orbitone-snapshot sit beside it in
// the build tree; an install puts the programs in PREFIX/bin and the module in PREFIX/lib/vst.
#pragma once

#include <string>

namespace render {

// The running program's folder, ending in '/'; empty when the system does not say.
std::string programFolder();
// The path of a file named name in the running program's folder.
std::string besideProgram(const std::string& name);
// The Orbitone module for a program in folder (ending in '/'): beside it when it is there, else in
// ../lib/vst/ when that is there, else the path beside it (so that the error names it).
std::string moduleFor(const std::string& folder);
// moduleFor the running program's folder.
std::string defaultModulePath();

}  // namespace render
