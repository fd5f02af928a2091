// Saved pruning conditions and files of per-match numbers: whatever reads
// back is written again exactly, and a set that reads can be applied.
#include "fuzz/fuzzsupport.h"
#include "systems/pruning.h"
#include "systems/pruningfile.h"

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    startFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    QString error;
    for (bool odds : {false, true}) {
        const std::optional<MatchNumbers> numbers = parseMatchNumbers(QString::fromUtf8(bytes), odds, error);
        fuzzExpect(numbers || !error.isEmpty(), "numbers refused without a message");
        if (numbers)
            fuzzExpect(numbersProblem(*numbers).isEmpty(), "numbers read that do not do");
    }
    const std::optional<PruningSet> set = parsePruningFile(bytes, error);
    if (!set) {
        fuzzExpect(!error.isEmpty(), "a conditions file refused without a message");
        return 0;
    }
    const QByteArray written = pruningFileBytes(*set);
    const std::optional<PruningSet> again = parsePruningFile(written, error);
    fuzzExpect(again && *again == *set, "saved conditions do not read back as they were");
    fuzzExpect(again && pruningFileBytes(*again) == written, "saved conditions change when saved again");
    // Small frames only: the full system takes a while for every input.
    if (pruningSetProblem(*set).isEmpty() && outcomeCount(set->frame) <= 6561) {
        const std::optional<std::vector<RowIndex>> kept = applyPruning(*set);
        fuzzExpect(kept.has_value(), "a set without a problem could not be applied");
        if (kept) {
            fuzzExpect(std::is_sorted(kept->begin(), kept->end()), "kept rows out of the frame's order");
            fuzzExpect(kept->size() <= outcomeCount(set->frame), "more rows kept than the frame has");
        }
    }
    return 0;
}
