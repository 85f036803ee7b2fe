// The host's transport as LV2 hosts tell it: time:Position objects on the time port, sent when the
// position changes other than by playing on. Between them the position runs on at the last speed.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include "plugin/boundary/HostAdapter.h"

class CLv2Transport {
  public:
    // Without a map nothing on the time port can be read: the transport then stays unknown.
    // Instantiation thread.
    void mapUris(const LV2_URID_Map* map);
    bool canRead() const { return objectType_ != 0; }

    // Takes what a time:Position object says; any other atom is skipped. The atom's body must be
    // readable for the size it gives: no property is read past it. Audio thread.
    void read(const LV2_Atom* atom);
    // Moves the position on by the frames just played. Audio thread.
    void advance(uint32_t frames, double sampleRate);
    // The transport as a time answer; false until a position has arrived. Audio thread.
    bool answer(HostTime& time) const;

  private:
    LV2_URID objectType_ = 0;
    LV2_URID blankType_ = 0;
    LV2_URID positionClass_ = 0;
    LV2_URID speed_ = 0;
    LV2_URID beatsPerMinute_ = 0;
    LV2_URID bar_ = 0;
    LV2_URID barBeat_ = 0;
    LV2_URID beat_ = 0;
    LV2_URID beatUnit_ = 0;
    LV2_URID beatsPerBar_ = 0;
    LV2_URID intType_ = 0;
    LV2_URID longType_ = 0;
    LV2_URID floatType_ = 0;
    LV2_URID doubleType_ = 0;

    bool known_ = false;
    double speedNow_ = 0;
    double tempo_ = 0;
    double beats_ = 0;  // in the time signature's beats since the start
    double barBeats_ = 4;
    double noteValue_ = 4;

    bool numberOf(const LV2_Atom* atom, double& value) const;
};
