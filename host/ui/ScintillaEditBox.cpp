#include "host/ui/ScintillaEditBox.h"

#include "host/doc/Exceptions.h"
#include "host/ui/MdxLexer.h"

#include <algorithm>

namespace {
constexpr const char* SourcePath = "host/ui/ScintillaEditBox";
}

ScintillaEditBox::ScintillaEditBox(QWidget* parent)
    : QsciScintilla(parent)
    , m_lexer(new MdxLexer(this))
{
    setUtf8(true);
    setLexer(m_lexer);
    // A formula box has no use for line numbers or markers.
    setMarginWidth(0, 0);
    setMarginWidth(1, 0);
    setMarginWidth(2, 0);
    setBraceMatching(QsciScintilla::SloppyBraceMatch);
    setIndentationsUseTabs(false);
    setTabWidth(4);
    setAutoIndent(true);
}

ScintillaEditBox::~ScintillaEditBox()
{
    // QsciScintilla would detach the lexer in its own destructor, after this part of the object
    // is gone; detach it while the lexer is known to be alive.
    setLexer(nullptr);
}

long ScintillaEditBox::ToBytePosition(int position) const
{
    const long length = SendScintilla(SCI_GETLENGTH);
    const long units = SendScintilla(SCI_COUNTCODEUNITS, 0UL, length);
    const long clamped = std::clamp<long>(position, 0, units);
    return clamped == units ? length : SendScintilla(SCI_POSITIONRELATIVECODEUNITS, 0UL, clamped);
}

int ScintillaEditBox::GetCaretPosition() const
{
    return static_cast<int>(SendScintilla(SCI_COUNTCODEUNITS, 0UL, SendScintilla(SCI_GETCURRENTPOS)));
}

void ScintillaEditBox::SetCaretPosition(int position)
{
    SendScintilla(SCI_SETCURRENTPOS, static_cast<unsigned long>(ToBytePosition(position)));
    SendScintilla(SCI_SCROLLCARET);
}

void ScintillaEditBox::SetSelection(int anchor, int position)
{
    const long caret = ToBytePosition(position);
    if (anchor < 0) {
        SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(caret));
        return;
    }
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(ToBytePosition(anchor)), caret);
}

void ScintillaEditBox::SetWrapMode(int mode)
{
    ZEL_LOGIC_CHECK(SourcePath, mode >= WrapNone && mode <= WrapWhitespace);
    setWrapMode(static_cast<WrapMode>(mode));
}
