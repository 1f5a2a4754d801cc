#pragma once
// Result records of the element-force queries: forces of line, shell and wall
// elements, steel-frame check values and frame reinforcement. Records with a
// variable number of rows own their arrays; every allocation and release of
// those arrays happens inside KorvaLib (its own heap), never in the caller.
#include <cstdint>
#include "korvalib/base/KorvaApi.h"

class bofstream;
class bifstream;

// Forces of one beam: ID, section rows of 7 doubles (position, 6 forces).
class KORVA_API DFrameForce {
public:
    int m_nID;
    unsigned char nSect;
    double (*pSect)[7];

    DFrameForce();
    DFrameForce(const DFrameForce& o);
    virtual ~DFrameForce();
    DFrameForce& operator=(const DFrameForce& o);

    // Replaces the rows by a copy of count rows; 0 (record unchanged) when
    // count does not fit the 8-bit count or memory is short.
    int SetSectForce(int count, const double rows[][7]);
    // Appends one row; 0 when the count would pass 255.
    int AddSectForce(const double row[7]);
    void Clear();

    int CopyFrom(const class DTrussForce& f, double length);
    int CopyFrom(const class DSpringForce& f, double length);
    int CopyFrom(const class DCframeForce& f, double length);
    int CopyFrom(const class DPipeForce& f, double length);
    int CopyFrom(const class DWallForce& f, double length);

    virtual void Serialize(bofstream& out);
    virtual void Serialize(bifstream& in);

protected:
    // Makes room for count rows (count <= 255), reusing the array when it is
    // big enough; the rows are zeroed. 0 when out of memory.
    int PrepareRows(int count);
    // Sets the ID, then rows at both ends (and at the middle when forceM is
    // given) of six forces each; 0 when out of memory.
    int SetEndRows(int id, double length, const double* forceI, const double* forceM, const double* forceJ);
    int nAlloc;
};

class KORVA_API DTrussForce {
public:
    int m_nID;
    double force;
    DTrussForce();
    virtual ~DTrussForce();
    virtual void Serialize(bofstream& out);
    virtual void Serialize(bifstream& in);
};

class KORVA_API DCframeForce {
public:
    int m_nID;
    double forceI[6];
    double forceJ[6];
    DCframeForce();
    virtual ~DCframeForce();
    virtual void Serialize(bofstream& out);
    virtual void Serialize(bifstream& in);
};

class KORVA_API DPipeForce {
public:
    int m_nID;
    unsigned char bMiddle;  // 1 when a middle section is stored
    double forceI[6];
    double forceM[6];
    double forceJ[6];
    DPipeForce();
    virtual ~DPipeForce();
    virtual void Serialize(bofstream& out);
    virtual void Serialize(bifstream& in);
};

// Not polymorphic.
class KORVA_API DSpringForce {
public:
    int m_nID;
    double force;
    DSpringForce();
    void Serialize(bofstream& out);
    void Serialize(bifstream& in);
};

// Forces of one shell element: node rows of 8 doubles.
class KORVA_API DShellForce {
public:
    int m_nID;
    short nNode;
    double (*pNode)[8];

    DShellForce();
    DShellForce(const DShellForce& o);
    virtual ~DShellForce();
    DShellForce& operator=(const DShellForce& o);

    int SetNodeForce(int count, const double rows[][8]);
    void Clear();
    virtual void Serialize(bofstream& out);
    virtual void Serialize(bifstream& in);
};

class KORVA_API DWallForceElement {
public:
    double value[12];  // 0..5 first end, 6..11 second end
    DWallForceElement();
    DWallForceElement(const DWallForceElement& o) = default;
    DWallForceElement& operator=(const DWallForceElement& o);
};

// Forces of one wall: up to five pieces, depending on the kind of hole.
class KORVA_API DWallForce {
public:
    enum { InvalidHole = 255, SlotCount = 5 };
    int m_nID;
    unsigned char nHoleKind;  // 0..3, 255 invalid
    unsigned char nEndKind;   // 0 both ends, 1 first, 2 second
    DWallForceElement* pPiece[SlotCount];

    DWallForce();
    DWallForce(const DWallForce& o);
    virtual ~DWallForce();
    DWallForce& operator=(const DWallForce& o);

    void ClearMemory();
    // Releases the pieces, then allocates and zeroes the slots of the hole
    // kind; 0 when out of memory (no slots then).
    int AllocAndZeroMemoryAccordnHole();
    int IsValid() const;
    // Slots used by a hole kind (bit i = slot i+1); 0 for kinds above 3.
    static int SlotMask(int holeKind);
    static int PieceCount(int holeKind);

    virtual void Serialize(bofstream& out);
    virtual void Serialize(bifstream& in);
};

// Steel-frame check values of one member: section rows of 21 doubles.
class KORVA_API DSframeCheck {
public:
    int m_nID;
    unsigned char nSect;
    double (*pSect)[21];

    DSframeCheck();
    DSframeCheck(const DSframeCheck& o);
    virtual ~DSframeCheck();
    DSframeCheck& operator=(const DSframeCheck& o);

    int SetSectCheck(int count, const double rows[][21]);
    int AddSectCheck(const double row[21]);
    void Clear();
    virtual void Serialize(bofstream& out);
    virtual void Serialize(bifstream& in);
};

// Reinforcement of one concrete member.
class KORVA_API DFrameRein {
public:
#pragma pack(push, 1)
    struct DReinData {
        float pos;
        int16_t upCode;
        float up1, up2;
        int16_t downCode;
        float down1, down2;
        int8_t dir2Kind;
        int16_t dir2Code;
        float dir2v1, dir2v2;
        int8_t dir3Kind;
        int16_t dir3Code;
        float dir3v1, dir3v2;
        int8_t hoopFlag;
        int16_t hoopCode;
        float hoop1, hoop2;
    };
#pragma pack(pop)

    int m_nID;
    char nKind;  // 1 beam, 2 column, other inclined
    unsigned char nSect;
    DReinData* pSect;
    char nTorKind;  // 12 by default
    short nTorCode;
    float fTor[4];

    DFrameRein();
    DFrameRein(const DFrameRein& o);
    virtual ~DFrameRein();
    DFrameRein& operator=(const DFrameRein& o);

    void Clear();
    // Resizes to n records; kept records stay, new ones are zeroed. A count
    // outside 0..255 is refused (0, record unchanged), as is a lack of memory.
    int SetSectNum(int n);
    int SetSectData(int n, const DReinData data[]);

    virtual void Serialize(bofstream& out);
    virtual void Serialize(bifstream& in);

protected:
    friend class DResult;
    // Readers of one section's groups from the solver's reinforcement file;
    // each returns 0 on a short read or an unknown section index.
    int ReadUpperRein(bifstream& in, int i);
    int ReadDownRein(bifstream& in, int i);
    int ReadHoopRein(bifstream& in, int i);
    int ReadDir2Rein(bifstream& in, int i);
    int ReadDir3Rein(bifstream& in, int i);
    int ReadTorRein(bifstream& in);
    int ReadDirRein(bifstream& in, int i, int third);
};
static_assert(sizeof(DFrameRein::DReinData) == 57, "reinforcement section record is 57 bytes");
