#pragma once
// The outside services that scripts/test promises the tests: it names them in
// STOCKIN_TEST_SERVICES ("odbc", "cups", separated by blanks) once it has set
// them up. A test whose service is missing may skip when run by hand, but must
// fail when the service was promised: a test run must never pass by skipping
// what it was set up to test.

#include <cstdlib>
#include <sstream>
#include <string>

inline bool ServicePromised(const std::string& name)
{
    const char* promised = std::getenv("STOCKIN_TEST_SERVICES");
    std::istringstream words(promised ? promised : "");
    for (std::string word; words >> word;)
        if (word == name) return true;
    return false;
}
