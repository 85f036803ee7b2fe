#include "runtime/QuillSliders.h"

CQuillSliders::CQuillSliders() {
    for (double& v : sliders) v = 0.0;
}
