#pragma once
// The information texts of nodes and springs, with the results of the open
// result set, and the distance between two picked points.
#include <string>

class CNode;
class CSpring;
class DResult;

// Where the texts are shown, and the result set they read; the window side
// binds them (the parameter-display panel, the result object). Unbound, the
// texts are made and dropped, and there are no results.
struct CInfoHooks {
    void (*showText)(const char* title, const char* text) = nullptr;
    DResult* (*results)() = nullptr;
    // The prescribed-displacement panel, opened on the current record.
    void (*openDisplacementPanel)() = nullptr;
};
extern CInfoHooks theInfoHooks;
// 2: the node information opens no displacement panel.
extern int nNodeInfoMode;

// The node's text; results are read when a result set is open.
std::string NodeInfoText(const CNode& node, DResult* results);
std::string SpringInfoText(const CSpring& spring, DResult* results);
// The first selected node (or spring), deselected, its text shown. 1 when there was one.
int ShowNodeInfo();
int ShowSpringInfo();
// The distance and coordinate differences of two points, shown.
std::string DistanceText(const double a[3], const double b[3]);
void ShowDistance(const double a[3], const double b[3]);
