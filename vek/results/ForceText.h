#pragma once
// Member forces as numbers beside the members: the table of one force
// combination or of an envelope over all of them, for beams, trusses,
// springs, curved beams, pipes and walls, its reference value for the
// result filter and the labels drawn beside each member.
#include <string>
#include <vector>

// ForceText::Update: switches the other force pictures off, fills the table
// for the current combination (envelope 0) or as an envelope, with a message
// when the results cannot be read. 1 on success, else 0 (table off).
int UpdateForceText();
int FillForceTextOfComb();
int FillForceTextEnvelope();
// The largest |first component| (envelope 1) or |first| + |second|
// (envelope 2) over the table, which the result filter compares against.
void CalcForceTextReference();

// A force value as a label shows it: fewer decimals the larger it is,
// trailing zeros dropped.
std::string FormatForceValue(double value);
// The labels of one member of the table, last section first: one per section
// that passes the filter, the controlling combination first in envelopes 1
// and 2. Nothing when the member is not in the table.
void FormatValueLabel(int id, std::vector<std::string>& out);
