#pragma once
// Allocation failure on demand. The out-of-memory test program replaces the
// global operator new and new[] (throwing and nothrow forms) with ones that
// fail the nth allocation after arming, on the arming thread only; unarmed
// they allocate as usual, so the test framework is not disturbed as long as
// it runs outside the armed call.
namespace failing_new {

// Fails the nth allocation from now (1: the next one).
void Arm(int nth);
void Disarm();
// The armed failure has happened.
bool Reached();

struct Outcome {
    bool threw;    // an exception left fn
    bool reached;  // fn came to the nth allocation
};

// Runs fn with its nth allocation failing; disarmed before it returns.
template <class Fn>
Outcome FailNth(int nth, Fn&& fn)
{
    Outcome r{false, false};
    Arm(nth);
    try {
        fn();
    } catch (...) {
        r.threw = true;
    }
    r.reached = Reached();
    Disarm();
    return r;
}

// Fails each allocation of an operation in turn: calls run(nth) for
// nth = 1, 2, ... until a run no longer reaches the failure (it completed
// with every allocation granted). run returns FailNth's outcome. Gives the
// number of allocations the operation made.
template <class Run>
int EveryAllocation(Run&& run)
{
    for (int nth = 1; nth < 100000; ++nth)
        if (!run(nth).reached) return nth - 1;
    return -1;
}

}  // namespace failing_new
