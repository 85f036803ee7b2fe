// The shape of VST 3 objects in memory: an interface pointer points at a pointer to the interface's
// function table, which starts with the three FUnknown functions. Our objects give each of their
// interfaces one face (that table pointer followed by the object); the host's objects are called
// through their tables.
#pragma once

#include <travesty/base.h>

template <typename Owner>
struct Vst3Face {
    const void* table;
    Owner* owner;
};

// The object behind one of its faces; null for a null self.
template <typename Owner>
Owner* ownerOf(void* self) {
    return self != nullptr ? static_cast<Vst3Face<Owner>*>(self)->owner : nullptr;
}

// The function table of a host object with one interface below FUnknown.
template <typename Interface>
struct Vst3Table : v3_funknown {
    Interface functions;
};

template <typename Interface>
const Interface& callsOf(Interface** object) {
    return (*reinterpret_cast<Vst3Table<Interface>**>(object))->functions;
}

template <typename Interface>
const v3_funknown& unknownOf(Interface** object) {
    return **reinterpret_cast<v3_funknown**>(object);
}

// The result codes as results: on Windows they are an enumeration of COM codes, which a conditional
// expression must not mix with the plain results of calls.
constexpr v3_result kResultOk = static_cast<v3_result>(V3_OK);
constexpr v3_result kResultTrue = static_cast<v3_result>(V3_TRUE);
constexpr v3_result kResultFalse = static_cast<v3_result>(V3_FALSE);
constexpr v3_result kInvalidArgument = static_cast<v3_result>(V3_INVALID_ARG);
constexpr v3_result kNoInterface = static_cast<v3_result>(V3_NO_INTERFACE);

// The FUnknown functions of an object with a reference count: Owner has query(iid, object), ref()
// and unref(). Any thread.
template <typename Owner>
struct Vst3Unknown {
    static v3_result V3_API query(void* self, const v3_tuid iid, void** object) {
        if (object != nullptr) *object = nullptr;
        Owner* owner = ownerOf<Owner>(self);
        return owner != nullptr && iid != nullptr && object != nullptr ? owner->query(iid, object)
                                                                       : kInvalidArgument;
    }
    static uint32_t V3_API ref(void* self) {
        Owner* owner = ownerOf<Owner>(self);
        return owner != nullptr ? owner->ref() : 0;
    }
    static uint32_t V3_API unref(void* self) {
        Owner* owner = ownerOf<Owner>(self);
        return owner != nullptr ? owner->unref() : 0;
    }
    static constexpr v3_funknown functions = {query, ref, unref};
};
