// rcframe IN OUT: writes IN's bytes behind their count as a 32-bit
// little-endian number: the framing in which a form's binary property (the
// embedded skin stream) travels in the program's resources.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rcframe IN OUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "rcframe: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() > 0x7FFFFFFF) {
        std::fprintf(stderr, "rcframe: %s is too large\n", argv[1]);
        return 1;
    }
    auto n = static_cast<std::uint32_t>(bytes.size());
    const char count[4] = {static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                           static_cast<char>((n >> 16) & 0xFF), static_cast<char>(n >> 24)};
    std::ofstream out(argv[2], std::ios::binary);
    out.write(count, 4);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "rcframe: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
