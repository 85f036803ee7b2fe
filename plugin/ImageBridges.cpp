#include "plugin/ImageBridges.h"

struct ImageHolder {};

int imageRelease(ImageHolder* holder) {
    if (holder == nullptr) return 0;
    delete holder;
    return 1;
}
