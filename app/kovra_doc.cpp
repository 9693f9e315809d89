#include "kovra_doc.h"

const char* const kFrameTitle = " ver 1.1";

void CKovraDoc::SetTitle()
{
    m_title = "  Vantrel ";
}

std::string ComposeCaption(const CKovraDoc& doc, const std::string& frameTitle)
{
    return doc.GetTitle() + " - " + frameTitle;
}
