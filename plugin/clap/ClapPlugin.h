// The plug-in record a CLAP host holds: the core callbacks (init, activation, processing) and the
// extensions it offers.
#pragma once

#include <clap/plugin.h>

extern const clap_plugin_descriptor_t kClapDescriptor;

// A new instance for the host, not yet initialised; the host destroys it through the record. Null
// when the host record is unusable. Any thread.
const clap_plugin_t* createClapPlugin(const clap_host_t* host);
