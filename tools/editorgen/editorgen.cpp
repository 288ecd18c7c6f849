// Writes the files that carry the program's keyword and key tables (see editor_files.h):
//   editorgen SOURCE_FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/editorgen/editor_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: editorgen SOURCE_FOLDER\n");
        return 2;
    }
    for (const auto& [path, text] : vekora::editors::GeneratedFiles()) {
        const std::string target = std::string(argv[1]) + "/" + path;
        std::ofstream file(target, std::ios::binary);
        file << text;
        if (!file) {
            std::fprintf(stderr, "editorgen: cannot write %s\n", target.c_str());
            return 1;
        }
        std::printf("wrote %s\n", target.c_str());
    }
    return 0;
}
