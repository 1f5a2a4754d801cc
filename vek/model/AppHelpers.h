#pragma once
// What the program's portable code asks of the application: message boxes,
// the document's modified mark, the program's folders, a timed message pump,
// a value prompt; and the helpers every part shares: a checked opener of text
// inputs, the splitting of typed values, relative points, the division of an
// arc, and two list writers of the solver's data file. The application
// defines the first group over its windows; native tests link a stand-in
// that records them.
#include <cstdio>
#include <vector>

#include "framework/String.h"
#include "framework/WinTypes.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ViewLink.h"

class DKorvaDataFile;
class DElementLoad;

// ---- defined by the application (and by the tests' stand-in) --------------------------

// Shows a modal message box; returns the button chosen (IDOK, IDYES, ...).
int AppMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The same with the text from the string table.
int AppMessageBoxID(UINT stringId, UINT type = MB_OK, UINT helpId = 0);
// Marks the open document modified (1) or saved (0).
void SetDocumentModified(int modified = 1);
// The temporary folder with a trailing "\"; returns the length the system
// gave (0 on failure).
int GetTempDir(CString& dir);
// The program's folder with its trailing "\".
void GetProgramDir(char dir[260]);
// The program's folder + "Resource\" + name; returns path.
char* GetResourcePath(const char* name, char path[260]);
// Keeps paints and timers running for ms milliseconds. A state byte, when
// given, reads 127 meanwhile and gets its value back at the end.
void PumpMessagesFor(unsigned ms, unsigned char* waitState = nullptr);
// Asks for one value in a small modal prompt; value holds the default on the
// way in and the answer after OK. 1 on OK.
int AppPromptValue(const char* prompt, CString& value);

// ---- portable, in the model library -------------------------------------------------

// The button a box of that type answers when nobody is there to choose:
// its default button.
int DefaultButtonOf(UINT type);
// A folder as the system gave it, with one "\" appended when missing (an
// empty text stays empty).
CString WithTrailingBackslash(const char* folder);
// The folder of a program's path, cut after its last "\"; a path without any
// gets one "\" appended. At most 259 characters are kept.
void FolderOfModule(const char* modulePath, char dir[260]);

// fopen; with check set, a file beginning with a UTF-16 or UTF-8 byte-order
// mark is refused with a message and closed: null.
FILE* OpenTextFileChecked(const char* path, const char* mode, int check);

// Splits typed input into at most n texts: blanks, commas, or a comma with
// blanks around it separate values, not inside parentheses. Texts left over
// are "0" with zeroFill, else empty. Returns the count of texts found.
int SplitInputTexts(const char* text, int n, CString* out, int zeroFill);

// The same into expression records (anything with SetExpression).
template <class Expr>
void SplitInputValues(const char* text, int n, Expr* values, int zeroFill)
{
    if (n <= 0) return;
    std::vector<CString> texts(static_cast<size_t>(n));
    SplitInputTexts(text, n, texts.data(), zeroFill);
    for (int i = 0; i < n; ++i) values[i].SetExpression(texts[static_cast<size_t>(i)]);
}

// A point from a base point and three typed relative values (expression
// records with public x, y, z and Evaluate): base + factor x value, in the
// elevation work plane's frame there; in the plane-model mode the first two
// values are the Y and Z steps.
template <class Expr>
void EvalRelativePoint(Expr values[3], const double base[3], double factor, double result[3])
{
    const bool plane = theProjectOptions.bPlaneModel != 0;
    const bool frame = ViewProjectionMode() == 2 && !plane;
    double b[3] = {base[0], base[1], base[2]};
    if (frame) ToViewFrame(base, b);
    double v[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        values[i].x = b[0];
        values[i].y = b[1];
        values[i].z = b[2];
        if (!plane || i < 2) v[i] = values[i].Evaluate();
    }
    if (plane) {
        result[0] = b[0];
        result[1] = b[1] + factor * v[0];
        result[2] = b[2] + factor * v[1];
    } else {
        for (int i = 0; i < 3; ++i) result[i] = b[i] + factor * v[i];
    }
    if (frame) FromViewFrame(result, result);
}

// What dividing an arc creates; the element families bind their own. An
// unbound hook creates nothing (the node hook then gives 0).
struct ArcDivisionHooks {
    // Node at a global point: an existing one within the tolerance, or a new one.
    int (*findOrAddNode)(const double point[3]) = nullptr;
    // A column from the node down to a new node one storey height below.
    void (*addColumnBelowNode)(int node) = nullptr;
    void (*addFrame)(int node1, int node2) = nullptr;
    void (*addWall)(int node1, int node2) = nullptr;
    // Room in the stores for count new objects of the command's kind.
    void (*reserveCapacity)(int command, int count) = nullptr;
};
extern ArcDivisionHooks theArcDivisionHooks;
// The count given at the last arc division (the next one's default).
extern int nArcDivisionCount;

// Asks how many nodes, columns, beams or walls (by the current command: 40,
// 81, 80, other) to make along the arc and makes them. The centre is a
// global point; angles in radians in the view plane. 1 when anything was made.
int InputArcDivision(const double centre[3], double startAngle, double endAngle, double radius);

// "L=" and the column's values of rows 1..m, m the last row whose value is
// above 0; a single 0 when none is. Row i holds one value per element, the
// element numbered column at index column - 1.
void WriteTrimmedIntList(DKorvaDataFile& file, const int* const* rows, int column, int n);
// letter "=" and the load number of every load case from 1 to the highest in
// the list (0 for a case without one); a single 0 for an empty list.
void WriteElementLoadRow(DKorvaDataFile& file, const DElementLoad& loads, const char* letter);
