#pragma once
// The load-combination dialogs' work without windows: the rows of a factor
// grid and the factors they make, the tip of a list row, the sections of the
// combination library and the combinations of one section, and the command
// line that opens the library in Notepad.
#include <string>
#include <vector>

#include "analysis/AxisGridItem.h"
#include "containers/MLArraySort.h"
#include "vek/model/loads/LoadCombination.h"

class CLibTextFile;

namespace combrules {

constexpr int kMaxLoadCase = 32767;

// One row per factor: the load case in the first column, the factor in the second.
void FactorsToRows(const LoadFactorList& factors, MLArraySort<CAxisGridItem>& rows);
// The factors of the rows (the first column's number as the load case);
// rows with a factor of at most 0.0001 in magnitude drop out. Returns the
// 0-based index of the first row with a factor whose case lies outside
// 1..32767 (nothing is then changed), or -1 when all rows were taken.
int FactorsFromRows(const MLArraySort<CAxisGridItem>& rows, LoadFactorList& factors);

// "组合%d=" and the terms joined by "+", cut at a character boundary to at
// most room - 1 bytes (room: the tip buffer with its end byte).
std::string CombinationTip(const LoadCombination& c, int row, size_t room);

// The section lines of the library, in file order.
std::vector<std::string> LibrarySections(CLibTextFile& lib);
// The key of a section entry: its text up to and including the first "]";
// empty when it has none.
std::string SectionKey(const char* entry);
// The combinations of the section whose heading begins with key (letters of
// either case match), each data line upper-cased and parsed, up to the first
// line that does not parse. Empty when there is no such section.
std::vector<LoadCombination> LibrarySection(CLibTextFile& lib, const std::string& key);

// notepad.exe with the path in quotes, so that blanks in it stay one argument.
std::string NotepadCommandLine(const char* path);

}  // namespace combrules
