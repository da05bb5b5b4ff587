#include "host/ui/MdxLexer.h"

#include "host/doc/MdxTokenizer.h"
#include "host/ui/ZelWidgetUtil.h"

#include <Qsci/qsciscintilla.h>

#include <QtGui/QColor>
#include <QtGui/QFont>

#include <algorithm>
#include <cstring>

namespace {

MdxLexState StateFromLineState(long value)
{
    if (value < 0 || value > static_cast<long>(MdxLexState::SingleQuotedString))
        return MdxLexState::Normal;
    return static_cast<MdxLexState>(value);
}

// Bytes that `length` UTF-16 code units from `offset` take in UTF-8, the editor's encoding.
int Utf8Length(const QString& text, int offset, int length)
{
    int bytes = 0;
    const int end = offset + length;
    for (int i = offset; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            bytes += 1;
        } else if (c < 0x800) {
            bytes += 2;
        } else if (QChar::isHighSurrogate(c) && i + 1 < end && QChar::isLowSurrogate(text[i + 1].unicode())) {
            bytes += 4;
            ++i;
        } else {
            bytes += 3;
        }
    }
    return bytes;
}

} // namespace

MdxLexer::MdxLexer(QObject* parent)
    : QsciLexerCustom(parent)
{
}

MdxLexer::~MdxLexer() = default;

int MdxLexer::StyleOf(MdxTokenKind kind)
{
    switch (kind) {
    case MdxTokenKind::Whitespace:
        return Default;
    case MdxTokenKind::LineComment:
    case MdxTokenKind::BlockComment:
        return Comment;
    case MdxTokenKind::Keyword:
        return Keyword;
    case MdxTokenKind::FunctionName:
        return Function;
    case MdxTokenKind::Identifier:
        return Identifier;
    case MdxTokenKind::BracketedName:
        return BracketedName;
    case MdxTokenKind::Key:
        return Key;
    case MdxTokenKind::String:
        return String;
    case MdxTokenKind::Number:
        return Number;
    case MdxTokenKind::Operator:
        return Operator;
    case MdxTokenKind::Error:
        return Error;
    }
    return Default;
}

const char* MdxLexer::language() const
{
    return "MDX";
}

QString MdxLexer::description(int style) const
{
    switch (style) {
    case Default:
        return QStringLiteral("Default");
    case Comment:
        return QStringLiteral("Comment");
    case Keyword:
        return QStringLiteral("Keyword");
    case Function:
        return QStringLiteral("Function");
    case BracketedName:
        return QStringLiteral("Bracketed name");
    case Key:
        return QStringLiteral("Member key");
    case String:
        return QStringLiteral("String");
    case Number:
        return QStringLiteral("Number");
    case Operator:
        return QStringLiteral("Operator");
    case Error:
        return QStringLiteral("Error");
    case Identifier:
        return QStringLiteral("Identifier");
    default:
        return QString();
    }
}

// Colours that read on the white paper of the editor, each kind told apart by hue rather than by
// brightness alone.
QColor MdxLexer::defaultColor(int style) const
{
    switch (style) {
    case Comment:
        return QColor(0x00, 0x80, 0x00);
    case Keyword:
        return QColor(0x00, 0x00, 0xc0);
    case Function:
        return QColor(0x79, 0x3c, 0xa8);
    case BracketedName:
        return QColor(0x8a, 0x4b, 0x00);
    case Key:
        return QColor(0xb0, 0x00, 0x70);
    case String:
        return QColor(0xa3, 0x15, 0x15);
    case Number:
        return QColor(0x00, 0x7a, 0x70);
    case Operator:
        return QColor(0x50, 0x50, 0x50);
    case Error:
        return QColor(0xc8, 0x00, 0x00);
    default:
        return QColor(0x00, 0x00, 0x00);
    }
}

QColor MdxLexer::defaultPaper(int style) const
{
    return style == Error ? QColor(0xff, 0xe4, 0xe4) : QColor(0xff, 0xff, 0xff);
}

QFont MdxLexer::defaultFont(int style) const
{
    // Scintilla sizes fonts in points for the screen it paints on; the toolkit's sizes are
    // logical pixels of a 96 dpi screen.
    QFont font = ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_Code, false);
    font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    if (style == Keyword)
        font.setBold(true);
    else if (style == Comment)
        font.setItalic(true);
    else if (style == Error)
        font.setUnderline(true);
    return font;
}

bool MdxLexer::caseSensitive() const
{
    return false;
}

void MdxLexer::setEditor(QsciScintilla* editor)
{
    if (m_modifiedConnection)
        disconnect(m_modifiedConnection);
    QsciLexerCustom::setEditor(editor);
    Invalidate();
    if (editor) {
        m_modifiedConnection = connect(editor, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int modificationType, const char*, int length, int linesAdded, int, int, int, int,
                int) { OnModified(position, modificationType, length, linesAdded); });
    }
}

void MdxLexer::Invalidate()
{
    m_validEnd = 0;
    m_editPending = false;
    m_untrustedFrom = 0;
    m_untrustedBefore = 0;
}

long MdxLexer::Send(unsigned int message, unsigned long wParam, long lParam) const
{
    return editor()->SendScintilla(message, wParam, lParam);
}

int MdxLexer::LineStart(int line) const
{
    if (line >= static_cast<int>(Send(QsciScintillaBase::SCI_GETLINECOUNT)))
        return static_cast<int>(Send(QsciScintillaBase::SCI_GETLENGTH)) + 1;
    return static_cast<int>(Send(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line)));
}

