#include "host/ui/ScintillaEditBox.h"
#include "host/doc/Exceptions.h"
#include "host/ui/MdxLexer.h"
#include "tests/support/ZelTestCase.h"

#include <QtCore/QRandomGenerator>
#include <QtTest/QtTest>

using namespace ZelTest;

namespace {

// Styles the document up to `end` (-1: all of it) the way painting does: from where the styles
// are known to be out of date.
void Colourise(ScintillaEditBox& editor, long end = -1)
{
    const long endStyled = editor.SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED);
    editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, static_cast<unsigned long>(endStyled), end);
}

// Asks for the whole document to be styled again from the top.
void Recolour(ScintillaEditBox& editor)
{
    editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
}

// The style of the character at `position` (an index into text()).
int StyleAt(ScintillaEditBox& editor, int position)
{
    const QByteArray before = editor.text().left(position).toUtf8();
    return static_cast<int>(
        editor.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(before.size())));
}

QByteArray AllStyles(ScintillaEditBox& editor)
{
    const long length = editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    QByteArray styles;
    styles.reserve(static_cast<int>(length));
    for (long i = 0; i < length; ++i)
        styles.append(
            static_cast<char>(editor.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(i))));
    return styles;
}

int LineStart(ScintillaEditBox& editor, int line)
{
    return static_cast<int>(
        editor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line)));
}

void InsertAt(ScintillaEditBox& editor, int bytePosition, const char* text)
{
    editor.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, static_cast<unsigned long>(bytePosition), text);
}

QString LongFormula(int lines)
{
    QString text;
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("[Measures].[Sales] * %1 + \"text\" -- line %1\n").arg(i);
    return text;
}

} // namespace

class ScintillaEditBoxTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void caretAndSelectionCountCharactersNotBytes()
    {
        ScintillaEditBox editor;
        const QString text = QStringLiteral("Région = \"€\"\r\n\U0001D11E + x");
        editor.setText(text);
        for (int position = 0; position <= text.size(); ++position) {
            if (position > 0 && text[position - 1].isHighSurrogate())
                continue; // inside a surrogate pair there is no caret position
            editor.SetSelection(-1, position);
            QCOMPARE(editor.GetCaretPosition(), position);
            QVERIFY(!editor.hasSelectedText());
        }
        editor.SetSelection(-1, 1000);
        QCOMPARE(editor.GetCaretPosition(), text.size());
        editor.SetSelection(-1, -5);
        QCOMPARE(editor.GetCaretPosition(), 0);

        editor.SetSelection(2, 11);
        QCOMPARE(editor.selectedText(), text.mid(2, 9));
        QCOMPARE(editor.GetCaretPosition(), 11);
        editor.SetSelection(11, 2);
        QCOMPARE(editor.selectedText(), text.mid(2, 9));
        QCOMPARE(editor.GetCaretPosition(), 2);

        // Moving the caret alone keeps the anchor; the edit box then clears the selection itself.
        editor.SetSelection(-1, 3);
        editor.SetCaretPosition(6);
        QCOMPARE(editor.selectedText(), text.mid(3, 3));
        editor.SetSelection(-1, editor.GetCaretPosition());
        QVERIFY(!editor.hasSelectedText());
        QCOMPARE(editor.GetCaretPosition(), 6);
    }

    void wrapModeAndTextChanged()
    {
        ScintillaEditBox editor;
        editor.SetWrapMode(1);
        QCOMPARE(editor.wrapMode(), QsciScintilla::WrapWord);
        QVERIFY_EXCEPTION_THROWN(editor.SetWrapMode(4), LogicException);
        QCOMPARE(editor.wrapMode(), QsciScintilla::WrapWord);

        QSignalSpy changed(&editor, &QsciScintilla::textChanged);
        editor.setText(QStringLiteral("1 +"));
        QVERIFY(changed.count() >= 1);
        changed.clear();
        editor.SetSelection(-1, 3);
        QTest::keyClicks(editor.viewport(), QStringLiteral(" 2"));
        QCOMPARE(editor.text(), QStringLiteral("1 + 2"));
        QCOMPARE(changed.count(), 2);
    }

    void colouring_data()
    {
        QTest::addColumn<QString>("fragment");
        QTest::addColumn<int>("style");

        QTest::newRow("block comment") << QStringLiteral("/* margin */") << int(MdxLexer::Comment);
        QTest::newRow("function") << QStringLiteral("IIF") << int(MdxLexer::Function);
        QTest::newRow("bracketed name") << QStringLiteral("[Measures]") << int(MdxLexer::BracketedName);
        QTest::newRow("comparison") << QStringLiteral(">") << int(MdxLexer::Operator);
        QTest::newRow("number") << QStringLiteral("0.5e3") << int(MdxLexer::Number);
        QTest::newRow("line comment") << QStringLiteral("-- guard") << int(MdxLexer::Comment);
        QTest::newRow("keyword") << QStringLiteral("NULL") << int(MdxLexer::Keyword);
        QTest::newRow("string with doubled quotes") << QStringLiteral("\"a \"\"b\"\"\"") << int(MdxLexer::String);
        QTest::newRow("key") << QStringLiteral("&[East]") << int(MdxLexer::Key);
        QTest::newRow("identifier") << QStringLiteral("Geography") << int(MdxLexer::Identifier);
        QTest::newRow("stray character") << QStringLiteral("#") << int(MdxLexer::Error);
        QTest::newRow("name over two lines") << QStringLiteral("[New\nYork]") << int(MdxLexer::BracketedName);
        QTest::newRow("unterminated string at the end") << QStringLiteral("\"open") << int(MdxLexer::Error);
    }

    void colouring()
    {
        QFETCH(QString, fragment);
        QFETCH(int, style);
        ScintillaEditBox editor;
        const QString text = QStringLiteral("/* margin */ IIF([Measures].[Sales] > 0.5e3, -- guard\n"
                                            "  [Measures].[Profit] / [Measures].[Sales], NULL) + Len(\"a \"\"b\"\"\")\n"
                                            "+ Geography.[Region].&[East] # [Geography].[New\nYork] + \"open");
        editor.setText(text);
        Colourise(editor);
        const int at = text.indexOf(fragment);
        QVERIFY(at >= 0);
        for (int i = at; i < at + fragment.size(); ++i)
            QCOMPARE(StyleAt(editor, i), style);
        // The blanks around it are plain.
        if (at > 0 && text[at - 1] == QLatin1Char(' '))
            QCOMPARE(StyleAt(editor, at - 1), int(MdxLexer::Default));
    }

    // A keystroke restyles the line it is on; a new line restyles the lines around it; opening a
    // block comment restyles down to where the comment now ends, and closing it again as far.
    void anEditRestylesOnlyTheLinesItChanged()
    {
        ScintillaEditBox editor;
        QString text = LongFormula(2000);
        text.replace(QStringLiteral("* 1005 +"), QStringLiteral("* 1005 */"));
        editor.setText(text);
        Colourise(editor);
        MdxLexer& lexer = *editor.GetMdxLexer();

        lexer.ResetStyledLineCount();
        InsertAt(editor, LineStart(editor, 1000) + 3, "x");
        Colourise(editor);
        QCOMPARE(lexer.GetStyledLineCount(), 1);

        lexer.ResetStyledLineCount();
        InsertAt(editor, LineStart(editor, 1000) + 5, "\n");
        Colourise(editor);
        QCOMPARE(lexer.GetStyledLineCount(), 3);

        lexer.ResetStyledLineCount();
        editor.SendScintilla(
            QsciScintillaBase::SCI_DELETERANGE, static_cast<unsigned long>(LineStart(editor, 1001) - 1), 1L);
        Colourise(editor);
        QCOMPARE(lexer.GetStyledLineCount(), 2);

        // Lines 1000 to 1005: the comment opens on the first and ends on the last.
        lexer.ResetStyledLineCount();
        InsertAt(editor, LineStart(editor, 1000), "/*");
        Colourise(editor);
        QCOMPARE(lexer.GetStyledLineCount(), 6);
        QCOMPARE(StyleAt(editor, editor.text().indexOf(QStringLiteral("line 1003"))), int(MdxLexer::Comment));
        QCOMPARE(
            StyleAt(editor, editor.text().indexOf(QStringLiteral("[Sales] * 1006"))), int(MdxLexer::BracketedName));

        lexer.ResetStyledLineCount();
        editor.undo();
        Colourise(editor);
        QCOMPARE(lexer.GetStyledLineCount(), 6);
        QCOMPARE(
            StyleAt(editor, editor.text().indexOf(QStringLiteral("[Sales] * 1003"))), int(MdxLexer::BracketedName));

        // Styling again from the top stops at once where nothing changed, and otherwise at the
        // edited lines.
        lexer.ResetStyledLineCount();
        Recolour(editor);
        QCOMPARE(lexer.GetStyledLineCount(), 1);
        lexer.ResetStyledLineCount();
        InsertAt(editor, LineStart(editor, 1500), "1");
        Recolour(editor);
        QCOMPARE(lexer.GetStyledLineCount(), 2);

        // An edit styles the screenful that is asked for, no more.
        lexer.ResetStyledLineCount();
        InsertAt(editor, LineStart(editor, 10), "\"");
        Colourise(editor, LineStart(editor, 40));
        QCOMPARE(lexer.GetStyledLineCount(), 30);
    }

    // Whatever the order of edits and partial styling passes, the styles end up the same as
    // those of the final text styled from scratch.
    void incrementalStylesMatchAFreshStyling()
    {
        const char* pieces[] = {"x", "\n", "\"", "[", "]", "/*", "*/", "--", "&[", "'", " ", "\r\n", "é"};
        QRandomGenerator random(20'261'206);
        ScintillaEditBox editor;
        editor.setText(LongFormula(200));
        Colourise(editor);
        for (int round = 0; round < 300; ++round) {
            const long length = editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
            const int at = random.bounded(static_cast<int>(length) + 1);
            const long bytePosition = editor.SendScintilla(
                QsciScintillaBase::SCI_POSITIONBEFORE, static_cast<unsigned long>(std::min<long>(at + 1, length)));
            if (random.bounded(3) == 0 && length > 0) {
                editor.SendScintilla(QsciScintillaBase::SCI_DELETERANGE, static_cast<unsigned long>(bytePosition),
                    std::min<long>(1 + random.bounded(40), length - bytePosition));
            } else {
                InsertAt(editor, static_cast<int>(bytePosition), pieces[random.bounded(int(std::size(pieces)))]);
            }
            // Sometimes several edits come before a pass, and a pass may stop at a screenful.
            const int pass = random.bounded(4);
            if (pass == 1)
                Colourise(editor);
            else if (pass == 2)
                Colourise(editor, random.bounded(static_cast<int>(length) + 1));
            else if (pass == 3)
                Recolour(editor);
            if (round % 10 == 9) {
                Colourise(editor);
                ScintillaEditBox fresh;
                fresh.setText(editor.text());
                Colourise(fresh);
                QCOMPARE(AllStyles(editor), AllStyles(fresh));
            }
        }
    }
};

QTEST_MAIN(ScintillaEditBoxTest)
#include "ScintillaEditBoxTest.moc"
