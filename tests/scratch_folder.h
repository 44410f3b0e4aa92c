// A folder of its own under /tmp for one test program, removed with everything in it
// when the process that made it ends. A death test's child, which ends through exit()
// too, leaves it to its parent.
#pragma once

#include <ftw.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

struct ScratchFolder {
    std::string path;  // empty when it could not be made
    pid_t owner = 0;

    explicit ScratchFolder(const std::string& prefix) : owner(getpid()) {
        std::string pattern = "/tmp/" + prefix + "XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) != nullptr)
            path = name.data();
    }
    ~ScratchFolder() {
        if (path.empty() || getpid() != owner)
            return;
        nftw(
            path.c_str(),
            [](const char* file, const struct stat*, int, FTW*) { return std::remove(file); }, 16,
            FTW_DEPTH | FTW_PHYS);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
};
