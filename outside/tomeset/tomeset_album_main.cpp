// tomeset-album OUT.ui FILE...: writes an album of the stand-in format with
// each file stored under its name without folder.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "outside/tomeset/album_file.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: tomeset-album OUT.ui FILE...\n", stderr);
        return 2;
    }
    std::vector<kz8::outside::AlbumObject> objects;
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "tomeset-album: cannot read %s\n", argv[i]);
            return 1;
        }
        const std::string path = argv[i];
        const size_t slash = path.find_last_of("/\\");
        objects.push_back({slash == std::string::npos ? path : path.substr(slash + 1),
                           {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}});
    }
    const auto bytes = kz8::outside::writeAlbum(objects);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return out ? 0 : 1;
}
