// The bundle's ports as a host reads them: the audio groups and designations, the time port, and the
// 23 controls with the VST edition's names, ranges, defaults, steps and items.
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/port-groups/port-groups.h>
#include <lv2/port-props/port-props.h>
#include <lv2/time/time.h>
#include <lv2/units/units.h>

#include <cmath>
#include <map>
#include <set>

#include "effect/QuillEffect.h"
#include "tests/host/TestHost.h"
#include "tests/lv2/Lv2TestHost.h"

using namespace lv2test;

namespace {

class Node {
  public:
    explicit Node(LilvNode* node) : node_(node) {}
    ~Node() { lilv_node_free(node_); }
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    LilvNode* get() const { return node_; }

  private:
    LilvNode* node_;
};

const LilvPort* port(uint32_t index) {
    return lilv_plugin_get_port_by_index(World::shared().plugin(), index);
}

std::string uriValue(uint32_t index, const char* predicate) {
    Node p(World::shared().uri(predicate));
    LilvNodes* values = lilv_port_get_value(World::shared().plugin(), port(index), p.get());
    std::string result;
    if (values != nullptr && lilv_nodes_size(values) == 1)
        result = lilv_node_as_string(lilv_nodes_get_first(values));
    lilv_nodes_free(values);
    return result;
}

bool hasProperty(uint32_t index, const char* property) {
    Node p(World::shared().uri(property));
    return lilv_port_has_property(World::shared().plugin(), port(index), p.get());
}

bool isA(uint32_t index, const char* type) {
    Node t(World::shared().uri(type));
    return lilv_port_is_a(World::shared().plugin(), port(index), t.get());
}

std::string text(const LilvNode* node) {
    return node != nullptr ? lilv_node_as_string(node) : std::string();
}

}  // namespace

TEST(Lv2Ports, AudioGroupsAndTheTimePort) {
    const LilvPlugin* plugin = World::shared().plugin();
    ASSERT_NE(plugin, nullptr);
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), 32u);
    Node name(lilv_plugin_get_name(plugin));
    EXPECT_EQ(text(name.get()), "Orbitone");
    Node author(lilv_plugin_get_author_name(plugin));
    EXPECT_EQ(text(author.get()), "Velmora");

    const char* inputs[] = {LV2_PORT_GROUPS__left, LV2_PORT_GROUPS__right};
    for (uint32_t k = 0; k < 2; ++k) {
        EXPECT_TRUE(isA(k, LV2_CORE__AudioPort) && isA(k, LV2_CORE__InputPort)) << k;
        EXPECT_EQ(uriValue(k, LV2_CORE__designation), inputs[k]);
        EXPECT_EQ(uriValue(k, LV2_PORT_GROUPS__group), "urn:velmora:orbitone#in");
    }
    // The effect's output order, whatever order the 5.1 group lists its elements in.
    const char* outputs[] = {LV2_PORT_GROUPS__left,     LV2_PORT_GROUPS__right,
                             LV2_PORT_GROUPS__center,   LV2_PORT_GROUPS__lowFrequencyEffects,
                             LV2_PORT_GROUPS__rearLeft, LV2_PORT_GROUPS__rearRight};
    for (uint32_t k = 0; k < 6; ++k) {
        EXPECT_TRUE(isA(2 + k, LV2_CORE__AudioPort) && isA(2 + k, LV2_CORE__OutputPort)) << k;
        EXPECT_EQ(uriValue(2 + k, LV2_CORE__designation), outputs[k]) << k;
        EXPECT_EQ(uriValue(2 + k, LV2_PORT_GROUPS__group), "urn:velmora:orbitone#out");
    }
    Node out(World::shared().uri("urn:velmora:orbitone#out"));
    Node type(World::shared().uri(LILV_NS_RDF "type"));
    Node fivePointOne(World::shared().uri(LV2_PORT_GROUPS__FivePointOneGroup));
    EXPECT_TRUE(lilv_world_ask(World::shared().world(), out.get(), type.get(), fivePointOne.get()));

    EXPECT_TRUE(isA(kTimePort, LV2_ATOM__AtomPort) && isA(kTimePort, LV2_CORE__InputPort));
    EXPECT_TRUE(hasProperty(kTimePort, LV2_CORE__connectionOptional));
    EXPECT_EQ(uriValue(kTimePort, LV2_ATOM__bufferType), LV2_ATOM__Sequence);
    Node position(World::shared().uri(LV2_TIME__Position));
    EXPECT_TRUE(lilv_port_supports_event(plugin, port(kTimePort), position.get()));

    // Nothing is required of a host: lv2apply offers no feature at all.
    LilvNodes* required = lilv_plugin_get_required_features(plugin);
    EXPECT_EQ(lilv_nodes_size(required), 0u);
    lilv_nodes_free(required);
}

