#include "plugin/lv2/Lv2AtomWalk.h"

#include <cstdint>

namespace {

// Items start on 8-byte boundaries: an item's successor starts after its body, padded to 8 bytes.
uint64_t padded(uint64_t size) {
    return (size + 7) & ~uint64_t{7};
}

// The item at `offset` bytes into a container body of `size` bytes, if its header fits and then the
// value atom's body it claims: the header is read only once it is known to lie inside.
template <typename Item>
const Item* itemAt(const void* body, uint64_t size, uint64_t offset, LV2_Atom Item::*value) {
    if (offset > size || size - offset < sizeof(Item)) return nullptr;
    const auto* item = reinterpret_cast<const Item*>(static_cast<const uint8_t*>(body) + offset);
    if ((item->*value).size > size - offset - sizeof(Item)) return nullptr;
    return item;
}

uint64_t offsetIn(const void* body, const void* item) {
    return static_cast<uint64_t>(reinterpret_cast<const uint8_t*>(item) - static_cast<const uint8_t*>(body));
}

}  // namespace

const LV2_Atom_Event* firstEvent(const LV2_Atom_Sequence& sequence) {
    return itemAt(&sequence.body, sequence.atom.size, sizeof(LV2_Atom_Sequence_Body), &LV2_Atom_Event::body);
}

const LV2_Atom_Event* nextEvent(const LV2_Atom_Sequence& sequence, const LV2_Atom_Event& event) {
    const uint64_t next = offsetIn(&sequence.body, &event) + sizeof(LV2_Atom_Event) + padded(event.body.size);
    return itemAt(&sequence.body, sequence.atom.size, next, &LV2_Atom_Event::body);
}

const LV2_Atom_Property_Body* firstProperty(const LV2_Atom_Object& object) {
    return itemAt(&object.body, object.atom.size, sizeof(LV2_Atom_Object_Body),
                  &LV2_Atom_Property_Body::value);
}

const LV2_Atom_Property_Body* nextProperty(const LV2_Atom_Object& object,
                                           const LV2_Atom_Property_Body& property) {
    const uint64_t next =
        offsetIn(&object.body, &property) + sizeof(LV2_Atom_Property_Body) + padded(property.value.size);
    return itemAt(&object.body, object.atom.size, next, &LV2_Atom_Property_Body::value);
}
