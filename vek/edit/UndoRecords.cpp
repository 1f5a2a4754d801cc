#include "vek/edit/UndoRecords.h"

#include "vek/model/display/DisplayOptions.h"

CDisplayOptionOn::CDisplayOptionOn(int option) : m_option(option)
{
    if (option >= kOptionWordBit && option < kOptionWordBit + 32) {
        m_was = theDisplayOptions.WordBit(option - kOptionWordBit);
        theDisplayOptions.SetWordBit(option - kOptionWordBit, true);
    } else if ((option >= 0 && option < 32) || (option >= 36 && option < 40)) {
        m_saved = theDisplayOptions.Switch(option);
        theDisplayOptions.Switch(option) = 1;
    } else {
        m_option = -1;
    }
}

CDisplayOptionOn::~CDisplayOptionOn()
{
    if (m_option >= kOptionWordBit)
        theDisplayOptions.SetWordBit(m_option - kOptionWordBit, m_was);
    else if (m_option >= 0)
        theDisplayOptions.Switch(m_option) = m_saved;
}
