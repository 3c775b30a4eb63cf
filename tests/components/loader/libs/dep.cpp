// Test helper library that another test library depends on.
extern "C" int zrvt_dep_value() { return 7; }
