// Peak memory of the member-force table: one combination against the
// envelope over all of them. Each fill runs in a child process of its own;
// every allocation of the program is counted (the C allocator's entry points
// are wrapped), and the highest count during the fill less the count at its
// start is what the fill took. Usage: EnvelopeMemory [members] [combinations]
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/korvalib/results/ResultGen.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/TestFiles.h"
#include "vek/model/ProjectOptions.h"
#include "vek/results/ForceText.h"
#include "vek/results/Result.h"
#include "vek/results/ResultDisp.h"

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
void* __libc_memalign(size_t, size_t);
}

namespace {

size_t live = 0, peak = 0;

void* Counted(void* p)
{
    if (p) {
        live += malloc_usable_size(p);
        if (live > peak) peak = live;
    }
    return p;
}

void Uncount(void* p)
{
    if (p) live -= malloc_usable_size(p);
}

}  // namespace

extern "C" {
void* malloc(size_t n)
{
    return Counted(__libc_malloc(n));
}
void* calloc(size_t n, size_t size)
{
    return Counted(__libc_calloc(n, size));
}
void* realloc(void* p, size_t n)
{
    Uncount(p);
    void* q = __libc_realloc(p, n);
    if (!q && p && n) return Counted(p);  // the old block stays
    return Counted(q);
}
void free(void* p)
{
    Uncount(p);
    __libc_free(p);
}
void* memalign(size_t alignment, size_t n)
{
    return Counted(__libc_memalign(alignment, n));
}
void* aligned_alloc(size_t alignment, size_t n)
{
    return Counted(__libc_memalign(alignment, n));
}
int posix_memalign(void** out, size_t alignment, size_t n)
{
    void* p = __libc_memalign(alignment, n);
    if (!p) return 12;  // ENOMEM
    *out = Counted(p);
    return 0;
}
}

namespace {

struct Measured {
    long kb = -1;
    double seconds = 0;
    int members = 0;
};

// Runs the fill in a child; the child writes what it took into a pipe.
Measured InChild(int envelope)
{
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        ForceText& t = theResultDisp.forceText;
        t.elementKind = 2;  // trusses: one value per combination
        t.envelope = uint8_t(envelope);
        t.first = 0;
        theProjectOptions.nResultSelectors[0] = 1;
        const size_t before = live;
        peak = live;
        const auto start = std::chrono::steady_clock::now();
        const int ok = UpdateForceText();
        Measured m;
        m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        m.kb = ok ? long((peak - before) / 1024) : -1;
        m.members = t.store.GetCount();
        if (write(fds[1], &m, sizeof m) != sizeof m) _exit(1);
        _exit(0);
    }
    close(fds[1]);
    Measured m;
    if (read(fds[0], &m, sizeof m) != sizeof m) m.kb = -1;
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return m;
}

}  // namespace

int main(int argc, char** argv)
{
    const int members = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int combinations = argc > 2 ? std::atoi(argv[2]) : 200;
    vektest::TempDir dir("envelope");
    const std::string base = dir.File("model");
    {
        resgen::Model m;
        m.N = m.n = m.sysResultNodes = 2;
        m.xyz = {{{0, 0, 0}}, {{1, 0, 0}}};
        m.eq = {{{0, 0, 0, 0, 0, 0}}, {{1, 2, 3, 4, 5, 6}}};
        m.master.assign(2, 0);
        m.neq = 6;
        m.cases = 1;
        m.dis = {{resgen::Row6{}, resgen::Row6{0.01, 0, 0, 0, 0, 0}}};
        m.sets = combinations;
        m.u8.reserve(size_t(members));
        for (int e = 1; e <= members; ++e) {
            resgen::ScalarRec r{e, {}};
            r.value.reserve(size_t(combinations));
            for (int k = 1; k <= combinations; ++k) r.value.push_back(double((e * 7919 + k * 104729) % 2001 - 1000));
            m.u8.push_back(std::move(r));
        }
        m.WriteAll(base);
        resgen::SetTime(base + ".PL", -100);
    }
    vektest::AppHelperLog log;
    theProjectOptions.SetDefaults();
    if (!theResult.SetFileName(base.c_str(), 0, 1)) {
        std::fprintf(stderr, "the result set cannot be opened\n");
        return 1;
    }
    const Measured one = InChild(0), all = InChild(1);
    std::printf("members %d, combinations %d\n", members, combinations);
    std::printf("one combination: %8ld kB  %.3f s  %d members\n", one.kb, one.seconds, one.members);
    std::printf("envelope:        %8ld kB  %.3f s  %d members\n", all.kb, all.seconds, all.members);
    if (one.kb > 0 && all.kb >= 0)
        std::printf("envelope / one combination: %.2f (goal <= 2)\n", double(all.kb) / one.kb);
    return one.kb > 0 && all.kb >= 0 && all.members == members && one.members == members ? 0 : 1;
}
