#include "host/doc/MdxTokenizer.h"
#include "host/doc/Exceptions.h"
#include "host/doc/MdxFunctionTable.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

using namespace ZelTest;

namespace {

QString KindName(MdxTokenKind kind)
{
    switch (kind) {
    case MdxTokenKind::Whitespace:
        return QStringLiteral("ws");
    case MdxTokenKind::LineComment:
        return QStringLiteral("line-comment");
    case MdxTokenKind::BlockComment:
        return QStringLiteral("block-comment");
    case MdxTokenKind::Keyword:
        return QStringLiteral("keyword");
    case MdxTokenKind::FunctionName:
        return QStringLiteral("function");
    case MdxTokenKind::Identifier:
        return QStringLiteral("id");
    case MdxTokenKind::BracketedName:
        return QStringLiteral("name");
    case MdxTokenKind::Key:
        return QStringLiteral("key");
    case MdxTokenKind::String:
        return QStringLiteral("string");
    case MdxTokenKind::Number:
        return QStringLiteral("number");
    case MdxTokenKind::Operator:
        return QStringLiteral("op");
    case MdxTokenKind::Error:
        return QStringLiteral("error");
    }
    return QString();
}

// "kind:text" for every token but whitespace, separated by single spaces; error tokens say why.
QString Describe(const QString& text, MdxLexState start = MdxLexState::Normal, bool endOfInput = true,
    MdxLexState* endState = nullptr)
{
    MdxTokenizer tokenizer(text, start, endOfInput);
    MdxToken token;
    QStringList parts;
    int expectedOffset = 0;
    while (tokenizer.Next(token)) {
        // Tokens cover the text without gap or overlap.
        if (token.offset != expectedOffset || token.length <= 0)
            return QStringLiteral("gap at %1").arg(expectedOffset);
        expectedOffset = token.End();
        if (token.kind == MdxTokenKind::Whitespace)
            continue;
        QString part = KindName(token.kind) + QLatin1Char(':') + token.TextIn(text).toString();
        if (token.kind == MdxTokenKind::Error)
            part += QStringLiteral("#%1").arg(token.code);
        parts << part;
    }
    if (expectedOffset != text.size())
        return QStringLiteral("stopped at %1").arg(expectedOffset);
    if (endState)
        *endState = tokenizer.State();
    return parts.join(QLatin1Char(' '));
}

constexpr int Stray = static_cast<int>(MdxTokenError::StrayCharacter);

} // namespace

class MdxTokenizerTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void kinds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tokens");

        QTest::newRow("name path and call") << QStringLiteral(
            "Sum([Measures].[Sales])") << QStringLiteral("function:Sum op:( name:[Measures] op:. name:[Sales] op:)");
        QTest::newRow("operators") << QStringLiteral("a<=b<>c>=d<e>f=g||h^i:j,k;-+*/{}")
                                   << QStringLiteral("id:a op:<= id:b op:<> id:c op:>= id:d op:< id:e op:> id:f op:= "
                                                     "id:g op:|| id:h op:^ id:i op:: id:j op:, id:k op:; op:- op:+ "
                                                     "op:* op:/ op:{ op:}");
        QTest::newRow("comments") << QStringLiteral("1 // one\n2 -- two\n/* a\nb */3/**/4")
                                  << QStringLiteral("number:1 line-comment:// one number:2 line-comment:-- two "
                                                    "block-comment:/* a\nb */ number:3 block-comment:/**/ number:4");
        QTest::newRow("comment marks inside strings and names")
            << QStringLiteral("\"a--b\" [c//d] '/*'") << QStringLiteral("string:\"a--b\" name:[c//d] string:'/*'");
        QTest::newRow("numbers") << QStringLiteral("1 2.5 3e10 4.5E-3 6e+2 7e 8. 9.x")
                                 << QStringLiteral("number:1 number:2.5 number:3e10 number:4.5E-3 number:6e+2 "
                                                   "number:7 id:e number:8 op:. number:9 op:. id:x");
        QTest::newRow("escaped brackets and quotes")
            << QStringLiteral("[a]]b] &[k]]1] \"x\"\"y\" 'it''s' [] \"\"")
            << QStringLiteral("name:[a]]b] key:&[k]]1] string:\"x\"\"y\" string:'it''s' name:[] string:\"\"");
        QTest::newRow("names over lines")
            << QStringLiteral("[New\nYork] \"two\nlines\"") << QStringLiteral("name:[New\nYork] string:\"two\nlines\"");
        QTest::newRow("keywords in any case")
            << QStringLiteral("case When tHEN else END and or xor not is null existing desc self_and_after")
            << QStringLiteral("keyword:case keyword:When keyword:tHEN keyword:else keyword:END keyword:and "
                              "keyword:or keyword:xor keyword:not keyword:is keyword:null keyword:existing "
                              "keyword:desc keyword:self_and_after");
        QTest::newRow("function and property names in any case")
            << QStringLiteral("sum AVG CurrentMember lag iif Dimension Properties")
            << QStringLiteral("function:sum function:AVG function:CurrentMember function:lag function:iif "
                              "function:Dimension function:Properties");
        QTest::newRow("identifiers") << QStringLiteral("Geography _x1 Région Q4 Summer")
                                     << QStringLiteral("id:Geography id:_x1 id:Région id:Q4 id:Summer");
        QTest::newRow("unterminated string")
            << QStringLiteral("1 + \"abc") << QStringLiteral("number:1 op:+ error:\"abc#1");
        QTest::newRow("unterminated name")
            << QStringLiteral("[Geography].[East") << QStringLiteral("name:[Geography] op:. error:[East#2");
        QTest::newRow("escaped bracket does not close")
            << QStringLiteral("[East]]") << QStringLiteral("error:[East]]#2");
        QTest::newRow("unterminated key") << QStringLiteral("&[1") << QStringLiteral("error:&[1#3");
        QTest::newRow("unterminated comment")
            << QStringLiteral("1 /* abc\n*") << QStringLiteral("number:1 error:/* abc\n*#4");
        QTest::newRow("stray characters, one token per run")
            << QStringLiteral("1 #@! 2 ] | & ?")
            << QStringLiteral("number:1 error:#@!#%1 number:2 error:]#%1 error:|#%1 error:&#%1 error:?#%1").arg(Stray);
        QTest::newRow("binary garbage")
            << QStringLiteral("a\x01\x02\u00ff\u00a7b")
            << QStringLiteral("id:a error:\x01\x02#%1 id:\u00ff error:\u00a7#%1 id:b").arg(Stray);
    }

    void kinds()
    {
        QFETCH(QString, text);
        QFETCH(QString, tokens);
        QCOMPARE(Describe(text), tokens);
    }

    void linesAndColumnsCountEveryLineBreakOnce()
    {
        // LF, CR LF and a lone CR each end one line; a line break inside a comment, a name or a
        // string counts like any other.
        const QString text = QStringLiteral("a\nbb\r\nccc\rd /* x\r\ny */ e [f\ng] h\r\r\ni");
        MdxTokenizer tokenizer(text);
        MdxToken token;
        QStringList positions;
        while (tokenizer.Next(token)) {
            if (!token.IsTrivia())
                positions
                    << QStringLiteral("%1@%2:%3").arg(token.TextIn(text).toString()).arg(token.line).arg(token.column);
        }
        QCOMPARE(positions.join(QLatin1Char(' ')),
            QStringLiteral("a@1:1 bb@2:1 ccc@3:1 d@4:1 e@5:6 [f\ng]@5:8 h@6:4 i@8:1"));
        QCOMPARE(tokenizer.Line(), 8);
        QCOMPARE(tokenizer.Column(), 2);

        MdxTokenizer fromLine(QStringLiteral("  x"), MdxLexState::Normal, true, 41);
        fromLine.Next(token);
        fromLine.Next(token);
        QCOMPARE(token.line, 41);
        QCOMPARE(token.column, 3);
    }

    void carriedState_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("startState");
        QTest::addColumn<bool>("endOfInput");
        QTest::addColumn<QString>("tokens");
        QTest::addColumn<int>("endState");

        const auto s = [](MdxLexState state) { return static_cast<int>(state); };
        QTest::newRow("comment goes on") << QStringLiteral("still inside\n") << s(MdxLexState::BlockComment) << false
                                         << QStringLiteral("block-comment:still inside\n")
                                         << s(MdxLexState::BlockComment);
        QTest::newRow("comment ends") << QStringLiteral("end */ x\n") << s(MdxLexState::BlockComment) << false
                                      << QStringLiteral("block-comment:end */ id:x") << s(MdxLexState::Normal);
        QTest::newRow("comment opens") << QStringLiteral("x /* begins\n") << s(MdxLexState::Normal) << false
                                       << QStringLiteral("id:x block-comment:/* begins\n")
                                       << s(MdxLexState::BlockComment);
        QTest::newRow("name ends") << QStringLiteral("York]].x].[Y]\n") << s(MdxLexState::BracketedName) << false
                                   << QStringLiteral("name:York]].x] op:. name:[Y]") << s(MdxLexState::Normal);
        QTest::newRow("key goes on") << QStringLiteral("k1\n") << s(MdxLexState::Key) << false
                                     << QStringLiteral("key:k1\n") << s(MdxLexState::Key);
        QTest::newRow("string ends on a doubled quote's neighbour")
            << QStringLiteral("say \"\"hi\"\"\" + 1\n") << s(MdxLexState::String) << false
            << QStringLiteral("string:say \"\"hi\"\"\" op:+ number:1") << s(MdxLexState::Normal);
        QTest::newRow("single-quoted string goes on")
            << QStringLiteral("it''s\n") << s(MdxLexState::SingleQuotedString) << false
            << QStringLiteral("string:it''s\n") << s(MdxLexState::SingleQuotedString);
        QTest::newRow("last line leaves a comment open")
            << QStringLiteral("more") << s(MdxLexState::BlockComment) << true << QStringLiteral("error:more#4")
            << s(MdxLexState::BlockComment);
        QTest::newRow("empty piece keeps the state")
            << QString() << s(MdxLexState::String) << false << QString() << s(MdxLexState::String);
    }

    void carriedState()
    {
        QFETCH(QString, text);
        QFETCH(int, startState);
        QFETCH(bool, endOfInput);
        QFETCH(QString, tokens);
        QFETCH(int, endState);
        MdxLexState end = MdxLexState::Normal;
        QCOMPARE(Describe(text, static_cast<MdxLexState>(startState), endOfInput, &end), tokens);
        QCOMPARE(static_cast<int>(end), endState);
    }

    // What an editor sees line by line is what a parser sees in one piece: every character gets
    // the same kind either way.
    void lineByLineAgreesWithTheWholeText()
    {
        const QString text
            = QStringLiteral("/* Profit per unit,\n   by region */\nIIF([Measures].[Quantity] = 0, NULL,\r\n"
                             "  [Measures].[Profit] / [Measures].[Quantity]) -- guard\n"
                             "+ Len(\"a \"\"quoted\"\"\nstring\") + [Geography].[New\nYork].&[k\n]\n[open");
        QVector<MdxTokenKind> whole(text.size());
        {
            MdxTokenizer tokenizer(text);
            MdxToken token;
            while (tokenizer.Next(token))
                std::fill(whole.begin() + token.offset, whole.begin() + token.End(), token.kind);
        }
        QVector<MdxTokenKind> pieces(text.size());
        MdxLexState state = MdxLexState::Normal;
        int lineStart = 0;
        int line = 1;
        while (lineStart < text.size()) {
            int lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
            lineEnd = lineEnd < 0 ? text.size() : lineEnd + 1;
            const QStringView piece = QStringView(text).mid(lineStart, lineEnd - lineStart);
            MdxTokenizer tokenizer(piece, state, lineEnd == text.size(), line);
            MdxToken token;
            while (tokenizer.Next(token)) {
                QCOMPARE(token.line, line);
                std::fill(
                    pieces.begin() + lineStart + token.offset, pieces.begin() + lineStart + token.End(), token.kind);
            }
            state = tokenizer.State();
            lineStart = lineEnd;
            ++line;
        }
        QCOMPARE(pieces, whole);
        QCOMPARE(state, MdxLexState::BracketedName);
        QCOMPARE(whole.last(), MdxTokenKind::Error);
    }

    void keywordsAndFunctionsAreFoundByTheirOwnNames()
    {
        for (int k = 0; k < MdxKeywordCount; ++k) {
            const auto keyword = static_cast<MdxKeyword>(k);
            const QString text = MdxTokenizer::KeywordText(keyword);
            MdxKeyword found;
            QVERIFY2(MdxTokenizer::FindKeyword(text.toLower(), found) && found == keyword, qPrintable(text));
        }
        for (int i = 0; i < MdxFunctionTable::Count(); ++i) {
            const MdxFunction& entry = MdxFunctionTable::At(i);
            const QString name = entry.Name();
            QVERIFY2(MdxFunctionTable::Find(name.toUpper(), entry.style) == i, qPrintable(name));
            MdxKeyword keyword;
            QVERIFY2(!MdxTokenizer::FindKeyword(name, keyword), qPrintable(name));
            QVERIFY(entry.minArguments <= entry.maxArguments);
        }
        QCOMPARE(MdxFunctionTable::FindName(QStringLiteral("Sums")), -1);
        QCOMPARE(MdxFunctionTable::Find(QStringLiteral("Children"), MdxCallStyle::Function), -1);
        const int count = MdxFunctionTable::Find(QStringLiteral("count"), MdxCallStyle::Property);
        QVERIFY(count >= 0);
        QCOMPARE(MdxFunctionTable::FindMember(QStringLiteral("COUNT")), count);
        QVERIFY(MdxFunctionTable::Find(QStringLiteral("Count"), MdxCallStyle::Function) >= 0);
        QVERIFY_EXCEPTION_THROWN(MdxFunctionTable::At(MdxFunctionTable::Count()), LogicException);
    }
};

QTEST_MAIN(MdxTokenizerTest)
#include "MdxTokenizerTest.moc"
