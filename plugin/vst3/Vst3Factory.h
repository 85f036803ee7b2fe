// The module's plug-in factory: one class, the component of Vst3Plugin.h, made on request.
#pragma once

#include <travesty/factory.h>

// The one factory of the module; its reference count is not counted. Any thread.
v3_plugin_factory** vst3Factory();
// The class id in the platform's byte order.
const uint8_t* vst3ClassId();
