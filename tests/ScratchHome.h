// Every test program runs in a scratch home, so the settings, documents,
// trash and temporary files of the person running the tests are never
// touched, also when a test program is started by hand instead of through
// CTest (which gives each test its own folders and sets VLQ_TEST_SCRATCH). Included into every test
// program by the build, so it takes effect before main().
#pragma once
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace vlq_test {

inline const bool scratchHome = [] {
    if (std::getenv("VLQ_TEST_SCRATCH")) return true;
    char dir[] = "/tmp/vlqtest-XXXXXX";
    if (!mkdtemp(dir)) std::abort();
    const std::string home = dir;
    const std::string runtime = home + "/runtime";
    const std::string tmp = home + "/tmp";
    mkdir(runtime.c_str(), 0700);
    mkdir(tmp.c_str(), 0755);
    chmod(dir, 0755); // the fault tests' children run as another user
    setenv("HOME", dir, 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    setenv("TMPDIR", tmp.c_str(), 1);
    setenv("VLQ_TEST_SCRATCH", "1", 1);
    return true;
}();

} // namespace vlq_test
