#include "runtime/QuillSliders.h"

CQuillSliders::CQuillSliders() {
    for (SharedDouble& v : sliders) v = 0.0;
}
