// Test library that cannot load without its helper library.
extern "C" int zrvt_dep_value();
extern "C" int zrvt_twice_dep() { return 2 * zrvt_dep_value(); }
