#include "tools/bench/Bench.h"

#include <cstring>

int main(int argc, char** argv)
{
    const char* filter = argc > 1 ? argv[1] : "";
    for (const Bench::TEntry& entry : Bench::Registry()) {
        if (std::strstr(entry.name, filter) == nullptr)
            continue;
        std::printf("%s\n", entry.name);
        entry.run();
    }
    return 0;
}
