#pragma once
// Where the node family's records of the library data set go: the library
// file's writer binds these when it exists. Unbound, the records are made
// and dropped.
class DNodeBase;
class DNodeLoad;
class DNodeSpring;
struct CKvdDataSet;

struct CKvdNodeHooks {
    void (*addNode)(CKvdDataSet& set, const DNodeBase& node) = nullptr;
    void (*addNodeLoad)(CKvdDataSet& set, const DNodeLoad& load) = nullptr;
    void (*addSpring)(CKvdDataSet& set, const DNodeSpring& spring) = nullptr;
};
extern CKvdNodeHooks theKvdNodeHooks;
