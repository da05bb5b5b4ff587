#pragma once

#include "host/doc/MdxToken.h"
#include "host/ui/ZelHostUiExport.h"

#include <Qsci/qscilexercustom.h>

#include <QtCore/QByteArray>

// MDX syntax colouring for a QScintilla editor, driven by the shared MdxTokenizer.
//
// It styles whole lines and keeps, as each line's Scintilla line state, the construct that the
// line leaves open (a block comment, a bracketed name, a string ...), so that any line can be
// restyled from the state of the line before it. After an edit it restyles from the edited line
// and stops at the first line past the edit that ends in the same state as before: the lines
// after it are styled as they were. A keystroke therefore restyles a line or two, and opening a
// block comment restyles down to where the comment now ends.
//
// To know which lines an edit touched, it follows the editor's modification notifications; it
// keeps no copy of the text.
class ZELHOST_UI_EXPORT MdxLexer : public QsciLexerCustom
{
    Q_OBJECT

public:
    enum Style : int
    {
        Default = 0,
        Comment,
        Keyword,
        Function,
        BracketedName,
        Key,
        String,
        Number,
        Operator,
        Error,
        Identifier,
        StyleCount
    };

    explicit MdxLexer(QObject* parent = nullptr);
    ~MdxLexer() override;

    static int StyleOf(MdxTokenKind kind);

    const char* language() const override;
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QColor defaultPaper(int style) const override;
    QFont defaultFont(int style) const override;
    bool caseSensitive() const override;

    void setEditor(QsciScintilla* editor) override;
    void styleText(int start, int end) override;

    // Forgets which lines hold valid styles, so that the next styling pass styles everything it
    // is asked for. For a caller that cleared the document's styles behind the lexer's back.
    void Invalidate();

    // Lines styled since the counter was last reset: what an edit cost.
    int GetStyledLineCount() const { return m_styledLineCount; }
    void ResetStyledLineCount() { m_styledLineCount = 0; }

private:
    void OnModified(int position, int modificationType, int length, int linesAdded);
    MdxLexState StyleLine(int line, int lineStart, int lineEnd, MdxLexState state, bool lastLine);
    long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    int LineStart(int line) const;
    int LineOf(int position) const;

    QMetaObject::Connection m_modifiedConnection;
    // Styles and line states are valid (consistent with the text and with each other) before
    // this position. Unlike Scintilla's own styled end it moves with edits rather than back to
    // them, because the lines after an edit keep valid styles of their own.
    int m_validEnd = 0;
    // Edits not restyled yet lie in the lines from m_untrustedFrom up to m_untrustedBefore. The
    // stored end state of a line there cannot be compared: the line's text changed, or an edit
    // inserted or removed lines and Scintilla shifted the line states with them.
    bool m_editPending = false;
    int m_untrustedFrom = 0;
    int m_untrustedBefore = 0;
    int m_styledLineCount = 0;
    QByteArray m_styles;
};
