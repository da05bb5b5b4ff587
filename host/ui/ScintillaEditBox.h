#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <Qsci/qsciscintilla.h>

class MdxLexer;

// The toolkit's multi-line formula editor: a QScintilla editor with MDX syntax colouring (its own
// MdxLexer, a child object) in the code font, wrapping and caret handling by character position.
// The inherited textChanged() signal reports every change of the text, whether typed or set.
//
// Positions are character positions in text() (UTF-16 code units, as QString counts them), not
// Scintilla's byte positions; a position outside the text is clamped to it.
class ZELHOST_UI_EXPORT ScintillaEditBox : public QsciScintilla
{
    Q_OBJECT

public:
    explicit ScintillaEditBox(QWidget* parent = nullptr);
    ~ScintillaEditBox() override;

    int GetCaretPosition() const;
    // Moves the caret and keeps the selection anchor where it was, so a selection may result.
    void SetCaretPosition(int position);
    // Selects from `anchor` to `position`, the caret at `position`. A negative anchor leaves no
    // selection, the caret at `position`.
    void SetSelection(int anchor, int position);
    // A QsciScintilla::WrapMode value (1 = at word boundaries); any other value raises the logic
    // exception.
    void SetWrapMode(int mode);

    MdxLexer* GetMdxLexer() const { return m_lexer; }

private:
    long ToBytePosition(int position) const;

    MdxLexer* m_lexer = nullptr;
};
