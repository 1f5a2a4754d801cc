#pragma once
// The left panel's rules without its window: the generation methods each
// generating operation offers, the storey list and the texts of the storey
// and work-platform buttons, the current load case as typed, the layout
// width and the labels of the axis symbol.
#include <string>
#include <vector>

namespace leftpanel {

// ---- generation methods ----
// The codes: 1 single, 2 chain, 3 window, 4 line, 5 quadrilateral, 6 arc,
// 7 crossing lines, 8 one-point shells.
constexpr int kMethodCount = 8;
// The string resource of a code's entry; 0 for a code outside 1..8.
int MethodStringId(int code);
// The entry text of a code (the string table holds the same).
const char* MethodText(int code);
// The codes an operation offers, in list order; empty for an operation that
// generates nothing.
std::vector<int> MethodsOf(int operation);
// The code an entry names by its first key word, or keep when none is in it.
int MethodFromText(const char* text, int keep);
// The code the list selects for an operation: the remembered one when the
// operation offers it, else 1.
int MethodFor(int operation, int remembered);
// Whether a code may be used on a work platform (1 plan, 2 elevation, 3 free 3-D).
bool MethodAllowed(int code, int viewMode);

// ---- storeys and the work platform ----
constexpr const char* kAllStoreys = "所有层(对平面工作平台无效)";
// The storey-range button's text.
std::string StoreyRangeText();
// The work-platform button's text; with storeys the plan platform moves to
// the current storey's elevation first.
std::string PlatformText();
// The storey list: "all storeys" first, then storeys 0..count; empty without storeys.
std::vector<std::string> StoreyEntries();
// The entry of the current storey.
int CurrentStoreyEntry();
// A storey chosen in the list (entry as StoreyEntries gives them): the
// current storey, the shown flags, the work platform, the view and the
// panel's texts follow. Nothing for an entry outside the list.
void ChooseStoreyEntry(int entry);

// ---- the current load case ----
constexpr int kMaxLoadCase = 32767;
// The number typed, 0 when the text is no whole number in 1..kMaxLoadCase.
int ParseLoadCase(const char* text);
enum class ELoadCaseChange { Same, Changed, Refused };
// Whether the view shows loads (a new load case then redraws it).
bool LoadsShown();
// Stores the typed load case (1 when it is refused).
ELoadCaseChange StoreLoadCase(const char* text);

// ---- layout and the axis symbol ----
// Whether the panel should be wide: any of the storey-range button and the
// two method lists is enabled.
inline bool WantsWide(bool rangeEnabled, bool methodsEnabled, bool arcEnabled)
{
    return rangeEnabled || methodsEnabled || arcEnabled;
}
// Whether the arc-method list is enabled: by the method list's entry when
// that list is enabled, else while boundaries are drawn (operation 806).
bool ArcListEnabled(bool methodsEnabled, const char* methodEntry, int operation);
// The three axis labels for a work platform (1 plan, 2 elevation, 3 free 3-D).
void AxisLabels(int viewMode, bool planeModel, const char* out[3]);
// Text alignment of a 3-D axis label by where its line ends (dx, dy from the
// centre, y down) against a quarter t of the picture's height: -1 the label
// extends to the left / upwards, 1 to the right / downwards.
void LabelSides(double dx, double dy, double t, int& horizontal, int& vertical);

}  // namespace leftpanel
