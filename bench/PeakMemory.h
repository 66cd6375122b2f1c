#pragma once
// The growth of the resident set's peak over a stretch of a benchmark: the
// peak (VmHWM) is reset through /proc/self/clear_refs at Start, and Stop
// gives how far it rose above the resident set at Start, in MiB.

#include <malloc.h>

#include <fstream>
#include <string>

class PeakMemory {
public:
    void Start()
    {
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        base_ = statusKiB("VmRSS:");
    }
    double StopMiB() const { return (statusKiB("VmHWM:") - base_) / 1024.0; }

    static long statusKiB(const char* key)
    {
        std::ifstream f("/proc/self/status");
        std::string line;
        while (std::getline(f, line))
            if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size()));
        return 0;
    }

private:
    long base_ = 0;
};
