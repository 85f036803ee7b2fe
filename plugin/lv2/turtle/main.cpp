// Writes the plug-in's Turtle at build time: the fixed part from the template, then the port list
// from the port numbers (plugin/lv2/Lv2Ports.h) and the effect's slider records with their symbols
// and units (effect/SliderMetadata.h). Sliders and ports that do not agree fail the build.
//   orbitone-lv2-turtle <template> <output>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "effect/QuillEffect.h"
#include "effect/SliderMetadata.h"
#include "plugin/lv2/Lv2Ports.h"

namespace {

constexpr const char* kPortsPlaceholder = "@ORBITONE_LV2_PORTS@";

// A port as the Turtle lists it; its type, index, symbol and name come first, then the rest.
struct Port {
    std::string type;
    uint32_t index = 0;
    std::string symbol;
    std::string name;
    std::vector<std::string> properties;
};

struct AudioPort {
    const char* symbol;
    const char* name;
    const char* designation;  // in the port-groups vocabulary
};

constexpr AudioPort kInputs[] = {{"in_left", "Input Left", "left"}, {"in_right", "Input Right", "right"}};
// In the effect's channel order, whatever order the 5.1 group lists its elements in.
constexpr AudioPort kOutputs[] = {
    {"out_left", "L", "left"},           {"out_right", "R", "right"},
    {"out_center", "C", "center"},       {"out_lfe", "LFE", "lowFrequencyEffects"},
    {"out_rear_left", "Ls", "rearLeft"}, {"out_rear_right", "Rs", "rearRight"}};
static_assert(lv2ports::kInputRight == lv2ports::kInputLeft + 1);
static_assert(std::size(kOutputs) == lv2ports::kOutputCount);

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + '"';
}

// The shortest decimal that reads back as the same double, always with a point, so that Turtle reads
// it as a decimal and not as an integer; an exponent only where a decimal would be long.
std::string number(double value) {
    if (!std::isfinite(value)) throw std::runtime_error("a value that is not a number");
    char text[64] = {};
    for (int decimals = 1; decimals <= 17; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        if (std::strtod(text, nullptr) == value) return text;
    }
    std::snprintf(text, sizeof text, "%.17e", value);
    return text;
}

bool validSymbol(const std::string& symbol) {
    if (symbol.empty() || (symbol[0] >= '0' && symbol[0] <= '9')) return false;
    for (const char c : symbol) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !(c >= '0' && c <= '9') && c != '_') return false;
    }
    return true;
}

// The rpm unit is the plug-in's own, declared in the template.
const char* unitUri(SliderUnit unit) {
    switch (unit) {
        case SliderUnit::decibels:
            return "units:db";
        case SliderUnit::milliseconds:
            return "units:ms";
        case SliderUnit::rotationsPerMinute:
            return "<urn:velmora:orbitone#rpm>";
        case SliderUnit::none:
            break;
    }
    return nullptr;
}

Port audioPort(uint32_t index, bool input, const AudioPort& port) {
    const std::string group = input ? "in" : "out";
    return {input ? "lv2:InputPort, lv2:AudioPort" : "lv2:OutputPort, lv2:AudioPort",
            index,
            port.symbol,
            port.name,
            {"pg:group <urn:velmora:orbitone#" + group + ">",
             std::string("lv2:designation pg:") + port.designation}};
}

Port timePort() {
    return {"lv2:InputPort, atom:AtomPort",
            lv2ports::kTime,
            "time",
            "Transport",
            {"atom:bufferType atom:Sequence", "atom:supports time:Position",
             "lv2:portProperty lv2:connectionOptional"}};
}

// An item's value: the items share the declared range evenly, as the host parameter's texts do.
double itemValue(const SliderRecord& record, size_t item) {
    const size_t items = record.texts.size();
    if (items < 2) return record.minimum;
    return record.minimum +
           static_cast<double>(item) * (record.maximum - record.minimum) / static_cast<double>(items - 1);
}

std::string scalePoints(const SliderRecord& record) {
    std::string out = "lv2:scalePoint [\n";
    for (size_t k = 0; k < record.texts.size(); ++k) {
        if (k > 0) out += "\t\t] , [\n";
        out += "\t\t\trdfs:label " + quoted(record.texts[k]) + " ;\n";
        out += "\t\t\trdf:value " + number(itemValue(record, k)) + "\n";
    }
    return out + "\t\t]";
}

