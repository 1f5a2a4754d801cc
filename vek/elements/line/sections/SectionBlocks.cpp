// The steel sections and the prestressing cables own their project-file block.
#include "vek/model/materials/SteelSectBlock.h"
#include "vek/model/project/ProjectBlocks.h"

namespace {

const bool registered = [] {
    SetProjectBlockOwner(20, {SaveSteelSectBlock, LoadSteelSectBlock});
    return true;
}();

}  // namespace
