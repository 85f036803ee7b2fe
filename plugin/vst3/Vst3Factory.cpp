#include "plugin/vst3/Vst3Factory.h"

#include <cstring>

#include "Vst3ClassInfo.h"
#include "plugin/vst3/Vst3Face.h"
#include "plugin/vst3/Vst3Plugin.h"
#include "plugin/vst3/Vst3Text.h"

namespace {

constexpr const char* kCategory = "Audio Module Class";
constexpr int32_t kManyInstances = 0x7FFFFFFF;
constexpr int32_t kUnicodeFactory = 0x10;
// V3_ID takes the four words as four arguments.
#define ORBITONE_V3_ID(...) V3_ID(__VA_ARGS__)
const v3_tuid kClassId = ORBITONE_V3_ID(ORBITONE_VST3_CLASS_ID);

v3_result V3_API queryInterface(void* self, const v3_tuid iid, void** object) {
    if (object == nullptr) return V3_INVALID_ARG;
    *object = nullptr;
    if (self == nullptr || iid == nullptr) return V3_INVALID_ARG;
    if (!v3_tuid_match(iid, v3_funknown_iid) && !v3_tuid_match(iid, v3_plugin_factory_iid) &&
        !v3_tuid_match(iid, v3_plugin_factory_2_iid) && !v3_tuid_match(iid, v3_plugin_factory_3_iid))
        return V3_NO_INTERFACE;
    *object = self;
    return V3_OK;
}

uint32_t V3_API addRef(void*) {
    return 1;
}

uint32_t V3_API release(void*) {
    return 1;
}

v3_result V3_API getFactoryInfo(void*, v3_factory_info* info) {
    if (info == nullptr) return V3_INVALID_ARG;
    *info = v3_factory_info{};
    copyToChars(info->vendor, sizeof info->vendor, ORBITONE_VST3_VENDOR);
    copyToChars(info->url, sizeof info->url, ORBITONE_VST3_URL);
    copyToChars(info->email, sizeof info->email, ORBITONE_VST3_EMAIL);
    info->flags = kUnicodeFactory;
    return V3_OK;
}

// The fields the three class records share: a cleared record with the id, cardinality and category.
template <typename Info>
void startClassInfo(Info& info) {
    info = Info{};
    std::memcpy(info.class_id, kClassId, sizeof(v3_tuid));
    info.cardinality = kManyInstances;
    copyToChars(info.category, sizeof info.category, kCategory);
}

// The sub-categories of the second and third records.
template <typename Info>
void copySubCategories(Info& info) {
    copyToChars(info.sub_categories, sizeof info.sub_categories, ORBITONE_VST3_SUBCATEGORIES);
}

int32_t V3_API numClasses(void*) {
    return 1;
}

v3_result V3_API getClassInfo(void*, int32_t index, v3_class_info* info) {
    if (info == nullptr || index != 0) return V3_INVALID_ARG;
    startClassInfo(*info);
    copyToChars(info->name, sizeof info->name, ORBITONE_VST3_NAME);
    return V3_OK;
}

v3_result V3_API createInstance(void*, const v3_tuid classId, const v3_tuid iid, void** instance) {
    if (instance == nullptr) return V3_INVALID_ARG;
    *instance = nullptr;
    if (classId == nullptr || iid == nullptr || !v3_tuid_match(classId, kClassId)) return V3_NO_INTERFACE;
    *instance = CVst3Plugin::create(iid);
    return *instance != nullptr ? kResultOk : kNoInterface;
}

v3_result V3_API getClassInfo2(void*, int32_t index, v3_class_info_2* info) {
    if (info == nullptr || index != 0) return V3_INVALID_ARG;
    startClassInfo(*info);
    copyToChars(info->name, sizeof info->name, ORBITONE_VST3_NAME);
    copySubCategories(*info);
    copyToChars(info->vendor, sizeof info->vendor, ORBITONE_VST3_VENDOR);
    copyToChars(info->version, sizeof info->version, ORBITONE_VERSION);
    copyToChars(info->sdk_version, sizeof info->sdk_version, ORBITONE_VST3_SDK_VERSION);
    return V3_OK;
}

v3_result V3_API getClassInfoUtf16(void*, int32_t index, v3_class_info_3* info) {
    if (info == nullptr || index != 0) return V3_INVALID_ARG;
    startClassInfo(*info);
    copyToUtf16(info->name, 64, ORBITONE_VST3_NAME);
    copySubCategories(*info);
    copyToUtf16(info->vendor, 64, ORBITONE_VST3_VENDOR);
    copyToUtf16(info->version, 64, ORBITONE_VERSION);
    copyToUtf16(info->sdk_version, 64, ORBITONE_VST3_SDK_VERSION);
    return V3_OK;
}

// The host's context is not needed: the plug-in asks the host for nothing at creation.
v3_result V3_API setHostContext(void*, v3_funknown**) {
    return V3_OK;
}

const v3_plugin_factory_cpp kTable = {
    {queryInterface, addRef, release},
    {getFactoryInfo, numClasses, getClassInfo, createInstance},
    {getClassInfo2},
    {getClassInfoUtf16, setHostContext},
};

struct Factory {
    const v3_plugin_factory_cpp* table;
};
Factory theFactory = {&kTable};

}  // namespace

v3_plugin_factory** vst3Factory() {
    return reinterpret_cast<v3_plugin_factory**>(&theFactory);
}

const uint8_t* vst3ClassId() {
    return kClassId;
}
