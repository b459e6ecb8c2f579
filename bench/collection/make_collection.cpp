// Writes the benchmarks' generated collection into a data folder, for
// measuring the real program from outside: make_collection DATAFOLDER COUNT
#include <cstdio>
#include <cstdlib>

#include <QString>

#include "support/recipe_fixture.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATAFOLDER COUNT\n", argv[0]);
        return 2;
    }
    const QStringList names = MakeRecipeCollection(QString::fromLocal8Bit(argv[1]), std::atoi(argv[2]));
    std::printf("%lld recipes\n", static_cast<long long>(names.size()));
    return 0;
}
