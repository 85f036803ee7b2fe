// Paths relative to the folder the plug-in library sits in.
#pragma once

#include <string>

// The plug-in library's folder, ending with its separator; empty when unknown.
std::string PluginFolder();

// The full path of a name relative to the plug-in's folder (one leading separator is dropped).
std::string PluginPath(const std::string& relativeName);
