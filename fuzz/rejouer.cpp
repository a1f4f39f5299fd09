// Runs a fuzz target without libFuzzer: every file of the folders given as
// arguments (and every file given directly) goes once through
// LLVMFuzzerTestOneInput, in name order. The normal build uses it to check
// that the targets compile and that the committed inputs still pass.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille);
// What a target makes once before its inputs, when it has such a step.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> entrees(const fs::path &chemin)
{
    std::vector<fs::path> fichiers;
    if (fs::is_directory(chemin)) {
        for (const fs::directory_entry &entree : fs::directory_iterator(chemin)) {
            if (entree.is_regular_file())
                fichiers.push_back(entree.path());
        }
        std::sort(fichiers.begin(), fichiers.end());
    } else if (fs::is_regular_file(chemin)) {
        fichiers.push_back(chemin);
    }
    return fichiers;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage : %s <dossier ou fichier>...\n", argv[0]);
        return 2;
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int rejouees = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<fs::path> fichiers = entrees(argv[i]);
        if (fichiers.empty()) {
            std::fprintf(stderr, "%s : aucune entrée à rejouer\n", argv[i]);
            return 1;
        }
        for (const fs::path &fichier : fichiers) {
            std::ifstream flux(fichier, std::ios::binary);
            const std::vector<char> octets{std::istreambuf_iterator<char>(flux),
                                           std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(octets.data()), octets.size());
            ++rejouees;
        }
    }
    std::printf("%d entrées rejouées\n", rejouees);
    return 0;
}
