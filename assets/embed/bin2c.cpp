// Writes a file's bytes as a C++ array, so assets made at build time live inside the executable.
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: bin2c SYMBOL INPUT OUTPUT.cpp\n");
        return 2;
    }
    std::FILE* in = std::fopen(argv[2], "rb");
    if (!in) {
        std::fprintf(stderr, "bin2c: cannot read %s\n", argv[2]);
        return 1;
    }
    std::vector<unsigned char> bytes;
    unsigned char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(in);

    std::FILE* out = std::fopen(argv[3], "w");
    if (!out) {
        std::fprintf(stderr, "bin2c: cannot write %s\n", argv[3]);
        return 1;
    }
    std::fprintf(out, "#include <cstddef>\nextern const unsigned char %s[];\nextern const std::size_t %sSize;\n",
                 argv[1], argv[1]);
    std::fprintf(out, "alignas(16) const unsigned char %s[] = {", argv[1]);
    for (size_t i = 0; i < bytes.size(); ++i) std::fprintf(out, "%s%u,", (i % 24) ? "" : "\n", bytes[i]);
    if (bytes.empty()) std::fprintf(out, "0");
    std::fprintf(out, "\n};\nconst std::size_t %sSize = %zu;\n", argv[1], bytes.size());
    return std::fclose(out) == 0 ? 0 : 1;
}
