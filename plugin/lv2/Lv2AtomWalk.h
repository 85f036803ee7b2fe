// Walks over the events of an atom sequence and the properties of an atom object that never read
// past the container: each item's header and each item's claimed size are checked against the bytes
// that remain before anything of it is read. A walk ends at the first item that does not fit, since
// where the next one would start is then unknown.
#pragma once

#include <lv2/atom/atom.h>

// The container's header and the size it gives must be readable; an item answered is readable whole,
// its body included. Any thread.
const LV2_Atom_Event* firstEvent(const LV2_Atom_Sequence& sequence);
const LV2_Atom_Event* nextEvent(const LV2_Atom_Sequence& sequence, const LV2_Atom_Event& event);
const LV2_Atom_Property_Body* firstProperty(const LV2_Atom_Object& object);
const LV2_Atom_Property_Body* nextProperty(const LV2_Atom_Object& object,
                                           const LV2_Atom_Property_Body& property);
