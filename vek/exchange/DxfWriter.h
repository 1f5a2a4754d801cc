#pragma once
// The DXF file being exported: groups and the LINE, 3DFACE, CIRCLE and TEXT
// entities that the drawing layer writes while an export is open. The file
// is written under a temporary name and replaces the target only when every
// write and the close succeeded.
#include <cstdio>
#include <string>

class CTransferMatrix;

class CDxfWriter {
public:
    CDxfWriter() = default;
    ~CDxfWriter();
    CDxfWriter(const CDxfWriter&) = delete;
    CDxfWriter& operator=(const CDxfWriter&) = delete;

    // Abandons an export still open (its target stays as it was) and opens
    // the new one; false when the file cannot be created.
    bool Open(const char* path);
    bool IsOpen() const { return m_file != nullptr; }
    // Writes the end of the entities and of the file, closes it and puts it
    // in place of the target. 1 only when every write, the close and the
    // replacement succeeded; otherwise the target is left as it was. 0 also
    // when no file was open.
    int Close();
    // Closes and removes the temporary file without touching the target.
    void Abandon();

    void WriteGroup(int code, const char* text);
    void WriteGroup(int code, double value);
    void WriteGroup(int code, int value);
    void WriteLayerEntry(const char* name, const char* lineType, int flags, int colour);
    void WriteLine(double x1, double y1, double z1, double x2, double y2, double z2, const char* layer);
    void WriteLine(const double* p1, const double* p2, const char* layer);
    // Filled: a 3DFACE; otherwise its four edges as LINEs.
    void WriteFace(const double* c1, const double* c2, const double* c3, const double* c4, const char* layer,
                   bool filled);
    void WriteCircle(const double* centre, double radius, const double* normal, const char* layer);
    // A TEXT entity at the point; lineOffset counts text lines across it.
    void WriteText(const double* point, const double* normal, double lineOffset, double angle, const char* text,
                   double size, unsigned alignment, const char* layer, const char* style = nullptr);
    // A TEXT entity centred on the segment, never upside down.
    void WriteTextBetween(const double* p1, const double* p2, const double* normal, double lineOffset, const char* text,
                          double size, const char* layer, const char* style = nullptr, double extraAngle = 0);
    void WriteTextAlongLine(const double* p1, const double* p2, const double* normal, double lineOffset,
                            const char* text, double size, const char* layer, const char* style = nullptr,
                            double extraAngle = 0)
    {
        WriteTextBetween(p1, p2, normal, lineOffset, text, size, layer, style, extraAngle);
    }

    // The view direction that decides which way entity normals face.
    void SetViewDir(const double* dir);

    unsigned char m_layerMode = 0;  // 0 layers by element type, 1 by the program's layers

private:
    // The entity's coordinate system: its z axis is the normal facing the viewer.
    void Ocs(const double* normal, double axes[3][3]) const;
    void OcsFrame(const double* normal, double axes[3][3], CTransferMatrix& frame) const;
    void WriteExtrusion(const double axes[3][3]);
    // TEXT with its layer, points and height, the points moved across by lineOffset lines.
    void WriteTextStart(const double* first, const double* second, double angle, double lineOffset, double height,
                        const char* text, const char* layer);
    void WriteStyle(const char* text, const char* style);
    void Check(int printed);

    FILE* m_file = nullptr;
    std::string m_target;
    std::string m_temp;
    bool m_failed = false;
    double m_viewDir[3] = {0, 0, 1};
};

extern CDxfWriter theDxfWriter;

// True when the text holds a byte below 10 as a signed character: any byte
// from 0x80 up, or a control character 1..9.
bool HasWideCharacter(const char* text);
