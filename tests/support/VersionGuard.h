#pragma once
// The stream version is one global of the library: a test that sets it puts
// the old value back when it ends, so the next test starts from the same state.
#include <cstdint>

#include "korvalib/base/biostream.h"

namespace vektest {

class VersionGuard {
public:
    VersionGuard() : m_saved(nVersion) {}
    explicit VersionGuard(int16_t version) : m_saved(nVersion) { nVersion = version; }
    ~VersionGuard() { nVersion = m_saved; }
    VersionGuard(const VersionGuard&) = delete;
    VersionGuard& operator=(const VersionGuard&) = delete;

private:
    int16_t m_saved;
};

}  // namespace vektest