Port controlPort(const TQuill& effect, uint32_t parameter) {
    const SliderRecord& record = *effect.recordAt(static_cast<int32_t>(parameter));
    const std::string slider = "slider " + std::to_string(record.number) + " (" + record.name + ")";
    const SliderMetadata* metadata = sliderMetadata(record.number);
    if (metadata == nullptr) throw std::runtime_error(slider + " has no row in effect/SliderMetadata.h");
    // The host may set whatever the slider holds, which can reach beyond its declared range.
    double low = record.minimum, high = record.maximum;
    effect.SliderHeldRange(record.number, low, high);
    if (!(low <= record.defaultValue && record.defaultValue <= high))
        throw std::runtime_error(slider + ": the default lies outside the range");

    Port port = {"lv2:InputPort, lv2:ControlPort",
                 lv2ports::kFirstControl + parameter,
                 metadata->symbol,
                 record.name,
                 {"lv2:default " + number(record.defaultValue), "lv2:minimum " + number(low),
                  "lv2:maximum " + number(high)}};
    const bool integer = record.step > 0 && std::floor(record.step) == record.step;
    const bool enumeration = !record.texts.empty();
    if (integer && enumeration)
        port.properties.push_back("lv2:portProperty lv2:integer, lv2:enumeration");
    else if (integer)
        port.properties.push_back("lv2:portProperty lv2:integer");
    else if (enumeration)
        port.properties.push_back("lv2:portProperty lv2:enumeration");
    if (!enumeration && record.step > 0) {
        const long steps = std::lround((high - low) / record.step) + 1;
        port.properties.push_back("pprops:rangeSteps " + std::to_string(steps));
    }
    if (enumeration) port.properties.push_back(scalePoints(record));
    if (const char* unit = unitUri(metadata->unit))
        port.properties.push_back(std::string("units:unit ") + unit);
    return port;
}

// Every port in index order; throws where the sliders, their table and the port numbers disagree.
std::vector<Port> ports(const TQuillEffect& effect) {
    if (effect.sliderRecords.size() != lv2ports::kControlCount)
        throw std::runtime_error("the effect declares " + std::to_string(effect.sliderRecords.size()) +
                                 " sliders, plugin/lv2/Lv2Ports.h " +
                                 std::to_string(lv2ports::kControlCount) + " control ports");
    for (const SliderMetadata& row : kSliderMetadata) {
        double low = 0, high = 0;
        if (!effect.SliderHeldRange(row.number, low, high))
            throw std::runtime_error("effect/SliderMetadata.h has a row for slider " +
                                     std::to_string(row.number) + ", which the effect does not declare");
    }
    std::vector<Port> list;
    for (uint32_t k = 0; k < std::size(kInputs); ++k)
        list.push_back(audioPort(lv2ports::kInputLeft + k, true, kInputs[k]));
    for (uint32_t k = 0; k < lv2ports::kOutputCount; ++k)
        list.push_back(audioPort(lv2ports::kFirstOutput + k, false, kOutputs[k]));
    list.push_back(timePort());
    for (uint32_t p = 0; p < lv2ports::kControlCount; ++p) list.push_back(controlPort(effect, p));

    std::set<std::string> symbols;
    for (uint32_t k = 0; k < list.size(); ++k) {
        const Port& port = list[k];
        if (port.index != k)
            throw std::runtime_error("port " + port.symbol + " is not number " + std::to_string(k));
        if (!validSymbol(port.symbol))
            throw std::runtime_error("\"" + port.symbol + "\" is not an LV2 symbol");
        if (!symbols.insert(port.symbol).second)
            throw std::runtime_error("two ports are named " + port.symbol);
    }
    if (list.size() != lv2ports::kPortCount)
        throw std::runtime_error("plugin/lv2/Lv2Ports.h counts " + std::to_string(lv2ports::kPortCount) +
                                 " ports, the list has " + std::to_string(list.size()));
    return list;
}

std::string portList(const std::vector<Port>& list) {
    std::string out = "\tlv2:port [\n";
    for (size_t k = 0; k < list.size(); ++k) {
        const Port& port = list[k];
        if (k > 0) out += "\t] , [\n";
        out += "\t\ta " + port.type + " ;\n";
        out += "\t\tlv2:index " + std::to_string(port.index) + " ;\n";
        out += "\t\tlv2:symbol " + quoted(port.symbol) + " ;\n";
        out += "\t\tlv2:name " + quoted(port.name);
        for (const std::string& property : port.properties) out += " ;\n\t\t" + property;
        out += "\n";
    }
    return out + "\t] .\n";
}

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: orbitone-lv2-turtle <template> <output>\n";
        return 2;
    }
    try {
        std::string text = readFile(argv[1]);
        const std::string placeholder = std::string(kPortsPlaceholder) + "\n";
        const size_t at = text.find(placeholder);
        if (at == std::string::npos)
            throw std::runtime_error(std::string("no ") + kPortsPlaceholder + " line");
        const TQuillEffect effect;
        text.replace(at, placeholder.size(), portList(ports(effect)));
        // Written only once everything checked out; a half-written file is removed.
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out << "# Written by orbitone-lv2-turtle from plugin/lv2/orbitone.ttl.in and the effect's sliders.\n"
            << text;
        out.close();
        if (!out) {
            std::remove(argv[2]);
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
        }
    } catch (const std::exception& error) {
        std::cerr << "orbitone-lv2-turtle: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