TEST(Lv2Ports, ControlsMatchTheHostParameters) {
    const LilvPlugin* plugin = World::shared().plugin();
    ASSERT_NE(plugin, nullptr);
    TQuillEffect effect;
    ASSERT_EQ(effect.sliderRecords.size(), kControls);
    std::set<std::string> symbols;
    const std::map<uint32_t, std::string> units = {
        {5, LV2_UNITS__db}, {6, LV2_UNITS__ms}, {7, LV2_UNITS__db}, {8, LV2_UNITS__db}, {10, LV2_UNITS__db}};
    for (uint32_t p = 0; p < kControls; ++p) {
        SCOPED_TRACE(p);
        const SliderRecord& record = effect.sliderRecords[p];
        const uint32_t index = kFirstControl + p;
        EXPECT_TRUE(isA(index, LV2_CORE__ControlPort) && isA(index, LV2_CORE__InputPort));
        Node name(lilv_port_get_name(plugin, port(index)));
        EXPECT_EQ(text(name.get()), record.name);

        const std::string symbol = text(lilv_port_get_symbol(plugin, port(index)));
        ASSERT_FALSE(symbol.empty());
        EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(symbol[0])));
        for (char c : symbol) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '_') << symbol;
        EXPECT_TRUE(symbols.insert(symbol).second) << symbol;

        LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
        lilv_port_get_range(plugin, port(index), &def, &min, &max);
        ASSERT_TRUE(def && min && max);
        // The Speed controls declare what the panel can set, twice the host parameter's range.
        const bool speed = record.number == 21 || record.number == 27;
        EXPECT_FLOAT_EQ(lilv_node_as_float(min), speed ? -120 : record.minimum);
        EXPECT_FLOAT_EQ(lilv_node_as_float(max), speed ? 120 : record.maximum);
        EXPECT_FLOAT_EQ(lilv_node_as_float(def), record.defaultValue);
        const double range = lilv_node_as_float(max) - lilv_node_as_float(min);
        lilv_node_free(def);
        lilv_node_free(min);
        lilv_node_free(max);

        const bool integral = std::fabs(record.step - std::round(record.step)) < 1e-9;
        EXPECT_EQ(hasProperty(index, LV2_CORE__integer), integral);
        EXPECT_EQ(hasProperty(index, LV2_CORE__enumeration), !record.texts.empty());
        if (record.texts.empty()) {
            Node steps(World::shared().uri(LV2_PORT_PROPS__rangeSteps));
            LilvNodes* values = lilv_port_get_value(plugin, port(index), steps.get());
            ASSERT_EQ(lilv_nodes_size(values), 1u);
            EXPECT_EQ(lilv_node_as_int(lilv_nodes_get_first(values)), std::lround(range / record.step) + 1);
            lilv_nodes_free(values);
        }
        const auto unit = units.find(p);
        if (unit != units.end()) {
            EXPECT_EQ(uriValue(index, LV2_UNITS__unit), unit->second);
        }

        LilvScalePoints* points = lilv_port_get_scale_points(plugin, port(index));
        std::map<float, std::string> items;
        LILV_FOREACH(scale_points, i, points) {
            const LilvScalePoint* point = lilv_scale_points_get(points, i);
            items[lilv_node_as_float(lilv_scale_point_get_value(point))] =
                text(lilv_scale_point_get_label(point));
        }
        lilv_scale_points_free(points);
        ASSERT_EQ(items.size(), record.texts.size());
        for (size_t k = 0; k < record.texts.size(); ++k)
            EXPECT_EQ(items[static_cast<float>(k)], record.texts[k]);
    }
}

TEST(Lv2Ports, NamesAreTheVstEditionsHostNames) {
    TestInstance vst;
    for (uint32_t p = 0; p < kControls; ++p) {
        Node name(lilv_port_get_name(World::shared().plugin(), port(kFirstControl + p)));
        EXPECT_EQ(text(name.get()), vst.text(effGetParamName, static_cast<int32_t>(p))) << p;
    }
}
