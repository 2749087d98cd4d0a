// Writes the sample drawings into a folder: make-samples FOLDER
#include <cstdio>
#include <exception>
#include <string>

#include "Samples.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make-samples FOLDER\n", stderr);
        return 2;
    }
    try {
        for (const auto& sample : kolvo::samples::SampleDrawings()) {
            const std::string path = std::string(argv[1]) + "/" + sample.Name + ".dxf";
            sample.Drawing.WriteFile(path);
            std::printf("%s\n", path.c_str());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-samples: %s\n", e.what());
        return 1;
    }
    return 0;
}
