#include "plugin/lv2/Lv2Transport.h"

#include <lv2/time/time.h>

#include <cmath>
#include <utility>

#include "plugin/lv2/Lv2AtomWalk.h"

void CLv2Transport::mapUris(const LV2_URID_Map* map) {
    if (map == nullptr || map->map == nullptr) return;
    auto uri = [map](const char* text) { return map->map(map->handle, text); };
    blankType_ = uri(LV2_ATOM__Blank);
    positionClass_ = uri(LV2_TIME__Position);
    speed_ = uri(LV2_TIME__speed);
    beatsPerMinute_ = uri(LV2_TIME__beatsPerMinute);
    bar_ = uri(LV2_TIME__bar);
    barBeat_ = uri(LV2_TIME__barBeat);
    beat_ = uri(LV2_TIME__beat);
    beatUnit_ = uri(LV2_TIME__beatUnit);
    beatsPerBar_ = uri(LV2_TIME__beatsPerBar);
    intType_ = uri(LV2_ATOM__Int);
    longType_ = uri(LV2_ATOM__Long);
    floatType_ = uri(LV2_ATOM__Float);
    doubleType_ = uri(LV2_ATOM__Double);
    // Set last: a non-zero object type is what says the rest is ready.
    objectType_ = uri(LV2_ATOM__Object);
}

bool CLv2Transport::numberOf(const LV2_Atom* atom, double& value) const {
    if (atom == nullptr) return false;
    double v = 0;
    if (atom->type == intType_ && atom->size >= sizeof(int32_t))
        v = reinterpret_cast<const LV2_Atom_Int*>(atom)->body;
    else if (atom->type == longType_ && atom->size >= sizeof(int64_t))
        v = static_cast<double>(reinterpret_cast<const LV2_Atom_Long*>(atom)->body);
    else if (atom->type == floatType_ && atom->size >= sizeof(float))
        v = reinterpret_cast<const LV2_Atom_Float*>(atom)->body;
    else if (atom->type == doubleType_ && atom->size >= sizeof(double))
        v = reinterpret_cast<const LV2_Atom_Double*>(atom)->body;
    else
        return false;
    // A host's garbage must not turn into the effect's tempo or position.
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

void CLv2Transport::read(const LV2_Atom* atom) {
    if (!canRead() || atom == nullptr) return;
    if (atom->type != objectType_ && atom->type != blankType_) return;
    if (atom->size < sizeof(LV2_Atom_Object_Body)) return;
    const auto* object = reinterpret_cast<const LV2_Atom_Object*>(atom);
    if (object->body.otype != positionClass_) return;
    const LV2_Atom* speed = nullptr;
    const LV2_Atom* tempo = nullptr;
    const LV2_Atom* bar = nullptr;
    const LV2_Atom* barBeat = nullptr;
    const LV2_Atom* beat = nullptr;
    const LV2_Atom* beatUnit = nullptr;
    const LV2_Atom* beatsPerBar = nullptr;
    const std::pair<LV2_URID, const LV2_Atom**> wanted[] = {{speed_, &speed},
                                                            {beatsPerMinute_, &tempo},
                                                            {bar_, &bar},
                                                            {barBeat_, &barBeat},
                                                            {beat_, &beat},
                                                            {beatUnit_, &beatUnit},
                                                            {beatsPerBar_, &beatsPerBar}};
    // The first of each key counts, as lv2_atom_object_get() takes it; only properties that fit are seen.
    for (const LV2_Atom_Property_Body* p = firstProperty(*object); p != nullptr;
         p = nextProperty(*object, *p)) {
        for (const auto& [key, value] : wanted) {
            if (p->key == key && *value == nullptr) *value = &p->value;
        }
    }
    known_ = true;
    double value = 0;
    if (numberOf(speed, value)) speedNow_ = value;
    if (numberOf(tempo, value) && value >= 0) tempo_ = value;
    if (numberOf(beatUnit, value) && value >= 1) noteValue_ = value;
    if (numberOf(beatsPerBar, value) && value > 0) barBeats_ = value;
    double barNumber = 0;
    double inBar = 0;
    if (numberOf(bar, barNumber) && numberOf(barBeat, inBar))
        beats_ = barNumber * barBeats_ + inBar;
    else if (numberOf(beat, value))
        beats_ = value;
}

void CLv2Transport::advance(uint32_t frames, double sampleRate) {
    if (!known_ || !(sampleRate > 0)) return;
    beats_ += frames / sampleRate * tempo_ / 60.0 * speedNow_;
}

bool CLv2Transport::answer(HostTime& time) const {
    if (!known_) return false;
    // The effect counts in quarter notes, the time signature in its own beats.
    const double quarters = 4.0 / noteValue_;
    time.tempo = tempo_;
    time.ppqPos = beats_ * quarters;
    time.barStartPos = std::floor(beats_ / barBeats_) * barBeats_ * quarters;
    time.timeSigNumerator = barBeats_;
    time.timeSigDenominator = noteValue_;
    time.playing = speedNow_ > 0;
    time.recording = false;
    return true;
}
