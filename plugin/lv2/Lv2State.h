// The LV2 state interface: the effect's chunk, the same bytes the VST edition saves, as one property.
#pragma once

#include <lv2/state/state.h>

// Saves the state as the instance would play it with its controls' current values, whether it has
// run or not. Never beside activate(), restore and the like, but possibly beside run().
LV2_State_Status saveLv2State(LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle handle,
                              uint32_t flags, const LV2_Feature* const* features);
// Takes a chunk of the type and size this instance saves; anything else is answered with
// LV2_STATE_ERR_BAD_TYPE and changes nothing. Instantiation thread (never during run()).
LV2_State_Status restoreLv2State(LV2_Handle instance, LV2_State_Retrieve_Function retrieve,
                                 LV2_State_Handle handle, uint32_t flags, const LV2_Feature* const* features);

const LV2_State_Interface* lv2StateInterface();
