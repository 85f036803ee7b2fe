#include "tests/host/TestModule.h"

TestModule& TestModule::orbitone() {
    static TestModule module(ORBITONE_MODULE_PATH);
    return module;
}
