#pragma once
// What the node's picture is made of, and what it asks of other parts.
#include <cstdint>

class CNode;

// The entry of the element-kind colours nodes are drawn in (kind code 9).
constexpr int kNodeColourIndex = 8;
// The display switch of the tower labels.
constexpr int kTowerSwitch = 5;

struct CNodeDrawHooks {
    // Snapping takes each live node drawn as a candidate point.
    void (*offerSnapPoint)(const double p[3], int node) = nullptr;
    // The result display's value of a node, labelled "%.3g"; false: none.
    bool (*resultValue)(int node, double& value) = nullptr;
};
extern CNodeDrawHooks theNodeDrawHooks;

// The marker's colour: background when erased, selection, layer or node colour.
uint32_t NodeColour(const CNode& n);
uint32_t NodeLabelColour(const CNode& n);
// The label lines shown under their switches: number, tower, temperature,
// result value. Returns how many.
int NodeLabels(const CNode& n, char texts[4][40]);
