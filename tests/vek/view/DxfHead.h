#pragma once
// The head of a whole DXF drawing for the tests that hand one to ezdxf:
// header, line type, the text styles and the layers, then the entities'
// section opened (the writer's Close ends it).
#include <initializer_list>

#include "vek/exchange/DxfWriter.h"

namespace vektest {

inline void WriteDxfHead(CDxfWriter& w, std::initializer_list<const char*> layers)
{
    w.WriteGroup(0, "SECTION");
    w.WriteGroup(2, "HEADER");
    w.WriteGroup(9, "$ACADVER");
    w.WriteGroup(1, "AC1009");
    w.WriteGroup(0, "ENDSEC");
    w.WriteGroup(0, "SECTION");
    w.WriteGroup(2, "TABLES");
    w.WriteGroup(0, "TABLE");
    w.WriteGroup(2, "LTYPE");
    w.WriteGroup(70, 1);
    w.WriteGroup(0, "LTYPE");
    w.WriteGroup(2, "CONTINUOUS");
    w.WriteGroup(70, 0);
    w.WriteGroup(3, "Solid line");
    w.WriteGroup(72, 65);
    w.WriteGroup(73, 0);
    w.WriteGroup(40, 0.0);
    w.WriteGroup(0, "ENDTAB");
    w.WriteGroup(0, "TABLE");
    w.WriteGroup(2, "STYLE");
    w.WriteGroup(70, 2);
    for (const char* style : {"STANDARD", "宋体"}) {
        w.WriteGroup(0, "STYLE");
        w.WriteGroup(2, style);
        w.WriteGroup(70, 0);
        w.WriteGroup(40, 0.0);
        w.WriteGroup(41, 1.0);
        w.WriteGroup(50, 0.0);
        w.WriteGroup(71, 0);
        w.WriteGroup(42, 0.2);
        w.WriteGroup(3, style[0] == 'S' ? "txt" : style);
        w.WriteGroup(4, "");
    }
    w.WriteGroup(0, "ENDTAB");
    w.WriteGroup(0, "TABLE");
    w.WriteGroup(2, "LAYER");
    for (const char* l : layers) w.WriteLayerEntry(l, "CONTINUOUS", 0, 7);
    w.WriteGroup(0, "ENDTAB");
    w.WriteGroup(0, "ENDSEC");
    w.WriteGroup(0, "SECTION");
    w.WriteGroup(2, "ENTITIES");
}

}  // namespace vektest
