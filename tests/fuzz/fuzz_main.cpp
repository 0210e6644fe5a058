// libFuzzer driver for one reader of typed text, chosen by name:
//   vintora_fuzz --target=NAME [libFuzzer flags] [corpus folders]
//   vintora_fuzz --list-targets
// libFuzzer leaves flags with two dashes to the program and hands them on to
// the workers of -fork and -jobs, so every worker fuzzes the same reader.

#include "fuzz_targets.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const FuzzTarget *g_target = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static const char targetFlag[] = "--target=";
    for (int i = 1; i < *argc; ++i) {
        const char *argument = (*argv)[i];
        if (std::strcmp(argument, "--list-targets") == 0) {
            for (const FuzzTarget &target : fuzz_targets())
                std::printf("%s\n", target.name);
            std::exit(0);
        }
        if (std::strncmp(argument, targetFlag, sizeof targetFlag - 1) == 0)
            g_target = find_fuzz_target(QString::fromUtf8(argument + sizeof targetFlag - 1));
    }
    if (!g_target) {
        std::fprintf(stderr, "usage: %s --target=NAME [libFuzzer flags] [corpus folders]\n"
                             "       %s --list-targets\n", (*argv)[0], (*argv)[0]);
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString fault = run_fuzz_target(*g_target, data, size);
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", g_target->name, qPrintable(fault));
        std::abort();
    }
    return 0;
}
