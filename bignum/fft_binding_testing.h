// Hooks that let the tests and benchmarks steer the FFT binding: the
// program itself never calls them.
#pragma once

#include <string>

// While set, the FFT branch computes its products by the schoolbook method, as
// it does when the library is missing.
void forceSchoolbookForTest(bool force);
// While set, the base-10000 entry is ignored and products go through the
// base-1000 one, as with a library that lacks the faster entry.
void ignoreFastEntryForTest(bool ignore);
// Drops the current binding: the next large product loads the library from
// `path` (empty: beside the executable) and reports a failure again.
void resetConvmulBindingForTest(const std::string& path = {});
