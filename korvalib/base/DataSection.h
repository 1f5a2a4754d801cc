#pragma once
// Section tags of the library file (.KVD). The file is a stream file: the
// header, then sections of a 9-byte tag (8 capital letters or digits and a
// zero), a 32-bit body length and the body, one store's serialisation.
// Readers compare tags exactly and skip unknown sections by their length.
#include "korvalib/base/KorvaApi.h"

class KORVA_API DDataSection {
public:
    // Bytes of a tag in the file, its zero included.
    static const int TagSize = 9;

    static const char* const LevelStr;
    static const char* const LayerStr;
    static const char* const MatStr;
    static const char* const TightWireStr;
    static const char* const SpringStr;
    static const char* const NodeStr;
    static const char* const NdMassStr;
    static const char* const NdDispStr;
    static const char* const NdLoadStr;
    static const char* const NdConsStr;
    static const char* const FrameStr;
    static const char* const FrSectStr;
    static const char* const FrLoadStr;
    static const char* const SframeStr;
    static const char* const SfrSectStr;
    static const char* const SfrLoadStr;
    static const char* const TrussStr;
    static const char* const TruSectStr;
    static const char* const CframeStr;
    static const char* const CfrSectStr;
    static const char* const CfrLoadStr;
    static const char* const VframeStr;
    static const char* const VfrSectStr;
    static const char* const VfrLoadStr;
    static const char* const PipeStr;
    static const char* const PipSectStr;
    static const char* const PlaneStr;
    static const char* const PlaLoadStr;
    static const char* const ThreedStr;
    static const char* const ThrLoadStr;
    static const char* const Sol21Str;
    static const char* const Sol21LoadStr;
    static const char* const Sol8rStr;
    static const char* const Sol8rLoadStr;
    static const char* const S16Str;
    static const char* const S16LoadStr;
    static const char* const ShellStr;
    static const char* const ShellLoadStr;
    static const char* const WallStr;
    static const char* const WallLoadStr;
    static const char* const CommDataStr;
    static const char* const SpecStr;
    static const char* const SpecDirStr;
    static const char* const SpecCurStr;
    static const char* const EigenStr;
    static const char* const ReinStr;
    static const char* const ForeCombStr;
    static const char* const DispCombStr;
    static const char* const HistStr;
    static const char* const HistCurvStr;
    static const char* const HistLoadStr;
};
