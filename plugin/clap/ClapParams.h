// The params extension: the effect's slider records as CLAP parameters, ids 0-22 in the VST order,
// values in the parameters' own units (the LV2 edition's), texts as the VST edition shows them.
#pragma once

#include <clap/ext/params.h>

const clap_plugin_params_t* clapParamsExtension();
