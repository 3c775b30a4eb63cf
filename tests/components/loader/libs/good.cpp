// Test library: exports one entry and counts how often it was loaded.
extern "C" int zrvt_answer(int x) { return 2 * x + 1; }

namespace {
int g_calls = 0;
}

extern "C" int zrvt_count() { return ++g_calls; }
