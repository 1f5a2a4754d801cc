#pragma once
// The view tests' helper script (peers.py) run with the system python, from
// the native build and from Windows programs under Wine alike: a Windows
// program starts the Unix interpreter by its path on drive Z:, which is the
// Unix root, and hands it Unix paths.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vektest {

// A folder both sides see: the temporary folder natively, Z:\tmp under Wine.
inline std::filesystem::path PeerFolder()
{
#if defined(_WIN32)
    return "Z:\\tmp";
#else
    return std::filesystem::temp_directory_path();
#endif
}

// The path the script sees.
inline std::string PeerPath(const std::string& path)
{
#if defined(_WIN32)
    std::string p = path;
    if (p.size() >= 2 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':') p = p.substr(2);
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
#else
    return path;
#endif
}

// A path as one argument of the script's command line.
inline std::string PeerArg(const std::string& path)
{
#if defined(_WIN32)
    return "\"" + PeerPath(path) + "\"";
#else
    return "'" + path + "'";
#endif
}

// Runs "peers.py <args>" and waits for the file `out` that it writes last
// (whole, by renaming); false when it could not be run or wrote nothing in
// a minute. Under Wine the Unix process cannot be waited for, its file can.
inline bool RunPeers(const std::string& args, const std::string& out)
{
    std::remove(out.c_str());
#if defined(_WIN32)
    std::string cmd = std::string("Z:\\usr\\bin\\python3 ") + VIEW_PEERS + " " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", cmd.c_str(), GetLastError());
        return false;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 600; ++i) {
        if (std::filesystem::exists(out)) return true;
        Sleep(100);
    }
    return false;
#else
    const std::string cmd = std::string("/usr/bin/python3 ") + VIEW_PEERS + " " + args;
    return std::system(cmd.c_str()) == 0 && std::filesystem::exists(out);
#endif
}

// The "key value" lines of a peer's answer: per key its values, each
// followed by ";".
inline std::map<std::string, std::string> ReadPeerAnswer(const std::string& path)
{
    std::map<std::string, std::string> out;
    std::ifstream f(path);
    std::string line;
    while (std::getline(f, line)) {
        const size_t space = line.find(' ');
        out[line.substr(0, space)] += (space == std::string::npos ? "" : line.substr(space + 1)) + ";";
    }
    return out;
}

}  // namespace vektest
