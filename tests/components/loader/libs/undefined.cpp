// Test library that refers to an entry no library defines: the loader
// cannot resolve it when the library is opened.
extern "C" int zrvt_defined_nowhere();
extern "C" int zrvt_calls_nowhere() { return zrvt_defined_nowhere() + 1; }