int MdxLexer::LineOf(int position) const
{
    return static_cast<int>(Send(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)));
}

void MdxLexer::OnModified(int position, int modificationType, int length, int linesAdded)
{
    const bool inserted = modificationType & QsciScintillaBase::SC_MOD_INSERTTEXT;
    const bool deleted = modificationType & QsciScintillaBase::SC_MOD_DELETETEXT;
    if (!inserted && !deleted)
        return;
    // Positions past the edit move with the text.
    const auto shift = [&](int& at) {
        if (at <= position)
            return;
        at = inserted ? at + length : std::max(position, at - length);
    };
    shift(m_validEnd);
    shift(m_untrustedFrom);
    shift(m_untrustedBefore);
    // Without new or removed lines every line keeps its own state, so the edited line's state can
    // be compared once it is restyled. With them, Scintilla copied or dropped states around the
    // edit, and only the line after the edit holds its own state again.
    const int firstEditedLine = LineOf(position);
    const int lastEditedLine = LineOf(inserted ? position + length : position);
    const int from = LineStart(firstEditedLine);
    const int before = LineStart(linesAdded != 0 ? lastEditedLine + 1 : lastEditedLine);
    if (m_editPending) {
        m_untrustedFrom = std::min(m_untrustedFrom, from);
        m_untrustedBefore = std::max(m_untrustedBefore, before);
    } else {
        m_untrustedFrom = from;
        m_untrustedBefore = before;
        m_editPending = true;
    }
}

void MdxLexer::styleText(int start, int end)
{
    if (!editor())
        return;
    const int length = static_cast<int>(Send(QsciScintillaBase::SCI_GETLENGTH));
    const int lineCount = static_cast<int>(Send(QsciScintillaBase::SCI_GETLINECOUNT));
    start = std::clamp(start, 0, length);
    end = std::clamp(end, start, length);
    // The valid lines after an edit, up to the first line that an earlier pass did not reach.
    const int validEnd = m_validEnd >= length ? length : LineStart(LineOf(m_validEnd));

    int line = LineOf(start);
    const int lastLine = end >= length ? lineCount - 1 : LineOf(std::max(start, end - 1));
    MdxLexState state = line > 0
        ? StateFromLineState(Send(QsciScintillaBase::SCI_GETLINESTATE, static_cast<unsigned long>(line - 1)))
        : MdxLexState::Normal;
    startStyling(LineStart(line));
    int lineEnd = LineStart(line);
    while (line <= lastLine) {
        const int lineStart = LineStart(line);
        lineEnd = line + 1 < lineCount ? LineStart(line + 1) : length;
        const long previous = Send(QsciScintillaBase::SCI_GETLINESTATE, static_cast<unsigned long>(line));
        state = StyleLine(line, lineStart, lineEnd, state, line == lineCount - 1);
        ++m_styledLineCount;
        Send(QsciScintillaBase::SCI_SETLINESTATE, static_cast<unsigned long>(line), static_cast<long>(state));

        const bool beforeEdits = m_editPending && lineStart < m_untrustedFrom;
        const bool trusted = !m_editPending || beforeEdits || lineStart >= m_untrustedBefore;
        if (m_editPending && (lineStart >= m_untrustedBefore || line == lineCount - 1))
            m_editPending = false;
        // When this line ends as it did, the next lines tokenize as they did: their styles and
        // states stand, up to the first edited line or else to where the valid lines end.
        const int resumeAt = beforeEdits ? std::min(m_untrustedFrom, validEnd) : validEnd;
        if (trusted && previous == static_cast<long>(state) && lineEnd < resumeAt) {
            startStyling(resumeAt);
            if (resumeAt >= length || LineOf(resumeAt) > lastLine)
                return;
            line = LineOf(resumeAt);
            state = StateFromLineState(Send(QsciScintillaBase::SCI_GETLINESTATE, static_cast<unsigned long>(line - 1)));
            continue;
        }
        ++line;
    }
    m_validEnd = lineEnd;
}

MdxLexState MdxLexer::StyleLine(int line, int lineStart, int lineEnd, MdxLexState state, bool lastLine)
{
    const int length = lineEnd - lineStart;
    if (length <= 0)
        return state;
    const auto* bytes = reinterpret_cast<const char*>(
        Send(QsciScintillaBase::SCI_GETRANGEPOINTER, static_cast<unsigned long>(lineStart), static_cast<long>(length)));
    const QString text = QString::fromUtf8(bytes, length);

    m_styles.resize(length);
    char* styles = m_styles.data();
    int at = 0;
    MdxTokenizer tokenizer(text, state, lastLine, line + 1);
    MdxToken token;
    while (tokenizer.Next(token) && at < length) {
        // Text that is not valid UTF-8 decodes to more bytes than it has; the clamp keeps the
        // styles inside the line.
        const int bytesOfToken = std::min(Utf8Length(text, token.offset, token.length), length - at);
        std::memset(styles + at, StyleOf(token.kind), static_cast<std::size_t>(bytesOfToken));
        at += bytesOfToken;
    }
    if (at < length)
        std::memset(styles + at, Default, static_cast<std::size_t>(length - at));
    editor()->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, static_cast<uintptr_t>(length), m_styles.constData());
    return tokenizer.State();
}
