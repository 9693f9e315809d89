// The document: it holds no game data (everything lives in the view) and
// only supplies the title that the caption begins with.
#pragma once

#include <string>

class CKovraDoc {
public:
    // The document is always called "  Vantrel ", whatever file it names.
    void SetTitle();
    const std::string& GetTitle() const { return m_title; }

private:
    std::string m_title;
};

// The main frame's own title.
extern const char* const kFrameTitle;

// The caption as the frame composes it: document title, " - ", frame title.
std::string ComposeCaption(const CKovraDoc& doc, const std::string& frameTitle);
