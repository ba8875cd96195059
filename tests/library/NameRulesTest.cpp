#include "library/NameRules.h"

#include <gtest/gtest.h>

namespace zolvera::library {
namespace {

// A group made here may travel to Windows in a package: names Windows alters or opens as a
// device are refused, look-alikes that Windows keeps as they are stay allowed.
TEST(NewGroupName, RefusesWhatWindowsAltersOrReservesAndNothingMore) {
    for (const char* name : {"vége.", "vége ", "CON", "nul", "Aux.jpg", "com1", "LPT9.txt",
                             "csillag*", "Ez?", "\"idézet\"", "a|b", "日本", "tab\there"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(isNewGroupName(name));
    }
    for (const char* name : {" Hajók", "Tájképek", "CONSOLE", "Nulla", "COM10", "LPT0", "a.b",
                             "..tenger", "Őszi erdő"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(isNewGroupName(name));
    }
}

} // namespace
} // namespace zolvera::library
