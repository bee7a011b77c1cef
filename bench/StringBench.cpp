// Compares QFC::String with std::string on the same machine in one run and
// prints how many times cheaper (ratio > 1) or dearer (ratio < 1) QFC is.
#include "String.h"

#include "Timing.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// Keeps the optimiser from dropping the measured work.
volatile unsigned sink;

template <typename Work>
double best(Work work, int repeats = 5)
{
    double fastest = 1e30;
    for (int r = 0; r < repeats; ++r) {
        double start = now();
        work();
        double elapsed = now() - start;
        if (elapsed < fastest)
            fastest = elapsed;
    }
    return fastest;
}

void report(const char* what, double qfc, double std_)
{
    std::printf("%-44s QFC %8.2f ms  std %8.2f ms  ratio %6.2f\n", what, qfc * 1e3, std_ * 1e3, std_ / qfc);
}

const int Copies = 200000;

void copies()
{
    std::string text(1000, 'c');
    QFC::String qtext(text.c_str());
    double q = best([&] {
        for (int i = 0; i < Copies; ++i) {
            QFC::String copy(qtext);
            sink += static_cast<unsigned>(copy.length());
        }
    });
    double s = best([&] {
        for (int i = 0; i < Copies; ++i) {
            std::string copy(text);
            sink += static_cast<unsigned>(copy.size());
        }
    });
    report("copy a 1,000-character text", q, s);
}

void assignments()
{
    std::string a(1000, 'a'), b(900, 'b');
    QFC::String qa(a.c_str()), qb(b.c_str());
    double q = best([&] {
        QFC::String target;
        for (int i = 0; i < Copies; ++i) {
            target = (i & 1) ? qa : qb;
            sink += static_cast<unsigned>(target.length());
        }
    });
    double s = best([&] {
        std::string target;
        for (int i = 0; i < Copies; ++i) {
            target = (i & 1) ? a : b;
            sink += static_cast<unsigned>(target.size());
        }
    });
    report("assign 1,000/900-character texts", q, s);
}

void appendingCharacters()
{
    const int Length = 10000;
    const int Rounds = 50;
    long allocationsBefore = QFC::block::allocationCount();
    double q = best([&] {
        for (int r = 0; r < Rounds; ++r) {
            QFC::String text;
            for (int i = 0; i < Length; ++i)
                text.append('x');
            sink += static_cast<unsigned>(text.length());
        }
    }, 1);
    long allocations = (QFC::block::allocationCount() - allocationsBefore) / Rounds;
    double s = best([&] {
        for (int r = 0; r < Rounds; ++r) {
            std::string text;
            for (int i = 0; i < Length; ++i)
                text += 'x';
            sink += static_cast<unsigned>(text.size());
        }
    }, 1);
    report("append 10,000 single characters", q, s);
    // A new block at length 1 and at every multiple of 50 up to 10,000.
    long expected = 1 + Length / 50;
    std::printf("%-44s %ld per text (the 50-byte growth rule gives %ld)%s\n", "  block allocations", allocations,
                expected, allocations == expected ? "" : "  MISMATCH");
}

void joiningPaths()
{
    std::string base = "C:\\Program Files\\Brenvick\\ZEPH\\Info";
    QFC::String qbase(base.c_str());
    double q = best([&] {
        for (int i = 0; i < Copies; ++i) {
            QFC::String path(qbase);
            path.appendPath("PRODUCT.INF");
            sink += static_cast<unsigned>(path.length());
        }
    });
    double s = best([&] {
        for (int i = 0; i < Copies; ++i) {
            std::string path(base);
            if (!path.empty() && path.back() != '\\' && path.back() != '/')
                path += '\\';
            path += "PRODUCT.INF";
            sink += static_cast<unsigned>(path.size());
        }
    });
    report("join a directory and a file name", q, s);
}

} // namespace

int main()
{
    std::printf("QFC::String against std::string, %d operations each (best of 5)\n", Copies);
    copies();
    assignments();
    appendingCharacters();
    joiningPaths();
    return 0;
}
