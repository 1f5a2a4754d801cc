#pragma once
// The project file (.PRJ): an 11-byte header and the 33 blocks of the model
// in their fixed order. A load that fails once the model was touched puts the
// model back as it was; a save goes to a temporary file beside the target
// and replaces the old file only when every byte was written.
#include <cstdint>
#include <cstdio>

class bifstream;
class bofstream;

// 1 while the file being read (or last read) is one of the plan-input program.
extern uint8_t bTesmarProject;

// The version a header's three version characters name: three digits as a
// number ("706"), or a digit, a point and a digit as hundreds and tens ("4.6"
// is 460); -1 for anything else.
int ParseProjectVersion(const char text[3]);
bool IsAcceptedProjectVersion(int v);

// Reads and checks the magic and the version (9 bytes). 1, with nPrjVersion
// and bTesmarProject set, when the file can be read; else a message and 0.
int CheckProjectHeader(bifstream& in);

// Reads the file into the model. 1 on success; 0 after a message, the model,
// its records and nPrjVersion as they were.
int LoadProject(const char* path);

// Writes the project named in the project options into the current folder
// ("~" in front of the name for the autosave copy). 1 when written; 0 when
// there is no name or the file could not be written (said in a message, or
// in the prompt bar for the autosave).
int SaveProject(int autosave);
// The same to a given path. Without a message on failure.
int SaveProjectFile(const char* path);

// The header and every block to an open stream. 1 when all was written.
int WriteProjectStream(bofstream& out);

// The model written in project form when it is made, to be put back when an
// operation that emptied the model fails. The image is a nameless scratch
// file that the system keeps in memory as far as it can and removes when it
// is closed.
class CModelImage {
public:
    CModelImage();
    ~CModelImage();
    CModelImage(const CModelImage&) = delete;
    CModelImage& operator=(const CModelImage&) = delete;

    bool IsTaken() const { return m_saved; }
    // Empties the model and reads the image back; false when there was none.
    bool Restore() const;

private:
    FILE* m_file = nullptr;
    bool m_saved = false;
};
