#pragma once
// The colours the model is drawn with and the ten line widths, kept in the
// profile's section "COLOR", and the black set swapped in for printing.
#include <cstdint>
#include <vector>

class CDisplayColors {
public:
    CDisplayColors();
    // Every field to its default.
    void SetDefaults();
    void ReadProfile();
    void WriteProfile() const;
    // Swaps the black printing colours in; `save` gets what they replaced.
    void UseBlack(std::vector<uint32_t>& save);
    void RestoreColors(const std::vector<uint32_t>& save);

    int32_t m_toLayer;     // colour elements by their layer's colour
    int32_t m_printBlack;  // print in black
    int32_t m_emfBlack;    // metafile pictures in black
    uint32_t m_back;       // 0x00BBGGRR
    uint32_t m_select;
    uint32_t m_ele[19];
    uint32_t m_eleText[10];
    uint32_t m_eleLoad[7];
    uint32_t m_stiffEnd;
    uint32_t m_tightWire;
    uint32_t m_rest;
    uint32_t m_spring;
    uint32_t m_wind;
    uint32_t m_axis[2];
    uint32_t m_stiffReg[2];
    uint32_t m_direct[3];
    uint32_t m_boundC;
    uint32_t m_post[9];
    uint8_t m_lineWidth[10];  // pixels, 1..255

    // The fields that black printing replaces, in their fixed order.
    static constexpr int kBlackFields = 51;

private:
    template <class F>
    void ForBlackFields(F f);
};

extern CDisplayColors theDisplayColors;

// Parses up to n comma-separated hexadecimal values ("0x" optional) into
// out; stops at the first that does not parse. Returns how many were read.
int ParseHexList(const char* text, uint32_t* out, int n);
