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
double timed(Work work)
{
    double start = now();
    work();
    return now() - start;
}

struct Times {
    double qfc = 1e30;
    double std_ = 1e30;
};

// The fastest of several runs of each, taken in turns, so that a slow spell
// of a shared machine weighs on both sides alike instead of on one ratio.
template <typename QfcWork, typename StdWork>
Times fastestOfEach(QfcWork qfc, StdWork std_, int repeats = 5)
{
    Times t;
    for (int r = 0; r < repeats; ++r) {
        double q = timed(qfc);
        double s = timed(std_);
        if (q < t.qfc)
            t.qfc = q;
        if (s < t.std_)
            t.std_ = s;
    }
    return t;
}

void report(const char* what, const Times& t)
{
    std::printf("%-44s QFC %8.2f ms  std %8.2f ms  ratio %6.2f\n", what, t.qfc * 1e3, t.std_ * 1e3, t.std_ / t.qfc);
}

const int Copies = 200000;

void copies()
{
    std::string text(1000, 'c');
    QFC::String qtext(text.c_str());
    Times t = fastestOfEach(
        [&] {
            for (int i = 0; i < Copies; ++i) {
                QFC::String copy(qtext);
                sink += static_cast<unsigned>(copy.length());
            }
        },
        [&] {
            for (int i = 0; i < Copies; ++i) {
                std::string copy(text);
                sink += static_cast<unsigned>(copy.size());
            }
        });
    report("copy a 1,000-character text", t);
}

void assignments()
{
    std::string a(1000, 'a'), b(900, 'b');
    QFC::String qa(a.c_str()), qb(b.c_str());
    Times t = fastestOfEach(
        [&] {
            QFC::String target;
            for (int i = 0; i < Copies; ++i) {
                target = (i & 1) ? qa : qb;
                sink += static_cast<unsigned>(target.length());
            }
        },
        [&] {
            std::string target;
            for (int i = 0; i < Copies; ++i) {
                target = (i & 1) ? a : b;
                sink += static_cast<unsigned>(target.size());
            }
        });
    report("assign 1,000/900-character texts", t);
}

void appendingCharacters()
{
    const int Length = 10000;
    const int Rounds = 50;
    long allocationsBefore = QFC::block::allocationCount();
    Times t = fastestOfEach(
        [&] {
            for (int r = 0; r < Rounds; ++r) {
                QFC::String text;
                for (int i = 0; i < Length; ++i)
                    text.append('x');
                sink += static_cast<unsigned>(text.length());
            }
        },
        [&] {
            for (int r = 0; r < Rounds; ++r) {
                std::string text;
                for (int i = 0; i < Length; ++i)
                    text += 'x';
                sink += static_cast<unsigned>(text.size());
            }
        },
        1);
    long allocations = (QFC::block::allocationCount() - allocationsBefore) / Rounds;
    report("append 10,000 single characters", t);
    // A new block at length 1 and at every multiple of 50 up to 10,000.
    long expected = 1 + Length / 50;
    std::printf("%-44s %ld per text (the 50-byte growth rule gives %ld)%s\n", "  block allocations", allocations,
                expected, allocations == expected ? "" : "  MISMATCH");
}

void joiningPaths()
{
    std::string base = "C:\\Program Files\\Brenvick\\ZEPH\\Info";
    QFC::String qbase(base.c_str());
    Times t = fastestOfEach(
        [&] {
            for (int i = 0; i < Copies; ++i) {
                QFC::String path(qbase);
                path.appendPath("PRODUCT.INF");
                sink += static_cast<unsigned>(path.length());
            }
        },
        [&] {
            for (int i = 0; i < Copies; ++i) {
                std::string path(base);
                if (!path.empty() && path.back() != '\\' && path.back() != '/')
                    path += '\\';
                path += "PRODUCT.INF";
                sink += static_cast<unsigned>(path.size());
            }
        });
    report("join a directory and a file name", t);
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
