// Reference-counted base of every toolkit object.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum CMessageResult { kMessageUnknown = 0, kMessageNotified = 1 };

class CBaseObject {
  public:
    CBaseObject() = default;
    // A copy is a new object: it starts with its own single reference.
    CBaseObject(const CBaseObject&) : nbReference_(1) {}
    CBaseObject& operator=(const CBaseObject&) { return *this; }
    virtual ~CBaseObject() = default;

    // GUI thread. Drops one reference; the object destroys itself at 0.
    virtual void forget();
    // GUI thread.
    virtual void remember();
    // GUI thread. Messages are compared by address (see ViewMessages.h).
    virtual CMessageResult notify(CBaseObject* sender, const char* message);

    int32_t getNbReference() const { return nbReference_; }

  private:
    int32_t nbReference_ = 1;
};

}  // namespace VSTGUI
